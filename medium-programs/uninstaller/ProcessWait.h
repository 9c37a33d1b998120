#pragma once
// Waiting for setup to end before its files are removed.

#include <windows.h>

enum class WaitResult {
    kEnded,      // the process ended, or no longer existed
    kTimedOut,   // still running when the limit passed
    kFailed,     // it could not be opened for waiting
};

WaitResult WaitForProcessEnd(DWORD processId, DWORD timeoutMs);
