#pragma once
// Installing and removing a printer driver described by an INF, and the
// printer of that driver. The same steps serve the installer library (a
// printer component's record) and QvDrvInst.exe (its command line).
//
// One behaviour on every system: a printer of the name that already exists is
// kept (its port, sharing and settings stay; only its driver is set to this
// driver when it differs), and a port that does not exist is made as a local
// port before the printer is added; when that fails, the install fails.
// Removal deletes every printer of the driver (the spooler refuses to delete a
// driver in use), the driver, the driver files no other driver uses, and the
// staged INF; what is already gone counts as removed.

#include <windows.h>

#include <string>

#include "PrinterSpooler.h"
#include "SystemDriverFiles.h"

namespace installer {

struct PRINTER_JOB {
    std::wstring inf;          // the INF to install from (or, for removal, to learn the catalog from)
    std::wstring driverName;   // empty: the model at |index|
    int index = -1;
    std::wstring printerName;  // empty: the driver only
    std::wstring port;         // for the printer
    std::wstring stagedInf;    // removal: the staged copy, when known
    std::vector<std::wstring> copiedFiles;  // removal: the driver files installing it copied
    std::wstring createdPort;  // removal: the local port installing it made, when it did
};

struct PRINTER_RESULT {
    DWORD error = ERROR_SUCCESS;  // 0 on success
    std::wstring stagedInf;       // install: where the INF was staged
    std::wstring driverName;      // the driver installed or removed
    std::vector<std::wstring> copiedFiles;  // install: the driver files the spooler copied
    std::wstring createdPort;     // install: the local port made for the printer, if one was
};

class CPrinterInstaller {
public:
    CPrinterInstaller(IPrinterSpooler& spooler, const CSystemDriverFiles& files) : spooler_(spooler), files_(files) {}

    PRINTER_RESULT Install(const PRINTER_JOB& job);
    PRINTER_RESULT Remove(const PRINTER_JOB& job);

    // The printer step of Install: 0 or the error.
    // |createdPort| (may be null) gets the port when it had to be made.
    DWORD EnsurePrinter(const std::wstring& printer, const std::wstring& driver, const std::wstring& port,
                        std::wstring* createdPort = nullptr);

private:
    IPrinterSpooler& spooler_;
    const CSystemDriverFiles& files_;
};

}  // namespace installer
