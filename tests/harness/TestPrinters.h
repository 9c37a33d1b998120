#pragma once
// Printers for tests and benchmarks: local ports through the local port
// monitor, and printers of Wine's PostScript driver described by a PPD.

#include <windows.h>

#include <string>

namespace qs_test {

// "AddPort" or "DeletePort" of |port| through the local port monitor.
bool LocalPortCommand(const wchar_t* command, const std::wstring& port);

// Adds the driver |driver| of the system's PostScript driver with |ppd| as
// its data file, copied into the spooler's folder (without
// APD_COPY_FROM_DIRECTORY the PPD is not copied and CreateDC fails). 0 or the
// system's error.
DWORD AddPostScriptDriver(const std::wstring& driver, const std::wstring& ppd);

// Adds printer |printer| of |driver| on |port| (print processor "WinPrint",
// data type "RAW"). 0 or the system's error.
DWORD AddPlainPrinter(const std::wstring& printer, const std::wstring& driver, const std::wstring& port);

}  // namespace qs_test
