#include "RequirementSystem.h"

#include <utility>

#include "APIFunction.h"

namespace {

// The setup class of USB host controllers and hubs.
constexpr GUID kUsbDeviceClass = {0x36fc9e60, 0xc465, 0x11cf, {0x80, 0x56, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

}  // namespace

int ShowSystemMessage(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
    return MessageBoxW(owner, text, caption, type);
}

std::optional<std::uint64_t> QueryDiskFreeMegabytes(const std::wstring& path) {
    ULARGE_INTEGER available = {};
    if (path.empty()) {
        if (!GetDiskFreeSpaceExW(nullptr, &available, nullptr, nullptr)) return std::nullopt;
        return available.QuadPart / (1024 * 1024);
    }
    // The system answers only for a directory that exists, named with a
    // trailing backslash: walk up until one does.
    std::wstring directory = path;
    while (!directory.empty() && directory.back() == L'\\') directory.pop_back();
    while (!directory.empty()) {
        if (GetDiskFreeSpaceExW((directory + L'\\').c_str(), &available, nullptr, nullptr))
            return available.QuadPart / (1024 * 1024);
        const std::size_t slash = directory.rfind(L'\\');
        if (slash == std::wstring::npos) break;
        directory.resize(slash);
        while (!directory.empty() && directory.back() == L'\\') directory.pop_back();
    }
    return std::nullopt;
}

long QueryUsbPresence(const std::wstring&, const std::wstring&, const std::wstring&, std::wstring& port) {
    port.clear();
    const CAPIFunction& api = GlobalApiTable();
    using Entry = CAPIFunction::Entry;
    if (!api.IsBound(Entry::kSetupDiGetClassDevs) || !api.IsBound(Entry::kSetupDiEnumDeviceInfo) ||
        !api.IsBound(Entry::kSetupDiDestroyDeviceInfoList))
        return 0;
    const HDEVINFO devices = api.SetupDiGetClassDevs(&kUsbDeviceClass, nullptr, nullptr, DIGCF_PRESENT);
    if (devices == nullptr || devices == INVALID_HANDLE_VALUE) return 0;
    SP_DEVINFO_DATA device = {};
    device.cbSize = sizeof(device);
    const bool present = api.SetupDiEnumDeviceInfo(devices, 0, &device) != FALSE;
    const DWORD error = present ? ERROR_SUCCESS : GetLastError();
    api.SetupDiDestroyDeviceInfoList(devices);
    return !present && error == ERROR_NO_MORE_ITEMS ? -1 : 0;
}

REQUIREMENT_SYSTEM WithSystemDefaults(REQUIREMENT_SYSTEM system) {
    if (!system.showMessage) system.showMessage = ShowSystemMessage;
    if (!system.freeSpace) system.freeSpace = QueryDiskFreeMegabytes;
    if (!system.devicePort) system.devicePort = QueryUsbPresence;
    return system;
}
