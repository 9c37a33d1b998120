#include "TreeRemoval.h"

#include <windows.h>

#include "ShellFolders.h"

namespace {

bool RemoveFile(const std::wstring& path, DWORD attributes) {
    if (attributes & FILE_ATTRIBUTE_READONLY) SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    return DeleteFileW(path.c_str()) != 0;
}

bool RemoveFolder(const std::wstring& path, DWORD attributes) {
    if (attributes & FILE_ATTRIBUTE_READONLY) SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    return RemoveDirectoryW(path.c_str()) != 0;
}

bool RemoveContents(const std::wstring& directory, std::wstring& failed) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((directory + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return true;
    bool removed = true;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = directory + L"\\" + name;
        bool ok;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            const bool linked = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            ok = (linked || RemoveContents(path, failed)) && RemoveFolder(path, found.dwFileAttributes);
        } else {
            ok = RemoveFile(path, found.dwFileAttributes);
        }
        if (!ok && failed.empty()) failed = path;
        removed = removed && ok;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return removed;
}

std::wstring WithoutTrailingBackslash(std::wstring path) {
    while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
    return path;
}

}  // namespace

bool IsFullPath(const std::wstring& path) {
    if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') return true;
    return path.size() >= 3 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'\\' && path[2] != L'?';
}

bool RemoveTree(const std::wstring& directory, std::wstring& failed) {
    const std::wstring root = WithoutTrailingBackslash(directory);
    const DWORD attributes = GetFileAttributesW(root.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        failed = root;
        return false;
    }
    const bool linked = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    if ((!linked && !RemoveContents(root, failed)) || !RemoveFolder(root, attributes)) {
        if (failed.empty()) failed = root;
        return false;
    }
    return true;
}

void RemoveEmptyParents(const std::wstring& directory, const CShellFolders& kept) {
    std::wstring parent = CShellFolders::ParentOf(WithoutTrailingBackslash(directory));
    while (!parent.empty() && !kept.IsKept(parent) && RemoveDirectoryW(parent.c_str()))
        parent = CShellFolders::ParentOf(parent);
}
