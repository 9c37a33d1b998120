#include "PrinterInstaller.h"

#include <vector>

#include "InstallLog.h"
#include "OemInfStaging.h"
#include "PrinterDrivers.h"
#include "PrinterInf.h"

namespace installer {

PRINTER_RESULT CPrinterInstaller::Install(const PRINTER_JOB& job) {
    PRINTER_RESULT result;
    INF_MODEL model;
    std::wstring problem;
    if (!ReadInfModel(job.inf, job.driverName, job.index, SystemIs64Bit(), &model, &problem)) {
        LogLine(L"Install printer driver: %ls", problem.c_str());
        result.error = ERROR_INVALID_DATA;
        return result;
    }
    result.driverName = model.driverName;
    DRIVER_PLAN plan;
    if (!files_.Plan(model, &plan, &problem)) {
        LogLine(L"Install printer driver \"%ls\": %ls", model.driverName.c_str(), problem.c_str());
        result.error = ERROR_NOT_SUPPORTED;
        return result;
    }

    result.error = StageInf(job.inf, &result.stagedInf);
    if (result.error != ERROR_SUCCESS) {
        LogError(result.error, L"SetupCopyOEMInf (%ls)", job.inf.c_str());
        return result;
    }
    LogLine(L"SetupCopyOEMInf (%ls) => %ls", job.inf.c_str(), result.stagedInf.c_str());

    const std::vector<std::wstring> before = DriverDirectoryFiles();
    result.error = AddPrinterDriver(plan);
    if (result.error != ERROR_SUCCESS) {
        LogError(result.error, L"AddPrinterDriverEx (\"%ls\", driver %ls, data file %ls)", plan.name.c_str(),
                 plan.driverPath.c_str(), plan.dataFile.c_str());
        return result;
    }
    LogLine(L"AddPrinterDriverEx (\"%ls\", driver %ls, data file %ls) => OK", plan.name.c_str(),
            plan.driverPath.c_str(), plan.dataFile.c_str());
    for (const std::wstring& file : DriverDirectoryFiles()) {
        bool existed = false;
        for (const std::wstring& old : before) existed = existed || _wcsicmp(old.c_str(), file.c_str()) == 0;
        if (!existed) result.copiedFiles.push_back(file);
    }

    if (!job.printerName.empty())
        result.error = EnsurePrinter(job.printerName, plan.name, job.port, &result.createdPort);
    return result;
}

DWORD CPrinterInstaller::EnsurePrinter(const std::wstring& printer, const std::wstring& driver,
                                       const std::wstring& port, std::wstring* createdPort) {
    std::wstring current;
    if (spooler_.PrinterDriver(printer, &current)) {
        if (_wcsicmp(current.c_str(), driver.c_str()) == 0) {
            LogLine(L"Printer \"%ls\" exists with driver \"%ls\": kept", printer.c_str(), driver.c_str());
            return ERROR_SUCCESS;
        }
        const DWORD set = spooler_.SetPrinterDriver(printer, driver);
        if (set != ERROR_SUCCESS) LogError(set, L"SetPrinter (\"%ls\", driver \"%ls\")", printer.c_str(), driver.c_str());
        else LogLine(L"Printer \"%ls\" kept, driver \"%ls\" => \"%ls\"", printer.c_str(), current.c_str(), driver.c_str());
        return set;
    }
    if (!spooler_.PortExists(port)) {
        const DWORD made = spooler_.AddLocalPort(port);
        if (made != ERROR_SUCCESS) {
            LogError(made, L"AddPort (local port \"%ls\") for printer \"%ls\"", port.c_str(), printer.c_str());
            return made;
        }
        LogLine(L"AddPort (local port \"%ls\") => OK", port.c_str());
        if (createdPort != nullptr) *createdPort = port;
    }
    const DWORD added = spooler_.CreatePrinter(printer, driver, port);
    if (added == ERROR_PRINTER_ALREADY_EXISTS) {
        LogLine(L"AddPrinter (\"%ls\"): it appeared meanwhile; kept", printer.c_str());
        return ERROR_SUCCESS;
    }
    if (added != ERROR_SUCCESS) {
        LogError(added, L"AddPrinter (\"%ls\", driver \"%ls\", port \"%ls\")", printer.c_str(), driver.c_str(),
                 port.c_str());
        return added;
    }
    LogLine(L"AddPrinter (\"%ls\", driver \"%ls\", port \"%ls\") => OK", printer.c_str(), driver.c_str(), port.c_str());
    return ERROR_SUCCESS;
}

PRINTER_RESULT CPrinterInstaller::Remove(const PRINTER_JOB& job) {
    PRINTER_RESULT result;
    INF_MODEL model;
    std::wstring problem;
    const bool infRead = !job.inf.empty() && ReadInfModel(job.inf, job.driverName, job.index, SystemIs64Bit(),
                                                          &model, &problem);
    result.driverName = !job.driverName.empty() ? job.driverName : model.driverName;
    if (result.driverName.empty()) {
        LogLine(L"Remove printer driver: no driver name (%ls)", problem.c_str());
        result.error = ERROR_INVALID_PARAMETER;
        return result;
    }
    const std::wstring& driver = result.driverName;

    std::vector<std::wstring> printers = spooler_.PrintersOfDriver(driver);
    std::wstring unused;
    if (!job.printerName.empty() && spooler_.PrinterDriver(job.printerName, &unused)) {
        bool listed = false;
        for (const std::wstring& name : printers) listed = listed || _wcsicmp(name.c_str(), job.printerName.c_str()) == 0;
        if (!listed && _wcsicmp(unused.c_str(), driver.c_str()) == 0) printers.push_back(job.printerName);
    } else if (!job.printerName.empty() && printers.empty()) {
        LogLine(L"Remove printer \"%ls\": not there", job.printerName.c_str());
    }
    for (const std::wstring& printer : printers) {
        const DWORD deleted = spooler_.DeletePrinter(printer);
        if (deleted != ERROR_SUCCESS) {
            LogError(deleted, L"DeletePrinter (\"%ls\")", printer.c_str());
            result.error = deleted;
            return result;
        }
        LogLine(L"DeletePrinter (\"%ls\") => OK", printer.c_str());
    }

    if (!job.createdPort.empty()) {
        if (!spooler_.PrintersOnPort(job.createdPort).empty()) {
            LogLine(L"Local port \"%ls\": still used, kept", job.createdPort.c_str());
        } else {
            const DWORD portDeleted = spooler_.DeleteLocalPort(job.createdPort);
            if (portDeleted != ERROR_SUCCESS) LogError(portDeleted, L"DeletePort (\"%ls\")", job.createdPort.c_str());
            else LogLine(L"DeletePort (\"%ls\") => OK", job.createdPort.c_str());
        }
    }

    std::vector<std::wstring> files;
    const DWORD removed = RemovePrinterDriver(driver, job.copiedFiles, &files);
    if (removed == ERROR_UNKNOWN_PRINTER_DRIVER) {
        LogLine(L"DeletePrinterDriver (\"%ls\"): not installed", driver.c_str());
    } else if (removed != ERROR_SUCCESS) {
        LogError(removed, L"DeletePrinterDriver (\"%ls\")", driver.c_str());
        result.error = removed;
        return result;
    } else {
        LogLine(L"DeletePrinterDriver (\"%ls\") => OK, %u driver file(s) deleted", driver.c_str(),
                static_cast<unsigned>(files.size()));
    }

    std::wstring staged = job.stagedInf;
    if (staged.empty() && !job.inf.empty()) staged = FindStagedInf(job.inf);
    if (staged.empty()) {
        LogLine(L"Staged INF of \"%ls\": not there", driver.c_str());
        return result;
    }
    const DWORD unstaged = UnstageInf(staged, infRead ? model.catalogFile : std::wstring());
    if (unstaged == ERROR_FILE_NOT_FOUND) LogLine(L"SetupUninstallOEMInf (%ls): not there", staged.c_str());
    else if (unstaged != ERROR_SUCCESS) LogError(unstaged, L"SetupUninstallOEMInf (%ls)", staged.c_str());
    else LogLine(L"SetupUninstallOEMInf (%ls) => OK", staged.c_str());
    return result;
}

}  // namespace installer
