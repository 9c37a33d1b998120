#pragma once
// What a configuration reader needs to know about the running installation:
// the qualifiers that pick a section's variant and the expansion of path
// variables ("$NAME$"). The setup context supplies the real one; tests set
// the values they need.

#include <cstdint>
#include <string>
#include <vector>

// Language values that override the current language while one text is expanded.
struct LANGUAGE_OVERRIDE {
    std::uint32_t languageId = 0;      // 0: the current language
    const wchar_t* abbreviation = nullptr;
    const wchar_t* directory = nullptr;
};

class CConfigContext {
public:
    virtual ~CConfigContext() = default;
    virtual std::wstring OsDefineString() const = 0;
    virtual std::wstring LanguageAbbreviation() const = 0;
    virtual bool NetworkOption() const = 0;
    virtual bool WirelessOption() const = 0;
    virtual bool UsbOnlyOption() const = 0;
    // The process-wide switch that turns path-variable expansion off.
    virtual bool PathVariablesOff() const = 0;
    virtual void ExpandPathVariables(std::wstring& text, const LANGUAGE_OVERRIDE* language) const = 0;
};

// A context with fixed values and a table of path variables; what a reader
// uses until it is given another.
class CFixedConfigContext : public CConfigContext {
public:
    std::wstring osDefine;
    std::wstring language = L"EN";
    bool network = false;
    bool wireless = false;
    bool usbOnly = false;
    bool pathVariablesOff = false;

    std::wstring OsDefineString() const override { return osDefine; }
    std::wstring LanguageAbbreviation() const override { return language; }
    bool NetworkOption() const override { return network; }
    bool WirelessOption() const override { return wireless; }
    bool UsbOnlyOption() const override { return usbOnly; }
    bool PathVariablesOff() const override { return pathVariablesOff; }
    void ExpandPathVariables(std::wstring& text, const LANGUAGE_OVERRIDE* language) const override;

    // A variable is named without its dollar signs: SetVariable(L"SRC_DIR", ...).
    // The language override stands in for LANG_ABBR and LANG_DIR.
    void SetVariable(const std::wstring& name, const std::wstring& value);

private:
    struct Variable {
        std::wstring name;
        std::wstring value;
    };
    std::vector<Variable> variables_;
};
