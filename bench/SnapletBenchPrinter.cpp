// Adds a printer for the snaplet benchmark and makes it the default: Wine's
// PostScript driver with the given PPD, printing to the given file.
//
//   snaplet_bench_printer.exe NAME PPD OUTPUT
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <string>

#include "TestPrinters.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fwprintf(stderr, L"usage: snaplet_bench_printer.exe NAME PPD OUTPUT\n");
        return 2;
    }
    std::wstring name = argv[1];
    std::wstring ppd = argv[2];
    std::wstring output = argv[3];
    std::wstring driver = L"Snaplet Bench PostScript";
    if (const DWORD failed = qs_test::AddPostScriptDriver(driver, ppd)) {
        std::fwprintf(stderr, L"AddPrinterDriverExW(%ls) failed: %lu\n", ppd.c_str(), failed);
        return 1;
    }
    if (const DWORD failed = qs_test::AddPlainPrinter(name, driver, output)) {
        std::fwprintf(stderr, L"AddPrinterW(%ls) failed: %lu\n", name.c_str(), failed);
        return 1;
    }
    if (!SetDefaultPrinterW(name.c_str())) {
        std::fwprintf(stderr, L"SetDefaultPrinterW(%ls) failed: %lu\n", name.c_str(), GetLastError());
        return 1;
    }
    return 0;
}
