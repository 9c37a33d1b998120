#pragma once
// One printer the run installs and then configures: the name its driver
// installs it under, the name, share and port it is to get, and whether it
// becomes the default printer.

#include <cstddef>
#include <cstdint>
#include <string>

struct PrinterData {
    // Every text holds at most this many characters with its terminator;
    // CMyPrinter cuts longer texts when it stores them.
    static constexpr std::size_t kTextChars = 8192;

    std::wstring installedName;   // the component's DRIVER_NAME: the printer's name once installed
    std::wstring printerName;     // the component's PRINTER_NAME: the name it is to carry
    std::wstring shareName;       // the component's SHARE_NAME
    std::wstring infPath;         // the component's INF, path variables not yet expanded
    std::wstring port;            // the port it is to be attached to
    bool defaultPrinter = false;  // DEFAULT_PRINTER
    bool sharePrinter = false;    // SHARE_PRINTER
    bool installed = false;       // installed during this run
    bool setPort = false;         // |port| is to be applied
    std::int32_t listIndex = -1;       // its slot in the list; -1 when in none
    std::int32_t componentIndex = -1;  // the owning component's position; -1 when none
};
