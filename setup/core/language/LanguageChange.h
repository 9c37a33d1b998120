#pragma once
// Changing the language of a run: choose it, record it under the installing
// root, point the readers at its string and configuration files, and let the
// rest of the program follow (options, network messages and, when a command
// asked for it, the wizard behind the language-change window).
//
// At start-up the language is changed with identifier 0 (the recorded
// language of a previous installation, else the system's), not as a command;
// the L switch likewise; the language page and the language command change it
// as a command.

#include <cstdint>
#include <string>

class CConfigFiles;
class CLanguageInfo;

// Where the language of a run is recorded.
class CLanguageRecord {
public:
    virtual ~CLanguageRecord() = default;
    // "LangCode" under the installed root: the language of a previous installation.
    virtual bool RecordedLanguage(std::uint32_t& languageId) = 0;
    // "LangCode", "LangAbbr" and "STR_FILE" under the installing root.
    virtual void RecordLanguage(std::uint32_t requestedLanguageId, const std::wstring& abbreviation,
                                const std::wstring& previousStringFile) = 0;
};

// What else follows a change of language; the setup context and the wizard
// provide it.
class CLanguageFollower {
public:
    virtual ~CLanguageFollower() = default;
    virtual void ShowWaitCursor(bool on) = 0;
    virtual void ReloadOptions() = 0;
    virtual void RefreshNetworkMessages() = 0;
    // Only for a change asked by a command: the language-change window, the
    // layout, the components and the pages, then the current page again.
    virtual void RefreshAfterCommand() = 0;
};

class CLanguageChange {
public:
    CLanguageChange(CLanguageInfo& language, CConfigFiles& files, CLanguageRecord& record,
                    CLanguageFollower& follower);

    bool Change(std::uint32_t languageId, bool byCommand);

private:
    CLanguageInfo& language_;
    CConfigFiles& files_;
    CLanguageRecord& record_;
    CLanguageFollower& follower_;
};
