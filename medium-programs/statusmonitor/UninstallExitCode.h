#pragma once
// The exit codes of the status monitor's uninstaller (QvStatusUninst.exe).

enum : int {
    kUninstallSuccess = 0,
    kUninstallBadArguments = 1,  // anything but /S on the command line
    kUninstallNotSilent = 2,     // /S missing: nothing done
    kUninstallNotInstalled = 3,  // no installation recorded in the registry: nothing done
    kUninstallIncomplete = 4,    // a file, folder or registry key could not be removed
};
