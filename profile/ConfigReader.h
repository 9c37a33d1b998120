#pragma once
// Reads configuration values: a main profile and a message profile, with three
// substitutions applied to each text read, in this order:
//   1. percent references ("%NAME%") from a "STRINGS" section (CProfile),
//   2. at-sign references ("@NAME@") from the message file's "MESSAGES" section,
//   3. path variables ("$NAME$"), when asked for and not switched off.
// It also resolves a logical section name to its most specific variant for the
// running system, language and connection options.

#include <cstdint>
#include <string>
#include <vector>

#include "ConfigContext.h"
#include "Profile.h"

class CConfigReader {
public:
    CConfigReader();
    virtual ~CConfigReader() = default;
    CConfigReader(const CConfigReader&) = delete;
    CConfigReader& operator=(const CConfigReader&) = delete;

    // The context is not owned; it must outlive the reader.
    void SetContext(const CConfigContext* context);

    bool Load(const wchar_t* mainFile, const wchar_t* stringsFile, const wchar_t* messageFile, bool escapes);
    bool ReloadMain(const wchar_t* file);
    bool ReloadMessages(const wchar_t* file);

    bool GetString(const wchar_t* section, const wchar_t* key, std::wstring& out, bool expand,
                   const LANGUAGE_OVERRIDE* language = nullptr) const;
    bool GetNumber(const wchar_t* section, const wchar_t* key, std::uint32_t& out) const;
    bool GetSize(const wchar_t* section, const wchar_t* key, PROFILE_SIZE& out) const;
    bool GetPoint(const wchar_t* section, const wchar_t* key, PROFILE_POINT& out) const;
    bool GetColour(const wchar_t* section, const wchar_t* key, std::uint32_t& out) const;
    bool GetRectangle(const wchar_t* section, const wchar_t* key, PROFILE_RECT& out) const;
    // Every line of the section as "KEY = value" (or the key alone), substituted.
    bool GetAllEntries(const wchar_t* section, std::vector<std::wstring>& out, bool expand,
                       const LANGUAGE_OVERRIDE* language = nullptr) const;
    // The space-separated section names, as CProfile::GetSectionName gives them.
    bool GetSectionNames(wchar_t* buffer, std::uint32_t size) const;
    bool HasSection(const wchar_t* name) const;
    bool ResolveSection(const wchar_t* baseName, std::wstring& out) const;
    void ExpandMessages(std::wstring& text) const;

    bool MainLoaded() const { return mainLoaded_; }
    bool MessagesLoaded() const { return messagesLoaded_; }
    const std::wstring& MainFile() const { return mainFile_; }
    const std::wstring& MessageFile() const { return messageFile_; }
    const CProfile& Main() const { return main_; }
    CProfile& Main() { return main_; }

private:
    void Substitute(std::wstring& text, bool expand, const LANGUAGE_OVERRIDE* language) const;

    CProfile main_;
    CProfile messages_;
    std::wstring mainFile_;
    std::wstring messageFile_;
    std::wstring stringsFile_;
    bool mainLoaded_ = false;
    bool messagesLoaded_ = false;
    bool escapes_ = false;
    const CConfigContext* context_;
};
