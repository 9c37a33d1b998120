#include "TestPrinters.h"

#include <winspool.h>

namespace qs_test {

bool LocalPortCommand(const wchar_t* command, const std::wstring& port) {
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, SERVER_ACCESS_ADMINISTER};
    HANDLE monitor = nullptr;
    if (!OpenPrinterW(const_cast<wchar_t*>(L",XcvMonitor Local Port"), &monitor, &defaults)) return false;
    DWORD needed = 0;
    DWORD status = 0;
    const BOOL sent = XcvDataW(monitor, command, reinterpret_cast<BYTE*>(const_cast<wchar_t*>(port.c_str())),
                               static_cast<DWORD>((port.size() + 1) * sizeof(wchar_t)), nullptr, 0, &needed, &status);
    ClosePrinter(monitor);
    return sent && status == ERROR_SUCCESS;
}

DWORD AddPostScriptDriver(const std::wstring& driver, const std::wstring& ppd) {
    std::wstring name = driver;
    std::wstring dataFile = ppd;
    DRIVER_INFO_3W info = {};
    info.cVersion = 3;
    info.pName = &name[0];
    info.pDriverPath = const_cast<wchar_t*>(L"C:\\windows\\system32\\wineps.drv");
    info.pConfigFile = const_cast<wchar_t*>(L"C:\\windows\\system32\\wineps.drv");
    info.pDataFile = &dataFile[0];
    if (AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&info), APD_COPY_FROM_DIRECTORY | APD_COPY_NEW_FILES))
        return ERROR_SUCCESS;
    return GetLastError();
}

DWORD AddPlainPrinter(const std::wstring& printer, const std::wstring& driver, const std::wstring& port) {
    std::wstring name = printer;
    std::wstring driverName = driver;
    std::wstring portName = port;
    PRINTER_INFO_2W info = {};
    info.pPrinterName = &name[0];
    info.pPortName = &portName[0];
    info.pDriverName = &driverName[0];
    info.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
    info.pDatatype = const_cast<wchar_t*>(L"RAW");
    const HANDLE added = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (added == nullptr) return GetLastError();
    ClosePrinter(added);
    return ERROR_SUCCESS;
}

}  // namespace qs_test
