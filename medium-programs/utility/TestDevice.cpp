#include "TestDevice.h"

#include <windows.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

constexpr DWORD kValueLength = 8192;

std::wstring ReadValue(const std::wstring& file, const wchar_t* key) {
    std::wstring value(kValueLength, L'\0');
    const DWORD length = GetPrivateProfileStringW(L"DEVICE", key, L"", &value[0], kValueLength, file.c_str());
    value.resize(length);
    return value;
}

std::wstring PortName(std::wstring port) {
    while (!port.empty() && (port.back() == L':' || port.back() == L' ')) port.pop_back();
    if (!port.empty()) CharUpperBuffW(&port[0], static_cast<DWORD>(port.size()));
    return port;
}

}  // namespace

std::wstring LibraryFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(reinterpret_cast<HMODULE>(&__ImageBase), &path[0],
                                                static_cast<DWORD>(path.size()));
        if (length == 0) return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::wstring::size_type slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

TEST_DEVICE ReadTestDevice(const std::wstring& folder) {
    TEST_DEVICE device;
    const std::wstring file = folder + L"\\Device.ini";
    if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) return device;
    device.present = true;
    device.port = ReadValue(file, L"PORT");
    device.deviceId = ReadValue(file, L"DEVICE_ID");
    return device;
}

bool IsPortOf(const TEST_DEVICE& device, const std::wstring& port) {
    return device.present && !device.port.empty() && PortName(device.port) == PortName(port);
}
