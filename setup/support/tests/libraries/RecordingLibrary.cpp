// A support library that writes down every call it receives: one line
// "Name(arg|arg|...)" per call, appended (UTF-16, CR LF) to the file named
// after the library itself with ".calls.txt" added. Out buffers are filled
// with fixed texts; each entry point returns its own fixed value.
#define SUPPORT_LIBRARY_IMPLEMENTATION
#include "SupportLibraryContract.h"

#include <cwchar>
#include <initializer_list>
#include <string>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

std::wstring Number(long long value) { return std::to_wstring(value); }
std::wstring Text(LPCWSTR text) { return text != nullptr ? std::wstring(text) : std::wstring(L"<null>"); }

void Record(const wchar_t* name, std::initializer_list<std::wstring> arguments) {
    std::wstring line = name;
    line += L'(';
    bool first = true;
    for (const std::wstring& argument : arguments) {
        if (!first) line += L'|';
        line += argument;
        first = false;
    }
    line += L")\r\n";

    wchar_t self[MAX_PATH * 2] = {};
    GetModuleFileNameW(reinterpret_cast<HMODULE>(&__ImageBase), self, MAX_PATH * 2);
    const std::wstring file = std::wstring(self) + L".calls.txt";
    HANDLE handle = CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(handle, line.data(), static_cast<DWORD>(line.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(handle);
}

void Fill(LPWSTR buffer, const wchar_t* text) {
    if (buffer != nullptr) wcscpy(buffer, text);
}

}  // namespace

extern "C" {

int WINAPI MyInstall(int reserved, LPCWSTR recordsRoot, LPCWSTR itemKey, int installed) {
    Record(L"MyInstall", {Number(reserved), Text(recordsRoot), Text(itemKey), Number(installed)});
    return 2;
}

int WINAPI MyCreateShortCut(int reserved, LPCWSTR recordsRoot, LPCWSTR shortcutKey) {
    Record(L"MyCreateShortCut", {Number(reserved), Text(recordsRoot), Text(shortcutKey)});
    return 3;
}

BOOL WINAPI GetDevicePort(LPCWSTR manufacturer, LPCWSTR model, LPCWSTR vidPid, LPWSTR port, DWORD* portCount) {
    Record(L"GetDevicePort", {Text(manufacturer), Text(model), Text(vidPid)});
    Fill(port, L"USB001");
    *portCount = 1;
    return TRUE;
}

// Only a high byte set: not true for setup.
BOOL WINAPI StartPreventPnP(LPCWSTR manufacturerModel) {
    Record(L"StartPreventPnP", {Text(manufacturerModel)});
    return 0x100;
}

BOOL WINAPI EndPreventPnP(LPCWSTR manufacturerModel) {
    Record(L"EndPreventPnP", {Text(manufacturerModel)});
    return 0x101;
}

BOOL WINAPI RemoveHardwareWizardDialog() {
    Record(L"RemoveHardwareWizardDialog", {});
    return TRUE;
}

BOOL WINAPI MySetForegroundNHWdDialog() {
    Record(L"MySetForegroundNHWdDialog", {});
    return 0x200;
}

BOOL WINAPI SystemRefresh(LPCWSTR manufacturerModel, LPCWSTR vidPid) {
    Record(L"SystemRefresh", {Text(manufacturerModel), Text(vidPid)});
    return TRUE;
}

BOOL WINAPI RemoveUnknownDev(LPCWSTR manufacturerModel, LPCWSTR vidPid) {
    Record(L"RemoveUnknownDev", {Text(manufacturerModel), Text(vidPid)});
    return TRUE;
}

int WINAPI MyGetDeviceIDFromPort(LPCWSTR port, LPWSTR deviceId) {
    Record(L"MyGetDeviceIDFromPort", {Text(port)});
    Fill(deviceId, L"MFG:Quorvel;MDL:QX-1;");
    return 5;
}

int WINAPI SaveFile(LPCWSTR file, LPCWSTR keyPath, int reserved) {
    Record(L"SaveFile", {Text(file), Text(keyPath), Number(reserved)});
    return 6;
}

DWORD WINAPI GetDiskFreeSpaceVX(LPCWSTR path) {
    Record(L"GetDiskFreeSpaceVX", {Text(path)});
    return 4242;
}

int WINAPI DoRemoteInstall(support_library::REMOTE_INSTALL_RECORD* record) {
    Record(L"DoRemoteInstall", {record->computer, record->localAddress, record->userName, record->password,
                                record->domain, record->sourceDirectory, record->registryFile, record->commandLine});
    return 8;
}

int WINAPI Diagnosis(LPCWSTR manufacturer, LPCWSTR printer, LPCWSTR model, LPCWSTR vidPid) {
    Record(L"Diagnosis", {Text(manufacturer), Text(printer), Text(model), Text(vidPid)});
    return 9;
}

int WINAPI DiagnosisEx(LPCWSTR manufacturer, LPCWSTR printer, LPCWSTR model, LPCWSTR vidPid, int reserved) {
    Record(L"DiagnosisEx", {Text(manufacturer), Text(printer), Text(model), Text(vidPid), Number(reserved)});
    return 10;
}

int WINAPI PrintTestPage(LPCWSTR printer, LPCWSTR text, LPCWSTR url, LPCWSTR resourceLibrary, LPCWSTR bitmap) {
    Record(L"PrintTestPage", {Text(printer), Text(text), Text(url), Text(resourceLibrary), Text(bitmap)});
    return 11;
}

int WINAPI MetaTestPage(LPCWSTR printer, LPCWSTR metafile) {
    Record(L"MetaTestPage", {Text(printer), Text(metafile)});
    return 12;
}

int WINAPI PrintPrnFile(LPCWSTR printer, LPCWSTR printFile) {
    Record(L"PrintPrnFile", {Text(printer), Text(printFile)});
    return 13;
}

int WINAPI MyGetPrinterDesc(LPCWSTR address, LPWSTR deviceId, int reserved) {
    Record(L"MyGetPrinterDesc", {Text(address), Number(reserved)});
    Fill(deviceId, L"MFG:Quorvel;MDL:QX-N;");
    return 0;
}

int WINAPI MyGetPrinterDescAdv(LPCWSTR address, LPWSTR deviceId, int publicOid, LPCWSTR community) {
    Record(L"MyGetPrinterDescAdv", {Text(address), Number(publicOid), Text(community)});
    Fill(deviceId, L"MFG:Quorvel;MDL:QX-A;");
    return 0;
}

int WINAPI MyGetIPX(LPCWSTR address, LPWSTR ipx) {
    Record(L"MyGetIPX", {Text(address)});
    Fill(ipx, L"00000001:001122334455");
    return 14;
}

int WINAPI MyGetIPXAdv(LPCWSTR address, LPWSTR ipx, LPCWSTR community) {
    Record(L"MyGetIPXAdv", {Text(address), Text(community)});
    Fill(ipx, L"00000002:001122334455");
    return 15;
}

int WINAPI MySetNetworkPortEx(LPCWSTR port, LPCWSTR address, LPCWSTR mac, LPCWSTR ipx, LPCWSTR monitorName,
                              LPCWSTR monitorFile, LPCWSTR mutexName, int noMonitor) {
    Record(L"MySetNetworkPortEx", {Text(port), Text(address), Text(mac), Text(ipx), Text(monitorName),
                                   Text(monitorFile), Text(mutexName), Number(noMonitor)});
    return 16;
}

int WINAPI MySetNetworkPortAdv(LPCWSTR port, LPCWSTR address, LPCWSTR mac, LPCWSTR ipx, LPCWSTR monitorName,
                               LPCWSTR monitorFile, LPCWSTR mutexName, int noMonitor, LPCWSTR community) {
    Record(L"MySetNetworkPortAdv", {Text(port), Text(address), Text(mac), Text(ipx), Text(monitorName),
                                    Text(monitorFile), Text(mutexName), Number(noMonitor), Text(community)});
    return 17;
}

int WINAPI MyDelNetworkPort(LPCWSTR port, LPCWSTR settings, int flag) {
    Record(L"MyDelNetworkPort", {Text(port), Text(settings), Number(flag)});
    return 18;
}

// Both discoveries report one printer and return what the callback returned, plus 100.
int WINAPI SnmpDiscovery(support_library::SnmpDiscoveryCallback callback) {
    Record(L"SnmpDiscovery", {callback != nullptr ? L"callback" : L"<null>"});
    return 100 + callback(L"first", L"MFG:Quorvel;MDL:QX-N;", L"00:11:22:33:44:55", L"127.0.0.20", L"");
}

int WINAPI SnmpDiscoveryAdv(support_library::SnmpDiscoveryCallback callback, LPCWSTR community) {
    Record(L"SnmpDiscoveryAdv", {callback != nullptr ? L"callback" : L"<null>", Text(community)});
    return 100 + callback(L"first", L"MFG:Quorvel;MDL:QX-A;", L"00:11:22:33:44:66", L"127.0.0.21", L"::1");
}

int WINAPI Preinstall(LPCWSTR command, HWND owner) {
    Record(L"Preinstall", {Text(command), Number(reinterpret_cast<INT_PTR>(owner))});
    return 21;
}

DWORD WINAPI SetIP(LPCWSTR address, LPCWSTR gateway, LPCWSTR mask, LPCWSTR mac) {
    Record(L"SetIP", {Text(address), Text(gateway), Text(mask), Text(mac)});
    return 22;
}

// Two printers; without a buffer only the size and count are given.
int WINAPI GetNetPrinter(void* records, DWORD* size, DWORD* count) {
    Record(L"GetNetPrinter", {records != nullptr ? L"buffer" : L"<null>", Number(*size)});
    *count = 2;
    if (records == nullptr) {
        *size = 2 * support_library::kNetPrinterRecordSize;
        return 0;
    }
    static_cast<BYTE*>(records)[0] = 'A';
    static_cast<BYTE*>(records)[support_library::kNetPrinterRecordSize] = 'B';
    return 0;
}

int WINAPI WSP_Start(LPCWSTR root, LPCWSTR manufacturer, LPCWSTR model, LPCWSTR language, int mode,
                     LPCWSTR community, LPWSTR result, DWORD resultSize) {
    Record(L"WSP_Start", {Text(root), Text(manufacturer), Text(model), Text(language), Number(mode), Text(community),
                          Number(resultSize)});
    Fill(result, L"127.0.0.30");
    return 0;
}

}  // extern "C"
