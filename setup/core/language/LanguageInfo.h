#pragma once
// The language of the run. A language is a Windows language identifier: the
// primary language in the low 10 bits, the sublanguage above. The data file
// lists the supported languages ("PROGRAM_LANG_INFO"), maps country-specific
// identifiers to the language shipped ("COUNTRY_LANG_CODE") and names each
// language's abbreviation ("LANGUAGE_ABBR") and directory ("LANGUAGE_DIR"),
// keyed "0X%04X" by the full or the primary identifier.

#include <cstdint>
#include <string>

class CConfigReader;

class CLanguageInfo {
public:
    static constexpr std::uint32_t kEnglish = 9;

    // |systemLanguageId| is the system's default language.
    explicit CLanguageInfo(std::uint32_t systemLanguageId);
    virtual ~CLanguageInfo() = default;

    // Remembers the reader and resolves the system language.
    void ReadLanguageTable(const CConfigReader* data);
    // Chooses a language (0: the system's); without |forced|, asking again for
    // the language already requested changes nothing and gives false.
    bool Select(const CConfigReader* data, std::uint32_t languageId, bool forced);

    bool IsSupported(std::uint32_t& languageId) const;
    std::uint32_t MapCountry(std::uint32_t languageId) const;
    // The abbreviation ("LANGUAGE_ABBR") or directory ("LANGUAGE_DIR") of a language.
    std::wstring Lookup(std::uint32_t languageId, const wchar_t* section) const;
    static std::wstring BuiltInAbbreviation(std::uint32_t languageId);

    std::uint32_t LanguageId() const { return languageId_; }
    std::uint32_t SystemLanguageId() const { return systemLanguageId_; }
    std::uint32_t RequestedLanguageId() const { return requestedLanguageId_; }
    const std::wstring& Abbreviation() const { return abbreviation_; }
    const std::wstring& SystemAbbreviation() const { return systemAbbreviation_; }
    const std::wstring& RequestedAbbreviation() const { return requestedAbbreviation_; }
    const std::wstring& Directory() const { return directory_; }
    const std::wstring& RequestedDirectory() const { return requestedDirectory_; }

private:
    std::uint32_t Resolve(std::uint32_t requested);

    std::uint32_t languageId_ = kEnglish;
    std::uint32_t systemLanguageId_;
    std::uint32_t requestedLanguageId_ = kEnglish;
    std::wstring abbreviation_ = L"EN";
    std::wstring systemAbbreviation_ = L"EN";
    std::wstring requestedAbbreviation_ = L"EN";
    std::wstring directory_;
    std::wstring requestedDirectory_;
    const CConfigReader* data_ = nullptr;
};
