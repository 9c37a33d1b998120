#include "WithdrawHistoryRecord.h"

#include <string>

#include "InstHistory.h"
#include "Registry.h"
#include "SystemBitness.h"

DWORD WithdrawHistoryRecord(const wchar_t* text, DWORD kind, const wchar_t* key) {
    const HISTORY_LIST* list = CInstHistory::List(kind);
    if (list == nullptr || text == nullptr || *text == L'\0') return ERROR_INVALID_PARAMETER;
    const std::wstring historyKey = (key == nullptr || *key == L'\0') ? CInstHistory::DefaultKey() : key;
    if (historyKey.empty()) return ERROR_INVALID_PARAMETER;

    const std::wstring expected = list->kind == HistoryKind::kFile
                                      ? CInstHistory::FileEntryText(text, IsWow64Redirected())
                                      : std::wstring(text);
    DWORD count = 0;
    DWORD result = CRegistry::GetValue(historyKey.c_str(), list->countName, &count, HKEY_LOCAL_MACHINE);
    if (result != ERROR_SUCCESS) return result;
    if (count == 0) return ERROR_FILE_NOT_FOUND;

    const std::wstring name = CInstHistory::EntryName(kind, count - 1);
    wchar_t stored[CRegistry::kTextChars] = {};
    result = CRegistry::GetValue(historyKey.c_str(), name.c_str(), stored, HKEY_LOCAL_MACHINE);
    if (result != ERROR_SUCCESS) return result;
    if (expected != stored) return ERROR_FILE_NOT_FOUND;

    // The count first: a list whose count is lowered never names the entry again.
    result = CRegistry::SetValue(historyKey.c_str(), list->countName, count - 1, HKEY_LOCAL_MACHINE);
    if (result != ERROR_SUCCESS) return result;
    return CRegistry::DeleteValue(historyKey.c_str(), name.c_str(), HKEY_LOCAL_MACHINE);
}
