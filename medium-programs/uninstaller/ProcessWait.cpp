#include "ProcessWait.h"

WaitResult WaitForProcessEnd(DWORD processId, DWORD timeoutMs) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (process == nullptr) {
        // The system answers "invalid parameter" for an id that names no process.
        return GetLastError() == ERROR_INVALID_PARAMETER ? WaitResult::kEnded : WaitResult::kFailed;
    }
    const DWORD waited = WaitForSingleObject(process, timeoutMs);
    CloseHandle(process);
    if (waited == WAIT_OBJECT_0) return WaitResult::kEnded;
    return waited == WAIT_TIMEOUT ? WaitResult::kTimedOut : WaitResult::kFailed;
}
