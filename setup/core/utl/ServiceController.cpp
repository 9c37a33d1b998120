#include "ServiceController.h"

namespace {

// While a start or stop is pending, the service is asked again after a tenth
// of its wait hint, within these bounds; the wait ends when its check point
// has not grown for longer than the wait hint.
constexpr DWORD kMinimumSleepMs = 100;
constexpr DWORD kMaximumSleepMs = 1000;

DWORD SleepForHint(DWORD waitHint) {
    const DWORD tenth = waitHint / 10;
    return tenth < kMinimumSleepMs ? kMinimumSleepMs : (tenth > kMaximumSleepMs ? kMaximumSleepMs : tenth);
}

}  // namespace

CServiceController::CServiceController(const wchar_t* serviceName, DWORD access) {
    if (serviceName == nullptr || *serviceName == L'\0') {
        openError_ = ERROR_INVALID_PARAMETER;
        return;
    }
    const DWORD managerAccess = access == SERVICE_ALL_ACCESS ? SC_MANAGER_ALL_ACCESS : SC_MANAGER_CONNECT;
    *manager_.Receive() = OpenSCManagerW(nullptr, nullptr, managerAccess);
    if (!manager_) {
        openError_ = GetLastError();
        return;
    }
    *service_.Receive() = OpenServiceW(manager_.Get(), serviceName, access);
    if (!service_) openError_ = GetLastError();
}

DWORD CServiceController::Query(SERVICE_STATUS_PROCESS& status) const {
    if (openError_ != 0) return openError_;
    DWORD needed = 0;
    if (!QueryServiceStatusEx(service_.Get(), SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(&status),
                              sizeof(status), &needed)) {
        return GetLastError();
    }
    return ERROR_SUCCESS;
}

DWORD CServiceController::Query(DWORD& state) const {
    SERVICE_STATUS_PROCESS status = {};
    const DWORD error = Query(status);
    if (error == ERROR_SUCCESS) state = status.dwCurrentState;
    return error;
}

DWORD CServiceController::WaitWhile(DWORD pendingState, DWORD& state) const {
    SERVICE_STATUS_PROCESS status = {};
    DWORD error = Query(status);
    if (error != ERROR_SUCCESS) return error;
    DWORD lastProgress = GetTickCount();
    DWORD checkPoint = status.dwCheckPoint;
    while (status.dwCurrentState == pendingState) {
        Sleep(SleepForHint(status.dwWaitHint));
        error = Query(status);
        if (error != ERROR_SUCCESS) return error;
        if (status.dwCurrentState != pendingState) break;
        if (status.dwCheckPoint > checkPoint) {
            lastProgress = GetTickCount();
            checkPoint = status.dwCheckPoint;
        } else if (GetTickCount() - lastProgress > status.dwWaitHint) {
            break;
        }
    }
    state = status.dwCurrentState;
    return ERROR_SUCCESS;
}

DWORD CServiceController::StartAndWait(DWORD& state) const {
    DWORD error = Query(state);
    if (error != ERROR_SUCCESS) return error;
    if (state != SERVICE_RUNNING) {
        if (!StartServiceW(service_.Get(), 0, nullptr)) {
            error = GetLastError();
            if (error != ERROR_SERVICE_ALREADY_RUNNING) return error;
        }
        error = WaitWhile(SERVICE_START_PENDING, state);
        if (error != ERROR_SUCCESS) return error;
    }
    return state == SERVICE_RUNNING ? ERROR_SUCCESS : ERROR_INVALID_SERVICE_CONTROL;
}

DWORD CServiceController::StopAndWait(DWORD& state) const {
    DWORD error = Query(state);
    if (error != ERROR_SUCCESS) return error;
    if (state != SERVICE_STOPPED) {
        SERVICE_STATUS status = {};
        if (!ControlService(service_.Get(), SERVICE_CONTROL_STOP, &status)) {
            error = GetLastError();
            if (error != ERROR_SERVICE_NOT_ACTIVE) return error;
        }
        error = WaitWhile(SERVICE_STOP_PENDING, state);
        if (error != ERROR_SUCCESS) return error;
    }
    return state == SERVICE_STOPPED ? ERROR_SUCCESS : ERROR_INVALID_SERVICE_CONTROL;
}
