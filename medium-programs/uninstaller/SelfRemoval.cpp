#include "SelfRemoval.h"

#include <windows.h>

#include "ShellFolders.h"

namespace {

std::wstring Normalised(std::wstring folder) {
    while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
    std::wstring longName(MAX_PATH * 2, L'\0');
    const DWORD length = GetLongPathNameW(folder.c_str(), &longName[0], static_cast<DWORD>(longName.size()));
    if (length > 0 && length < longName.size()) folder.assign(longName.c_str(), length);
    if (!folder.empty()) CharUpperBuffW(&folder[0], static_cast<DWORD>(folder.size()));
    return folder;
}

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

bool IsSetupCopy(const std::wstring& file, const std::wstring& temporaryFolder, const std::wstring& windowsFolder) {
    const std::wstring folder = Normalised(CShellFolders::ParentOf(file));
    if (folder.empty()) return false;
    return folder == Normalised(temporaryFolder) || folder == Normalised(windowsFolder);
}

bool DeleteAtRestart(const std::wstring& file) {
    return MoveFileExW(file.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}

bool RemoveOwnCopyAtRestart() {
    const std::wstring self = OwnFile();
    wchar_t temporary[MAX_PATH + 1] = {};
    wchar_t windows[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temporary);
    GetWindowsDirectoryW(windows, MAX_PATH + 1);
    if (self.empty() || !IsSetupCopy(self, temporary, windows)) return true;
    return DeleteAtRestart(self);
}
