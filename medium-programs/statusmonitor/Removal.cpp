#include "Removal.h"

#include <windows.h>

#include <vector>

#include "Folders.h"
#include "RegistryValues.h"
#include "StatusMonitorNames.h"
#include "UninstallExitCode.h"

using namespace status_monitor;

namespace {

std::wstring ErrorText(DWORD error) { return L"error " + std::to_wstring(error); }

bool DeleteAtRestart(const std::wstring& path, const CStepLog& log) {
    if (!MoveFileExW(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
        log.Line(L"Cannot mark " + path + L" for deletion at restart: " + ErrorText(GetLastError()));
        return false;
    }
    log.Line(L"Marked for deletion at restart: " + path);
    return true;
}

bool IsProgramFilesFolder(const std::wstring& folder) {
    for (const std::wstring& programFiles : folders::ProgramFilesFolders()) {
        if (folders::SamePath(folder, programFiles)) return true;
    }
    return false;
}

bool IsBelowProgramFiles(const std::wstring& folder) {
    for (const std::wstring& programFiles : folders::ProgramFilesFolders()) {
        if (folders::IsBelow(folder, programFiles)) return true;
    }
    return false;
}

// True when |folder| holds nothing but |name|.
bool HoldsOnly(const std::wstring& folder, const std::wstring& name) {
    const std::vector<std::wstring> names = folders::NamesIn(folder);
    return names.size() == 1 && folders::SamePath(names.front(), name);
}

std::wstring NameOf(const std::wstring& path) { return path.substr(path.find_last_of(L'\\') + 1); }

// Removes |directory| when it is empty, then its parents below the program
// files folder while they are empty. When |ownFile| (the running uninstaller)
// is still in |directory|, the folders it alone keeps are marked for deletion
// at restart instead.
bool RemoveFolders(const std::wstring& directory, const std::wstring& ownFile, const CStepLog& log) {
    const bool atRestart = !ownFile.empty();
    if (atRestart ? !HoldsOnly(directory, NameOf(ownFile)) : !folders::IsEmptyFolder(directory)) {
        log.Line(L"The install directory keeps files it did not install: " + directory);
        return true;
    }
    if (IsProgramFilesFolder(directory)) return true;
    if (atRestart) {
        if (!DeleteAtRestart(directory, log)) return false;
    } else if (!RemoveDirectoryW(directory.c_str())) {
        log.Line(L"Cannot remove the folder " + directory + L": " + ErrorText(GetLastError()));
        return false;
    } else {
        log.Line(L"Removed the folder " + directory);
    }

    if (!IsBelowProgramFiles(directory)) return true;
    for (std::wstring child = directory, parent = folders::ParentOf(directory);
         !parent.empty() && !IsProgramFilesFolder(parent); child = parent, parent = folders::ParentOf(parent)) {
        if (atRestart) {
            if (!HoldsOnly(parent, NameOf(child))) break;
            if (!DeleteAtRestart(parent, log)) return false;
        } else {
            if (!folders::IsEmptyFolder(parent)) break;
            if (!RemoveDirectoryW(parent.c_str())) {
                log.Line(L"Cannot remove the folder " + parent + L": " + ErrorText(GetLastError()));
                return false;
            }
            log.Line(L"Removed the folder " + parent);
        }
    }
    return true;
}

bool RemoveRegistryEntries(const CStepLog& log) {
    bool ok = true;
    for (const wchar_t* key : {kProductKey, kUninstallKey}) {
        const LONG result = registry_values::DeleteKey(key);
        if (result != ERROR_SUCCESS) {
            log.Line(L"Cannot delete HKLM\\" + std::wstring(key) + L": " + ErrorText(static_cast<DWORD>(result)));
            ok = false;
        } else {
            log.Line(L"Deleted HKLM\\" + std::wstring(key));
        }
    }
    if (registry_values::DeleteKeyWhenEmpty(kMakerKey))
        log.Line(L"HKLM\\" + std::wstring(kMakerKey) + L" is gone");
    else
        log.Line(L"HKLM\\" + std::wstring(kMakerKey) + L" stays: it holds other entries");
    return ok;
}

}  // namespace

int RemoveInstallation(const std::wstring& installDirectory, const CStepLog& log) {
    log.Line(L"Removing " + std::wstring(kDisplayName) + L" from " + installDirectory);
    const std::wstring self = folders::OwnFile();
    bool ok = true;
    std::wstring ownFileLeft;

    for (const wchar_t* name : {kUtilityFile, kUninstallerFile}) {
        const std::wstring file = installDirectory + L"\\" + name;
        if (folders::SamePath(file, self)) {
            if (DeleteAtRestart(file, log))
                ownFileLeft = file;
            else
                ok = false;
        } else if (DeleteFileW(file.c_str())) {
            log.Line(L"Deleted " + file);
        } else if (GetLastError() != ERROR_FILE_NOT_FOUND && GetLastError() != ERROR_PATH_NOT_FOUND) {
            log.Line(L"Cannot delete " + file + L": " + ErrorText(GetLastError()));
            ok = false;
        }
    }

    if (ok && GetFileAttributesW(installDirectory.c_str()) != INVALID_FILE_ATTRIBUTES)
        ok = RemoveFolders(installDirectory, ownFileLeft, log);
    if (!RemoveRegistryEntries(log)) ok = false;

    log.Line(ok ? L"Removal done" : L"Removal incomplete");
    return ok ? kUninstallSuccess : kUninstallIncomplete;
}
