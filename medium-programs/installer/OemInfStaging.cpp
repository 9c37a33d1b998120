#include "OemInfStaging.h"

#include <setupapi.h>

#include <cstdio>
#include <vector>

#include "InstallLog.h"

namespace installer {

namespace {

std::string Contents(const std::wstring& path) {
    std::string text;
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (file == nullptr) return text;
    char block[4096];
    for (std::size_t read = fread(block, 1, sizeof(block), file); read > 0; read = fread(block, 1, sizeof(block), file))
        text.append(block, read);
    fclose(file);
    return text;
}

std::wstring FileName(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Deletes every file named |name| below |folder|.
void DeleteBelow(const std::wstring& folder, const std::wstring& name) {
    WIN32_FIND_DATAW found = {};
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring entry = found.cFileName;
        if (entry == L"." || entry == L"..") continue;
        const std::wstring path = folder + L"\\" + entry;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            DeleteBelow(path, name);
        } else if (_wcsicmp(entry.c_str(), name.c_str()) == 0) {
            if (DeleteFileW(path.c_str())) LogLine(L"Deleted catalog %ls", path.c_str());
            else LogError(GetLastError(), L"DeleteFile (%ls)", path.c_str());
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

}  // namespace

std::wstring InfFolder() {
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    return std::wstring(windows) + L"\\inf";
}

DWORD StageInf(const std::wstring& inf, std::wstring* staged) {
    wchar_t destination[MAX_PATH] = {};
    DWORD required = 0;
    if (SetupCopyOEMInfW(inf.c_str(), nullptr, SPOST_PATH, 0, destination, MAX_PATH, &required, nullptr)) {
        *staged = destination;
        return ERROR_SUCCESS;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS && destination[0] != L'\0') {
        *staged = destination;
        return ERROR_SUCCESS;
    }
    return error;
}

std::wstring FindStagedInf(const std::wstring& inf) {
    const std::wstring folder = InfFolder();
    const std::wstring own = folder + L"\\" + FileName(inf);
    if (Exists(own)) return own;
    const std::string text = Contents(inf);
    if (text.empty()) return std::wstring();
    WIN32_FIND_DATAW found = {};
    const HANDLE search = FindFirstFileW((folder + L"\\oem*.inf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return std::wstring();
    std::wstring match;
    do {
        const std::wstring candidate = folder + L"\\" + found.cFileName;
        if (Contents(candidate) == text) match = candidate;
    } while (match.empty() && FindNextFileW(search, &found));
    FindClose(search);
    return match;
}

DWORD UnstageInf(const std::wstring& staged, const std::wstring& catalogFile) {
    const std::wstring name = FileName(staged);
    if (name.empty()) return ERROR_FILE_NOT_FOUND;
    const std::wstring path = InfFolder() + L"\\" + name;
    const std::size_t dot = name.find_last_of(L'.');
    const std::wstring pnf =
        (dot == std::wstring::npos ? path : path.substr(0, path.size() - name.size() + dot)) + L".pnf";
    DWORD result = ERROR_SUCCESS;
    if (!Exists(path)) {
        result = ERROR_FILE_NOT_FOUND;
    } else if (!SetupUninstallOEMInfW(name.c_str(), SUOI_FORCEDELETE, nullptr)) {
        result = GetLastError();
        // Some systems refuse a name they did not make: the file itself goes then.
        if (DeleteFileW(path.c_str())) result = ERROR_SUCCESS;
    }
    if (Exists(pnf)) {
        if (DeleteFileW(pnf.c_str())) LogLine(L"Deleted %ls", pnf.c_str());
        else LogError(GetLastError(), L"DeleteFile (%ls)", pnf.c_str());
    }
    if (!catalogFile.empty()) {
        wchar_t system[MAX_PATH] = {};
        GetSystemDirectoryW(system, MAX_PATH);
        DeleteBelow(std::wstring(system) + L"\\catroot", catalogFile);
    }
    return result;
}

}  // namespace installer
