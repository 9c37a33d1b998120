#pragma once
// The system's default printer: making a printer the default, and reading
// which one is.
//
// How a printer becomes the default depends on the system's family
// (os_class, OsVersion.h):
//   Windows 95/98/Me     the printer's attribute PRINTER_ATTRIBUTE_DEFAULT,
//                        written at level 2 (failures log "OpenPrinter (%s)",
//                        "GetPrinter (%s)" or "SetPrinter (%s)" with the
//                        system's error text)
//   Windows NT 3.x, 4.0  key "Device" of section "Windows" of the user's
//                        profile: "<printer>,<its value under the user's key
//                        Software\Microsoft\Windows NT\CurrentVersion\Devices>";
//                        a printer without such a value cannot be made default
//   Windows 2000 and on  the spooler's SetDefaultPrinterW, bound at run time;
//                        when it is missing or fails, the NT 4.0 way
//   any other family     not at all
// Success is broadcast to every top-level window as WM_WININICHANGE
// ("Windows") and logged "Set Default Printer (%s) Success"; anything else is
// logged "Set Default Printer (%s) fail".
//
// The wide entry points (SetDefaultPrinterW, GetDefaultPrinterW) are used so
// that printer names outside the ANSI code page survive.

#include <cstdint>
#include <string>

// Makes |printer| the default printer on the running system.
bool MySetDefaultPrinter(const wchar_t* printer);
// The same as on a system of |osFamily|.
bool MySetDefaultPrinter(const wchar_t* printer, std::uint32_t osFamily);

// The default printer's name: the spooler's GetDefaultPrinterW (bound at run
// time), else the first local printer marked PRINTER_ATTRIBUTE_DEFAULT. False
// when neither names one.
bool ReadDefaultPrinter(std::wstring& printer);
