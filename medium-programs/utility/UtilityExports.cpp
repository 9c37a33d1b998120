// The entry points setup binds from the utility library. They keep quiet:
// what they do goes to the debugger output only.
#define SUPPORT_LIBRARY_IMPLEMENTATION
#include "SupportLibraryContract.h"

#include <cwchar>
#include <string>

#include "FreeSpace.h"
#include "SystemDevices.h"
#include "TestDevice.h"

using namespace support_library;

namespace {

std::wstring Text(LPCWSTR text) { return text != nullptr ? std::wstring(text) : std::wstring(); }

void Trace(const wchar_t* format, const std::wstring& first, const std::wstring& second = std::wstring()) {
    wchar_t line[1024] = {};
    swprintf(line, 1024, format, first.c_str(), second.c_str());
    OutputDebugStringW(line);
}

void CopyCut(LPWSTR buffer, DWORD length, const std::wstring& text) {
    const std::size_t count = text.size() < length ? text.size() : length - 1;
    wmemcpy(buffer, text.data(), count);
    buffer[count] = L'\0';
}

// The system's new-hardware dialog, when it is open. Closing it or bringing it
// to the front counts as done when none is open.
HWND NewHardwareDialog() { return FindWindowW(L"#32770", L"Found New Hardware Wizard"); }

}  // namespace

extern "C" {

BOOL WINAPI GetDevicePort(LPCWSTR manufacturer, LPCWSTR model, LPCWSTR vidPid, LPWSTR port, DWORD* portCount) {
    if (port == nullptr || portCount == nullptr) return FALSE;
    port[0] = L'\0';
    *portCount = 0;
    const TEST_DEVICE device = ReadTestDevice(LibraryFolder());
    if (device.present) {
        if (device.port.empty()) {
            Trace(L"Vxutil: test device setting without PORT (%ls%ls)\n", Text(manufacturer), Text(model));
            *portCount = static_cast<DWORD>(-1);
            return FALSE;
        }
        CopyCut(port, kPortNameLength, device.port);
        *portCount = 1;
        return TRUE;
    }
    const std::wstring found = FindUsbPrintPort(Text(vidPid));
    if (!found.empty()) {
        CopyCut(port, kPortNameLength, found);
        *portCount = 1;
    }
    return TRUE;
}

int WINAPI MyGetDeviceIDFromPort(LPCWSTR port, LPWSTR deviceId) {
    if (port == nullptr || deviceId == nullptr) return 0;
    deviceId[0] = L'\0';
    const TEST_DEVICE device = ReadTestDevice(LibraryFolder());
    if (!IsPortOf(device, port) || device.deviceId.empty()) return 0;
    CopyCut(deviceId, kDeviceIdLength, device.deviceId);
    return 1;
}

BOOL WINAPI StartPreventPnP(LPCWSTR manufacturerModel) {
    Trace(L"Vxutil: keep new-hardware handling away from %ls%ls\n", Text(manufacturerModel));
    return TRUE;
}

BOOL WINAPI EndPreventPnP(LPCWSTR manufacturerModel) {
    Trace(L"Vxutil: let new-hardware handling back to %ls%ls\n", Text(manufacturerModel));
    return TRUE;
}

BOOL WINAPI RemoveHardwareWizardDialog() {
    HWND dialog = NewHardwareDialog();
    if (dialog == nullptr) return TRUE;
    return PostMessageW(dialog, WM_CLOSE, 0, 0);
}

BOOL WINAPI MySetForegroundNHWdDialog() {
    HWND dialog = NewHardwareDialog();
    if (dialog == nullptr) return TRUE;
    return SetForegroundWindow(dialog);
}

BOOL WINAPI SystemRefresh(LPCWSTR manufacturerModel, LPCWSTR vidPid) {
    if (ReadTestDevice(LibraryFolder()).present) {
        Trace(L"Vxutil: test device: would rescan the devices for %ls (%ls)\n", Text(manufacturerModel), Text(vidPid));
        return TRUE;
    }
    return RescanDevices();
}

BOOL WINAPI RemoveUnknownDev(LPCWSTR manufacturerModel, LPCWSTR vidPid) {
    if (ReadTestDevice(LibraryFolder()).present) {
        Trace(L"Vxutil: test device: would remove uninstalled devices of %ls (%ls)\n", Text(manufacturerModel),
              Text(vidPid));
        return TRUE;
    }
    return RemoveUninstalledDevices(Text(vidPid));
}

DWORD WINAPI GetDiskFreeSpaceVX(LPCWSTR path) {
    if (path == nullptr || path[0] == L'\0') return 0;
    return FreeMegabytes(path);
}

}  // extern "C"
