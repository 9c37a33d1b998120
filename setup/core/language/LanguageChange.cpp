#include "LanguageChange.h"

#include "ConfigFiles.h"
#include "LanguageInfo.h"

CLanguageChange::CLanguageChange(CLanguageInfo& language, CConfigFiles& files, CLanguageRecord& record,
                                 CLanguageFollower& follower)
    : language_(language), files_(files), record_(record), follower_(follower) {}

bool CLanguageChange::Change(std::uint32_t languageId, bool byCommand) {
    follower_.ShowWaitCursor(true);
    bool forced = false;
    if (languageId == 0) {
        if (!record_.RecordedLanguage(languageId)) languageId = 0;
        forced = true;
    }
    const bool changed = language_.Select(&files_.Data(), languageId, forced);
    if (byCommand && !changed) {
        follower_.ShowWaitCursor(false);
        return true;
    }
    record_.RecordLanguage(language_.RequestedLanguageId(), language_.Abbreviation(), files_.StringFile());
    files_.ChangeLanguageFiles(language_.Abbreviation(),
                               language_.Lookup(CLanguageInfo::kEnglish, L"LANGUAGE_ABBR"));
    follower_.ReloadOptions();
    follower_.RefreshNetworkMessages();
    if (byCommand) follower_.RefreshAfterCommand();
    follower_.ShowWaitCursor(false);
    return true;
}
