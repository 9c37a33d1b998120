#pragma once
// The spooler's printer drivers: adding one from a plan, and removing one
// together with the files it copied into the spooler's driver directory that
// no remaining driver uses (Wine's DeletePrinterDriver leaves them; Windows
// leaves them too unless asked, and Wine rejects the asking).

#include <windows.h>

#include <string>
#include <vector>

#include "SystemDriverFiles.h"

namespace installer {

// The spooler's driver directory for this system's environment.
std::wstring PrinterDriverDirectory();

// 0 or the system's error.
DWORD AddPrinterDriver(const DRIVER_PLAN& plan);

// Whether driver |name| is installed; with its files (full paths) when it is.
bool FindPrinterDriver(const std::wstring& name, std::vector<std::wstring>* files);

// Every file of every installed driver.
std::vector<std::wstring> FilesOfAllDrivers();

// The files in the driver directory and its version folders (full paths):
// taken before and after adding a driver, they tell which files the adding
// copied, and only those are the installation's to delete.
std::vector<std::wstring> DriverDirectoryFiles();

// Deletes the driver, then each of its files that lies in the driver
// directory, is one of |copied| (what installing it copied) and that no
// remaining driver uses. 0, ERROR_UNKNOWN_PRINTER_DRIVER when it was not
// there, or the system's error. |deleted| gets the files deleted.
DWORD RemovePrinterDriver(const std::wstring& name, const std::vector<std::wstring>& copied,
                          std::vector<std::wstring>* deleted);

}  // namespace installer
