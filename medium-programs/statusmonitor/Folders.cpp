#include "Folders.h"

#include <shlobj.h>

#include "ScopedHandle.h"

namespace folders {

namespace {

std::wstring Trimmed(std::wstring path) {
    while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
    return path;
}

std::wstring KnownFolder(int id) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path))) return std::wstring();
    return Trimmed(path);
}

// "C:\" for a drive path, "\\server\share" for a network path, else empty.
std::wstring RootOf(const std::wstring& path) {
    if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') return path.substr(0, 3);
    if (path.size() > 2 && path[0] == L'\\' && path[1] == L'\\') {
        const std::size_t server = path.find(L'\\', 2);
        if (server == std::wstring::npos) return std::wstring();
        return path.substr(0, path.find(L'\\', server + 1));
    }
    return std::wstring();
}

struct CloseSearch {
    void operator()(HANDLE search) const { FindClose(search); }
};
using CSearchHandle = CScopedHandle<HANDLE, CloseSearch>;

}  // namespace

std::wstring OwnFile() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0) return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring OwnFolder() { return ParentOf(OwnFile()); }

std::wstring ParentOf(const std::wstring& path) {
    const std::wstring trimmed = Trimmed(path);
    const std::wstring root = RootOf(trimmed);
    if (root.empty() || trimmed.size() <= root.size()) return std::wstring();
    const std::size_t slash = trimmed.find_last_of(L"\\/");
    return slash < root.size() ? root : trimmed.substr(0, slash);
}

std::vector<std::wstring> ProgramFilesFolders() {
    std::vector<std::wstring> found;
    for (const int id : {CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86}) {
        const std::wstring folder = KnownFolder(id);
        if (folder.empty()) continue;
        bool known = false;
        for (const std::wstring& other : found) known = known || SamePath(other, folder);
        if (!known) found.push_back(folder);
    }
    return found;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    const std::wstring left = Trimmed(a);
    const std::wstring right = Trimmed(b);
    return CompareStringOrdinal(left.c_str(), static_cast<int>(left.size()), right.c_str(),
                                static_cast<int>(right.size()), TRUE) == CSTR_EQUAL;
}

bool IsBelow(const std::wstring& path, const std::wstring& folder) {
    for (std::wstring parent = ParentOf(path); !parent.empty(); parent = ParentOf(parent)) {
        if (SamePath(parent, folder)) return true;
    }
    return false;
}

bool CreateTree(const std::wstring& folder, DWORD& error, std::wstring& failed) {
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
    const std::wstring parent = ParentOf(folder);
    if (!parent.empty() && !CreateTree(parent, error, failed)) return false;
    if (CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) {
        const DWORD now = GetFileAttributesW(folder.c_str());
        if (now != INVALID_FILE_ATTRIBUTES && (now & FILE_ATTRIBUTE_DIRECTORY)) return true;
        error = ERROR_ALREADY_EXISTS;  // a file of that name is in the way
    } else {
        error = GetLastError();
    }
    failed = folder;
    return false;
}

std::vector<std::wstring> NamesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const HANDLE first = FindFirstFileW((Trimmed(folder) + L"\\*").c_str(), &found);
    if (first == INVALID_HANDLE_VALUE) return names;
    const CSearchHandle search(first);
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(search.Get(), &found));
    return names;
}

bool IsEmptyFolder(const std::wstring& folder) {
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) && NamesIn(folder).empty();
}

}  // namespace folders
