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

// The history key kept open between records (under HistoryMutex).
struct OPEN_HISTORY_KEY {
    std::wstring path;
    HKEY key = nullptr;
};

OPEN_HISTORY_KEY& OpenKey() {
    static OPEN_HISTORY_KEY open;
    return open;
}

void CloseHistoryKey() {
    OPEN_HISTORY_KEY& open = OpenKey();
    if (open.key != nullptr) RegCloseKey(open.key);
    open = OPEN_HISTORY_KEY{};
}

DWORD OpenHistoryKey(const std::wstring& path, HKEY& key) {
    OPEN_HISTORY_KEY& open = OpenKey();
    if (open.key == nullptr || CompareStringOrdinal(open.path.c_str(), -1, path.c_str(), -1, TRUE) != CSTR_EQUAL) {
        CloseHistoryKey();
        HKEY created = nullptr;
        const LSTATUS result = RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                               KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &created, nullptr);
        if (result != ERROR_SUCCESS) return static_cast<DWORD>(result);
        open.path = path;
        open.key = created;
    }
    key = open.key;
    return ERROR_SUCCESS;
}

// Reads the list's count, writes the entry under that number and the count
// plus one. ERROR_KEY_DELETED when the key went away under the open handle.
DWORD AppendEntry(HKEY key, const HISTORY_LIST& list, DWORD kind, const std::wstring& entry) {
    DWORD count = 0;
    DWORD type = 0;
    DWORD size = sizeof(count);
    const LSTATUS read =
        RegQueryValueExW(key, list.countName, nullptr, &type, reinterpret_cast<BYTE*>(&count), &size);
    if (read == ERROR_KEY_DELETED) return ERROR_KEY_DELETED;
    if (read != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(count)) count = 0;
    // A count at its limit has no next number: writing would overwrite entry 0.
    if (count == MAXDWORD) return ERROR_INVALID_DATA;

    const std::wstring name = CInstHistory::EntryName(kind, count);
    DWORD result = static_cast<DWORD>(RegSetValueExW(key, name.c_str(), 0, REG_SZ,
                                                     reinterpret_cast<const BYTE*>(entry.c_str()),
                                                     static_cast<DWORD>((entry.size() + 1) * sizeof(wchar_t))));
    if (result != ERROR_SUCCESS) return result;
    const DWORD next = count + 1;
    result = static_cast<DWORD>(
        RegSetValueExW(key, list.countName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&next), sizeof(next)));
    // Without its count the entry would be an orphan; take it back.
    if (result != ERROR_SUCCESS) RegDeleteValueW(key, name.c_str());
    return result;
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

    // The path as the registry class takes it: one trailing backslash
    // allowed, no empty part.
    std::wstring path = historyKey;
    if (path.back() == L'\\') path.pop_back();
    if (path.empty() || path.front() == L'\\' || path.back() == L'\\' ||
        path.find(L"\\\\") != std::wstring::npos)
        return ERROR_INVALID_PARAMETER;

    // A copy records every file it makes, so this is on the copy's path: the
    // key stays open from one record to the next. When it was deleted in the
    // meantime (a carry-over, a removal) it is opened, or created, afresh.
    DWORD result = ERROR_SUCCESS;
    for (int attempt = 0; attempt < 2; ++attempt) {
        HKEY opened = nullptr;
        result = OpenHistoryKey(path, opened);
        if (result != ERROR_SUCCESS) return result;
        result = AppendEntry(opened, *list, kind, entry);
        if (result != ERROR_KEY_DELETED) return result;
        CloseHistoryKey();
    }
    return result;
}
