#pragma once
// Starts, stops and queries one system service, waiting for a start or stop
// to finish as the service itself paces it (its wait hint and check point).

#include <windows.h>

#include "ScopedHandle.h"

class CServiceController {
public:
    // Opens the service manager and the service with |access| (the service
    // manager with all access when the service is opened with all access).
    CServiceController(const wchar_t* serviceName, DWORD access);
    CServiceController(const CServiceController&) = delete;
    CServiceController& operator=(const CServiceController&) = delete;

    // 0 when the service is open, else the system's error code.
    DWORD OpenError() const { return openError_; }

    // The service's current state (SERVICE_STOPPED ... SERVICE_PAUSED).
    DWORD Query(DWORD& state) const;

    // Starts a service that is not running and waits while it is start
    // pending. 1052 when it does not end up running.
    DWORD StartAndWait(DWORD& state) const;
    // Stops a service that is not stopped and waits while it is stop pending.
    // 1052 when it does not end up stopped.
    DWORD StopAndWait(DWORD& state) const;

private:
    DWORD Query(SERVICE_STATUS_PROCESS& status) const;
    // Waits while the service reports |pendingState|; then |state| is its state.
    DWORD WaitWhile(DWORD pendingState, DWORD& state) const;

    CServiceHandle manager_;
    CServiceHandle service_;
    DWORD openError_ = 0;
};
