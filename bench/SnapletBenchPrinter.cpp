// Adds a printer for the snaplet benchmark and makes it the default: Wine's
// PostScript driver with the given PPD, printing to the given file.
//
//   snaplet_bench_printer.exe NAME PPD OUTPUT
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fwprintf(stderr, L"usage: snaplet_bench_printer.exe NAME PPD OUTPUT\n");
        return 2;
    }
    std::wstring name = argv[1];
    std::wstring ppd = argv[2];
    std::wstring output = argv[3];
    std::wstring driver = L"Snaplet Bench PostScript";
    DRIVER_INFO_3W info = {};
    info.cVersion = 3;
    info.pName = &driver[0];
    info.pDriverPath = const_cast<wchar_t*>(L"C:\\windows\\system32\\wineps.drv");
    info.pConfigFile = const_cast<wchar_t*>(L"C:\\windows\\system32\\wineps.drv");
    info.pDataFile = &ppd[0];
    if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&info), APD_COPY_FROM_DIRECTORY | APD_COPY_NEW_FILES)) {
        std::fwprintf(stderr, L"AddPrinterDriverExW(%ls) failed: %lu\n", ppd.c_str(), GetLastError());
        return 1;
    }
    PRINTER_INFO_2W printer = {};
    printer.pPrinterName = &name[0];
    printer.pPortName = &output[0];
    printer.pDriverName = &driver[0];
    printer.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
    printer.pDatatype = const_cast<wchar_t*>(L"RAW");
    const HANDLE added = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
    if (added == nullptr) {
        std::fwprintf(stderr, L"AddPrinterW(%ls) failed: %lu\n", name.c_str(), GetLastError());
        return 1;
    }
    ClosePrinter(added);
    if (!SetDefaultPrinterW(name.c_str())) {
        std::fwprintf(stderr, L"SetDefaultPrinterW(%ls) failed: %lu\n", name.c_str(), GetLastError());
        return 1;
    }
    return 0;
}
