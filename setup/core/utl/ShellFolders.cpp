#include "ShellFolders.h"

#include <windows.h>
#include <shlobj.h>

#include <utility>

namespace {

// Where shortcuts are made, and the system's own folders that a product's
// emptied folders may sit in. Missing folders count too: the path is what the
// system would use.
const int kKeptFolders[] = {
    CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_STARTMENU,      CSIDL_COMMON_STARTMENU,
    CSIDL_PROGRAMS,         CSIDL_COMMON_PROGRAMS,         CSIDL_STARTUP,        CSIDL_COMMON_STARTUP,
    CSIDL_PROGRAM_FILES,    CSIDL_PROGRAM_FILESX86,        CSIDL_PROGRAM_FILES_COMMON, CSIDL_WINDOWS,
    CSIDL_SYSTEM,           CSIDL_PROFILE,                 CSIDL_PERSONAL,       CSIDL_APPDATA,
    CSIDL_LOCAL_APPDATA,    CSIDL_COMMON_APPDATA,          CSIDL_COMMON_DOCUMENTS,
};

std::wstring WithoutTrailingBackslashes(std::wstring text) {
    while (!text.empty() && (text.back() == L'\\' || text.back() == L'/')) text.pop_back();
    return text;
}

std::wstring Upper(std::wstring text) {
    if (!text.empty()) CharUpperBuffW(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

// The full, long form of |folder|, upper case, without a trailing backslash.
std::wstring Canonical(const std::wstring& folder) {
    std::wstring path = folder;
    DWORD needed = GetFullPathNameW(folder.c_str(), 0, nullptr, nullptr);
    if (needed > 0) {
        std::wstring full(needed, L'\0');
        const DWORD length = GetFullPathNameW(folder.c_str(), needed, &full[0], nullptr);
        if (length > 0 && length < needed) path.assign(full.c_str(), length);
    }
    needed = GetLongPathNameW(path.c_str(), nullptr, 0);
    if (needed > 0) {
        std::wstring longPath(needed, L'\0');
        const DWORD length = GetLongPathNameW(path.c_str(), &longPath[0], needed);
        if (length > 0 && length < needed) path.assign(longPath.c_str(), length);
    }
    return Upper(WithoutTrailingBackslashes(path));
}

}  // namespace

CShellFolders::CShellFolders() {
    for (const int id : kKeptFolders) {
        wchar_t path[MAX_PATH] = {};
        const HRESULT hr = SHGetFolderPathW(nullptr, id | CSIDL_FLAG_DONT_VERIFY, nullptr, SHGFP_TYPE_CURRENT, path);
        if (SUCCEEDED(hr) && path[0] != L'\0') folders_.push_back(Canonical(path));
    }
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length > 0 && length <= MAX_PATH) folders_.push_back(Canonical(temp));
}

CShellFolders::CShellFolders(std::vector<std::wstring> folders) {
    for (const std::wstring& folder : folders) {
        if (!folder.empty()) folders_.push_back(Canonical(folder));
    }
}

bool CShellFolders::IsKept(const std::wstring& folder) const {
    if (IsRoot(folder)) return true;
    const std::wstring canonical = Canonical(folder);
    for (const std::wstring& kept : folders_) {
        if (kept.size() < canonical.size()) continue;
        if (kept.compare(0, canonical.size(), canonical) != 0) continue;
        if (kept.size() == canonical.size() || kept[canonical.size()] == L'\\') return true;
    }
    return false;
}

std::wstring CShellFolders::ParentOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

bool CShellFolders::IsRoot(const std::wstring& folder) {
    const std::wstring text = WithoutTrailingBackslashes(folder);
    if (text.empty() || text.back() == L':') return true;
    if (text.size() >= 2 && text[0] == L'\\' && text[1] == L'\\') {
        // \\server or \\server\share
        const std::size_t share = text.find(L'\\', 2);
        return share == std::wstring::npos || text.find(L'\\', share + 1) == std::wstring::npos;
    }
    return false;
}
