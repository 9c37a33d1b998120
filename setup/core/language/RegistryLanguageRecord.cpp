#include "RegistryLanguageRecord.h"

#include <windows.h>

#include "Log.h"
#include "Registry.h"

CRegistryLanguageRecord::CRegistryLanguageRecord(std::wstring installedRoot, std::wstring installingRoot)
    : installedRoot_(std::move(installedRoot)), installingRoot_(std::move(installingRoot)) {}

bool CRegistryLanguageRecord::RecordedLanguage(std::uint32_t& languageId) {
    DWORD value = 0;
    if (CRegistry::GetValue(installedRoot_.c_str(), L"LangCode", &value, HKEY_LOCAL_MACHINE) != ERROR_SUCCESS)
        return false;
    languageId = value;
    return true;
}

void CRegistryLanguageRecord::RecordLanguage(std::uint32_t requestedLanguageId, const std::wstring& abbreviation,
                                             const std::wstring& previousStringFile) {
    const struct {
        const wchar_t* name;
        DWORD result;
    } writes[] = {
        {L"LangCode", CRegistry::SetValue(installingRoot_.c_str(), L"LangCode", static_cast<DWORD>(requestedLanguageId),
                                          HKEY_LOCAL_MACHINE)},
        {L"LangAbbr", CRegistry::SetValue(installingRoot_.c_str(), L"LangAbbr", abbreviation.c_str(), HKEY_LOCAL_MACHINE)},
        {L"STR_FILE",
         CRegistry::SetValue(installingRoot_.c_str(), L"STR_FILE", previousStringFile.c_str(), HKEY_LOCAL_MACHINE)},
    };
    for (const auto& write : writes)
        if (write.result != ERROR_SUCCESS)
            GlobalLog().PrintError(write.result, L"Set Language : cannot write [%ls\\%ls]", installingRoot_.c_str(),
                                   write.name);
}
