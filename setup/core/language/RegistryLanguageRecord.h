#pragma once
// The language of a run as recorded in the registry (HKEY_LOCAL_MACHINE):
// read from the installed root, written under the installing root.

#include <string>

#include "LanguageChange.h"

class CRegistryLanguageRecord : public CLanguageRecord {
public:
    CRegistryLanguageRecord(std::wstring installedRoot, std::wstring installingRoot);

    bool RecordedLanguage(std::uint32_t& languageId) override;
    void RecordLanguage(std::uint32_t requestedLanguageId, const std::wstring& abbreviation,
                        const std::wstring& previousStringFile) override;

private:
    std::wstring installedRoot_;
    std::wstring installingRoot_;
};
