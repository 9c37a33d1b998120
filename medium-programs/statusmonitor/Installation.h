#pragma once
// Installing and repairing the status monitor: the program files go from the
// installer's own folder into the install directory, then its values and its
// uninstall entry go into the registry.

#include <windows.h>

#include <string>

#include "StepLog.h"

struct INSTALL_PLAN {
    std::wstring sourceFolder;      // where QvStatus.exe and QvStatusUninst.exe are
    std::wstring installDirectory;  // full path, no trailing backslash
    DWORD language = 0;
    bool repair = false;            // also counts the run in "RepairCount"
};

// The install directory of an existing installation; false when there is none.
bool FindInstallation(std::wstring& installDirectory, DWORD& language);

// The install directory when none is given: below the system's program files folder.
std::wstring DefaultInstallDirectory();

// Carries out |plan|, a log line per step. Returns an exit code of SetupExitCode.h.
int Install(const INSTALL_PLAN& plan, const CStepLog& log);
