#include "HistoryRemover.h"

#include <string>

#include "FileOperations.h"
#include "InstHistory.h"
#include "Log.h"
#include "Registry.h"
#include "Utl.h"

namespace {

constexpr DWORD kForceDelete = 1;  // SUOI_FORCEDELETE

constexpr HistoryKind kUndoOrder[] = {
    HistoryKind::kRegistryValue, HistoryKind::kRegistryKey, HistoryKind::kFile,
    HistoryKind::kDestinationDirectory, HistoryKind::kDirectory, HistoryKind::kShortcut,
};

struct ROOT_NAME {
    const wchar_t* name;
    HKEY root;
};

const ROOT_NAME kRoots[] = {
    {L"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE}, {L"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
    {L"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG}, {L"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {L"HKEY_USERS", HKEY_USERS}, {L"HKEY_PERFORMANCE_DATA", HKEY_PERFORMANCE_DATA},
    {L"HKEY_DYN_DATA", HKEY_DYN_DATA},
};

HKEY RootByName(const std::wstring& name) {
    for (const ROOT_NAME& root : kRoots)
        if (CompareStringOrdinal(name.c_str(), -1, root.name, -1, TRUE) == CSTR_EQUAL) return root.root;
    return nullptr;
}

// A directory setup made goes when it is empty. One that still holds
// something now (a program's uninstaller removes its own files only at the
// restart) goes at the next restart, if it is empty then.
void RemoveDirectoryEntry(const wchar_t* directory) {
    DeleteTree(directory, false);
    if (GetFileAttributesW(directory) == INVALID_FILE_ATTRIBUTES) return;
    std::wstring path = directory;
    while (path.size() > 3 && path.back() == L'\\') path.pop_back();
    if (MoveFileExW(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT))
        GlobalLog().Print(L"Directory (%ls) is not empty: removed at the next restart when it is", path.c_str());
    else
        GlobalLog().PrintError(GetLastError(), L"Directory (%ls) is not empty and cannot wait for the restart",
                               path.c_str());
}

std::wstring FileNamePart(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool IsInfFile(const std::wstring& path) {
    const std::wstring name = FileNamePart(path);
    if (name.size() < 4) return false;
    return CompareStringOrdinal(name.c_str() + name.size() - 4, -1, L".inf", -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

CHistoryRemover::CHistoryRemover() {
    wchar_t path[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length + 14 >= MAX_PATH) return;
    const std::wstring library = std::wstring(path) + L"\\setupapi.dll";
    *setupApi_.Receive() = LoadLibraryW(library.c_str());
    if (!setupApi_) return;
    uninstallOemInf_ = reinterpret_cast<UninstallOemInfFunction>(
        reinterpret_cast<void*>(GetProcAddress(setupApi_.Get(), "SetupUninstallOEMInfW")));
}

void CHistoryRemover::RemoveValue(const wchar_t* entry) const {
    const std::wstring text = entry;
    const std::size_t first = text.find(L'\\');
    const std::size_t last = text.find_last_of(L'\\');
    if (first == std::wstring::npos || last == first) return;
    const HKEY root = RootByName(text.substr(0, first));
    if (root == nullptr) return;
    const std::wstring keyPath = text.substr(first + 1, last - first - 1);
    const std::wstring name = text.substr(last + 1);
    CRegistry::DeleteValue(keyPath.c_str(), name.c_str(), root);
}

void CHistoryRemover::RemoveKey(const wchar_t* entry) const {
    const std::wstring text = entry;
    const std::size_t first = text.find(L'\\');
    if (first == std::wstring::npos) return;
    const HKEY root = RootByName(text.substr(0, first));
    if (root == nullptr) return;
    CRegistry::DeleteKey(text.substr(first + 1).c_str(), true, root);
}

void CHistoryRemover::RemoveFile(const wchar_t* entry) const {
    if (uninstallOemInf_ != nullptr && IsInfFile(entry)) {
        const std::wstring name = FileNamePart(entry);
        if (uninstallOemInf_(name.c_str(), kForceDelete, nullptr))
            GlobalLog().Print(L"%ls file uninstalled", name.c_str());
        else
            GlobalLog().PrintError(GetLastError(), L"%ls file uninstall failed", name.c_str());
    }
    DeleteSingleFile(entry);
}

DWORD CHistoryRemover::RemoveRecorded(const wchar_t* historyKey, bool deleteSelf) {
    if (historyKey == nullptr || *historyKey == L'\0') return ERROR_INVALID_PARAMETER;

    for (HistoryKind kind : kUndoOrder) {
        const DWORD code = static_cast<DWORD>(kind);
        DWORD count = 0;
        if (CRegistry::GetValue(historyKey, CInstHistory::List(code)->countName, &count, HKEY_LOCAL_MACHINE) !=
            ERROR_SUCCESS)
            continue;
        for (DWORD index = count; index-- > 0;) {
            const std::wstring name = CInstHistory::EntryName(code, index);
            wchar_t text[CRegistry::kTextChars] = {};
            if (CRegistry::GetValue(historyKey, name.c_str(), text, HKEY_LOCAL_MACHINE) != ERROR_SUCCESS) continue;
            if (text[0] == L'\0') continue;
            switch (kind) {
            case HistoryKind::kRegistryValue: RemoveValue(text); break;
            case HistoryKind::kRegistryKey: RemoveKey(text); break;
            case HistoryKind::kFile: RemoveFile(text); break;
            case HistoryKind::kDestinationDirectory: DeleteTree(text, true); break;
            case HistoryKind::kDirectory: RemoveDirectoryEntry(text); break;
            case HistoryKind::kShortcut: CUtl::DeleteShortcut(text, false); break;
            }
        }
    }

    if (deleteSelf) {
        wchar_t self[MAX_PATH] = {};
        const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
        if (length > 0 && length < MAX_PATH) RemoveFile(self);
    }
    return ERROR_SUCCESS;
}
