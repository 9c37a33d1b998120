#pragma once
// Which files a printer driver is added with. A model INF names its own files
// (data file, CopyFiles) and leaves the driver binaries to the system's
// printer INF (Include=NTPRINT.INF, Needs=PSCRIPT.OEM / UNIDRV.OEM). Windows
// has those binaries; Wine has neither the INF nor the drivers, only its own
// PostScript driver, which takes a PPD as data file. This is the one place
// that knows the difference: it turns a model into a plan of the files to pass
// to AddPrinterDriverEx, for the system the caller names.

#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

#include "PrinterInf.h"

namespace installer {

enum class SpoolerPlatform { kWindows, kWine };

struct DRIVER_PLAN {
    std::wstring name;
    std::wstring driverPath;
    std::wstring configFile;
    std::wstring dataFile;
    std::wstring helpFile;
    std::vector<std::wstring> dependentFiles;
    DWORD copyFlags = 0;
};

class CSystemDriverFiles {
public:
    // |systemDriverDirectory|: where the system's driver binaries are found
    // (Windows: the spooler's driver directory).
    CSystemDriverFiles(SpoolerPlatform platform, std::wstring systemDriverDirectory)
        : platform_(platform), systemDirectory_(std::move(systemDriverDirectory)) {}

    // The platform this process runs on (Wine exports wine_get_version from ntdll).
    static SpoolerPlatform Running();

    // False with |error| when this system has no driver for the model.
    bool Plan(const INF_MODEL& model, DRIVER_PLAN* plan, std::wstring* error) const;

private:
    std::wstring SystemFile(const wchar_t* name) const { return systemDirectory_ + L"\\" + name; }

    SpoolerPlatform platform_;
    std::wstring systemDirectory_;
};

}  // namespace installer
