#include "SystemDevices.h"

#include <windows.h>
#include <cfgmgr32.h>
#include <setupapi.h>

#include <cwchar>
#include <vector>

namespace {

// The interface class of USB printing devices; its registry key holds the
// port the system gave the device ("Base Name" + "Port Number").
const GUID kUsbPrintInterface = {0x28d78fad, 0x5a12, 0x11d1, {0xae, 0x5b, 0x00, 0x00, 0xf8, 0x03, 0xa8, 0xc2}};

class CDeviceSet {
public:
    explicit CDeviceSet(HDEVINFO set) : set_(set) {}
    ~CDeviceSet() {
        if (set_ != INVALID_HANDLE_VALUE) SetupDiDestroyDeviceInfoList(set_);
    }
    CDeviceSet(const CDeviceSet&) = delete;
    CDeviceSet& operator=(const CDeviceSet&) = delete;
    HDEVINFO get() const { return set_; }
    bool valid() const { return set_ != INVALID_HANDLE_VALUE; }

private:
    HDEVINFO set_;
};

std::wstring Upper(std::wstring text) {
    if (!text.empty()) CharUpperBuffW(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

bool Names(const std::wstring& text, const std::wstring& vidPid) {
    return !vidPid.empty() && Upper(text).find(Upper(vidPid)) != std::wstring::npos;
}

std::wstring InterfacePath(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& data) {
    DWORD size = 0;
    SetupDiGetDeviceInterfaceDetailW(set, &data, nullptr, 0, &size, nullptr);
    if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return std::wstring();
    std::vector<BYTE> buffer(size);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!SetupDiGetDeviceInterfaceDetailW(set, &data, detail, size, nullptr, nullptr)) return std::wstring();
    return detail->DevicePath;
}

std::wstring PortOfInterface(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& data) {
    HKEY key = SetupDiOpenDeviceInterfaceRegKey(set, &data, 0, KEY_READ);
    if (key == INVALID_HANDLE_VALUE) return std::wstring();
    wchar_t base[64] = {};
    DWORD size = sizeof(base) - sizeof(wchar_t);
    DWORD type = 0;
    DWORD number = 0;
    DWORD numberSize = sizeof(number);
    std::wstring port;
    if (RegQueryValueExW(key, L"Base Name", nullptr, &type, reinterpret_cast<BYTE*>(base), &size) == ERROR_SUCCESS &&
        type == REG_SZ &&
        RegQueryValueExW(key, L"Port Number", nullptr, &type, reinterpret_cast<BYTE*>(&number), &numberSize) ==
            ERROR_SUCCESS &&
        type == REG_DWORD) {
        wchar_t text[96] = {};
        swprintf(text, 96, L"%ls%03lu", base, static_cast<unsigned long>(number));
        port = text;
    }
    RegCloseKey(key);
    return port;
}

std::wstring HardwareIds(HDEVINFO set, SP_DEVINFO_DATA& device) {
    DWORD size = 0;
    SetupDiGetDeviceRegistryPropertyW(set, &device, SPDRP_HARDWAREID, nullptr, nullptr, 0, &size);
    if (size == 0) return std::wstring();
    std::vector<BYTE> buffer(size + 2 * sizeof(wchar_t));
    if (!SetupDiGetDeviceRegistryPropertyW(set, &device, SPDRP_HARDWAREID, nullptr, buffer.data(), size, nullptr))
        return std::wstring();
    // The list's zero separators become spaces.
    std::wstring ids(reinterpret_cast<const wchar_t*>(buffer.data()), size / sizeof(wchar_t));
    for (wchar_t& c : ids)
        if (c == L'\0') c = L' ';
    return ids;
}

}  // namespace

std::wstring FindUsbPrintPort(const std::wstring& vidPid) {
    CDeviceSet set(SetupDiGetClassDevsW(&kUsbPrintInterface, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    if (!set.valid()) return std::wstring();
    for (DWORD index = 0;; ++index) {
        SP_DEVICE_INTERFACE_DATA data = {};
        data.cbSize = sizeof(data);
        if (!SetupDiEnumDeviceInterfaces(set.get(), nullptr, &kUsbPrintInterface, index, &data)) break;
        if (!Names(InterfacePath(set.get(), data), vidPid)) continue;
        const std::wstring port = PortOfInterface(set.get(), data);
        if (!port.empty()) return port;
    }
    return std::wstring();
}

bool RescanDevices() {
    DEVINST root = 0;
    if (CM_Locate_DevNodeW(&root, nullptr, CM_LOCATE_DEVNODE_NORMAL) != CR_SUCCESS) return false;
    return CM_Reenumerate_DevNode(root, 0) == CR_SUCCESS;
}

bool RemoveUninstalledDevices(const std::wstring& vidPid) {
    CDeviceSet set(SetupDiGetClassDevsW(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES));
    if (!set.valid()) return false;
    bool allRemoved = true;
    for (DWORD index = 0;; ++index) {
        SP_DEVINFO_DATA device = {};
        device.cbSize = sizeof(device);
        if (!SetupDiEnumDeviceInfo(set.get(), index, &device)) break;
        if (!Names(HardwareIds(set.get(), device), vidPid)) continue;
        ULONG status = 0;
        ULONG problem = 0;
        if (CM_Get_DevNode_Status(&status, &problem, device.DevInst, 0) != CR_SUCCESS) continue;
        if (problem != CM_PROB_FAILED_INSTALL && problem != CM_PROB_NOT_CONFIGURED) continue;
        if (!SetupDiRemoveDevice(set.get(), &device)) allRemoved = false;
    }
    return allRemoved;
}
