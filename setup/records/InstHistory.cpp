#include "InstHistory.h"

#include <mutex>

#include "Registry.h"
#include "SystemBitness.h"

namespace {

constexpr HISTORY_LIST kLists[CInstHistory::kKindCount] = {
    {HistoryKind::kFile, L"File", L"NumOfFiles"},
    {HistoryKind::kDirectory, L"Dir", L"NumOfDirs"},
    {HistoryKind::kRegistryKey, L"Key", L"NumOfKeys"},
    {HistoryKind::kRegistryValue, L"Value", L"NumOfValues"},
    {HistoryKind::kShortcut, L"Shortcut", L"NumOfShortcuts"},
    {HistoryKind::kDestinationDirectory, L"DestDir", L"NumOfDestDirs"},
};

// Guards the default key, and keeps the read-count, write-entry, write-count
// sequence of one record from interleaving with another in this process.
std::mutex& HistoryMutex() {
    static std::mutex mutex;
    return mutex;
}

std::wstring& DefaultKeyText() {
    static std::wstring key;
    return key;
}

bool IsEmpty(const wchar_t* text) { return text == nullptr || *text == L'\0'; }

}  // namespace

const HISTORY_LIST* CInstHistory::List(DWORD kind) { return kind < kKindCount ? &kLists[kind] : nullptr; }

std::wstring CInstHistory::EntryName(DWORD kind, DWORD index) {
    const HISTORY_LIST* list = List(kind);
    if (list == nullptr) return std::wstring();
    return list->entryPrefix + std::to_wstring(index);
}

void CInstHistory::SetDefaultKey(const std::wstring& key) {
    std::lock_guard<std::mutex> lock(HistoryMutex());
    DefaultKeyText() = key;
}

std::wstring CInstHistory::DefaultKey() {
    std::lock_guard<std::mutex> lock(HistoryMutex());
    return DefaultKeyText();
}

std::wstring CInstHistory::FileEntryText(const std::wstring& path, bool wow64Redirected) {
    if (!wow64Redirected || path.empty()) return path;
    std::wstring text = path;
    CharUpperBuffW(&text[0], static_cast<DWORD>(text.size()));
    static const std::wstring from = L"\\SYSTEM32\\";
    static const std::wstring to = L"\\SYSWOW64\\";
    for (std::size_t at = text.find(from); at != std::wstring::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

DWORD CInstHistory::Record(const wchar_t* text, DWORD kind, const wchar_t* key) {
    // Only the file list is rewritten, so the question is asked only for it.
    const bool redirected = kind == static_cast<DWORD>(HistoryKind::kFile) && IsWow64Redirected();
    return Record(text, kind, key, redirected);
}

DWORD CInstHistory::Record(const wchar_t* text, DWORD kind, const wchar_t* key, bool wow64Redirected) {
    const HISTORY_LIST* list = List(kind);
    if (list == nullptr || IsEmpty(text)) return ERROR_INVALID_PARAMETER;

    std::lock_guard<std::mutex> lock(HistoryMutex());
    const std::wstring historyKey = IsEmpty(key) ? DefaultKeyText() : std::wstring(key);
    if (historyKey.empty()) return ERROR_INVALID_PARAMETER;

    const std::wstring entry =
        list->kind == HistoryKind::kFile ? FileEntryText(text, wow64Redirected) : std::wstring(text);

    DWORD count = 0;
    if (CRegistry::GetValue(historyKey.c_str(), list->countName, &count, HKEY_LOCAL_MACHINE) != ERROR_SUCCESS)
        count = 0;
    // A count at its limit has no next number: writing would overwrite entry 0.
    if (count == MAXDWORD) return ERROR_INVALID_DATA;

    const std::wstring name = EntryName(kind, count);
    DWORD result = CRegistry::SetValue(historyKey.c_str(), name.c_str(), entry.c_str(), HKEY_LOCAL_MACHINE);
    if (result != ERROR_SUCCESS) return result;
    const DWORD next = count + 1;
    result = CRegistry::SetValue(historyKey.c_str(), list->countName, next, HKEY_LOCAL_MACHINE);
    if (result != ERROR_SUCCESS) {
        // Without its count the entry would be an orphan; take it back.
        CRegistry::DeleteValue(historyKey.c_str(), name.c_str(), HKEY_LOCAL_MACHINE);
    }
    return result;
}
