#pragma once
// Removing the status monitor: the files its installer put into the install
// directory, the directory and the parents it leaves empty (below the program
// files folder only), its registry values and its uninstall entry.
//
// The uninstaller's own file lies in the directory it removes and cannot be
// deleted while it runs: it is deleted at the next restart
// (MOVEFILE_DELAY_UNTIL_REBOOT), and so are the folders it alone keeps, after it.
// Files the installer did not put there (the utility's QvStatus.ini) stay,
// and with them the directory.

#include <string>

#include "StepLog.h"

// Returns an exit code of UninstallExitCode.h, a log line per step.
int RemoveInstallation(const std::wstring& installDirectory, const CStepLog& log);
