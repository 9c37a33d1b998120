#include "ShortcutCreation.h"

#include "InstHistory.h"
#include "Log.h"
#include "Registry.h"
#include "SectionApplicability.h"
#include "SetupContext.h"

bool CreateShortcuts(CSetupContext& context, const std::vector<std::wstring>& sections) {
    const SECTION_FACTS facts{context.OsDefineString(), context.LanguageAbbreviation()};
    const std::wstring& installing = context.Roots().Installing();
    for (const std::wstring& section : sections) {
        if (!SectionApplies(context.Files().Command(), section.c_str(), facts)) continue;
        const std::wstring record = installing + L"\\Shortcut\\" + section;
        if ((context.SupportLibrary().MyCreateShortCut(0, installing.c_str(), record.c_str()) & 0xFF) == 0) continue;
        GlobalLog().Print(L"Create Shorcut [%ls]", record.c_str());
        DWORD remove = 0;
        if (CRegistry::GetValue(record.c_str(), L"Delete", &remove, HKEY_LOCAL_MACHINE) != ERROR_SUCCESS) remove = 0;
        wchar_t path[CRegistry::kTextChars] = {};
        if (remove != 0 &&
            CRegistry::GetValue(record.c_str(), L"Shortcut_Path", path, HKEY_LOCAL_MACHINE) == ERROR_SUCCESS &&
            path[0] != L'\0') {
            const DWORD recorded = CInstHistory::Record(path, static_cast<DWORD>(HistoryKind::kShortcut));
            if (recorded != ERROR_SUCCESS)
                GlobalLog().PrintError(recorded, L"Record shortcut (%ls) in the installation history", path);
        }
    }
    return true;
}
