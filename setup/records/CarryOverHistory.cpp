#include "CarryOverHistory.h"

#include <string>

#include "InstHistory.h"
#include "Registry.h"

namespace {

constexpr HistoryKind kCarryOrder[] = {
    HistoryKind::kRegistryValue, HistoryKind::kRegistryKey,          HistoryKind::kFile,
    HistoryKind::kDirectory,     HistoryKind::kDestinationDirectory, HistoryKind::kShortcut,
};

}  // namespace

DWORD CarryOverHistory(const wchar_t* source, const wchar_t* target) {
    if (source == nullptr || *source == L'\0' || target == nullptr || *target == L'\0')
        return ERROR_INVALID_PARAMETER;
    if (CompareStringOrdinal(source, -1, target, -1, TRUE) == CSTR_EQUAL) return ERROR_INVALID_PARAMETER;

    for (HistoryKind kind : kCarryOrder) {
        const DWORD code = static_cast<DWORD>(kind);
        const HISTORY_LIST* list = CInstHistory::List(code);
        DWORD count = 0;
        if (CRegistry::GetValue(source, list->countName, &count, HKEY_LOCAL_MACHINE) != ERROR_SUCCESS) continue;
        for (DWORD index = 0; index < count; ++index) {
            const std::wstring name = CInstHistory::EntryName(code, index);
            wchar_t text[CRegistry::kTextChars] = {};
            if (CRegistry::GetValue(source, name.c_str(), text, HKEY_LOCAL_MACHINE) != ERROR_SUCCESS) continue;
            if (text[0] == L'\0') continue;
            // The text is stored as it was recorded; recording it again must not rewrite it.
            const DWORD result = CInstHistory::Record(text, code, target, false);
            if (result != ERROR_SUCCESS) return result;
        }
    }
    return CRegistry::DeleteKey(source, false, HKEY_LOCAL_MACHINE);
}
