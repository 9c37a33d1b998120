#pragma once
// The uninstaller's exit codes.

enum : int {
    kExitSuccess = 0,
    kExitBadArguments = 1,
    kExitRefused = 2,        // a drive root, a relative path or a folder the system keeps
    kExitSetupRunning = 3,   // setup did not end within the limit, or could not be waited for
    kExitRemovalFailed = 4,  // something under the install directory could not be removed
};
