// QvDrvInst.exe: the medium's driver INF installer, started by setup's
// installer library for the components whose INF class has it as INSTALLER.
//   /IP /INF "<inf>" [/I <index>] [/N "<driver>" | /O "<driver>"] [/P <port>]
//        install a printer driver (and, with /N, a printer of that name)
//   /RP  the same, over what is installed      /UP  remove the driver
//   /IS, /RS /INF "<inf>"  stage a scanner INF  /US  unstage it
// Exit code 0 on success, 1 when the work failed, 2 for a command line it
// does not understand. Every step goes to %TEMP%\Vxrun.log; no window.
#include <windows.h>

#include <string>

#include "DriverCommandLine.h"
#include "InstallLog.h"
#include "OemInfStaging.h"
#include "PrinterDrivers.h"
#include "PrinterInstaller.h"

using namespace installer;

namespace {

constexpr int kSucceeded = 0;
constexpr int kFailed = 1;
constexpr int kBadCommandLine = 2;

// The command line without the program's own name.
std::wstring Arguments() {
    const wchar_t* line = GetCommandLineW();
    bool quoted = false;
    for (; *line != L'\0'; ++line) {
        if (*line == L'"') quoted = !quoted;
        else if (!quoted && (*line == L' ' || *line == L'\t')) break;
    }
    return line;
}

int Run(const DRIVER_COMMAND& command) {
    if (command.operation == DriverOperation::kNone || !command.unknown.empty() || command.inf.empty()) {
        LogLine(L"Command line not understood (operation, /INF; unknown [%ls])", command.unknown.c_str());
        return kBadCommandLine;
    }
    switch (command.operation) {
        case DriverOperation::kStageScanner:
        case DriverOperation::kRestageScanner: {
            std::wstring staged;
            const DWORD error = StageInf(command.inf, &staged);
            if (error != ERROR_SUCCESS) {
                LogError(error, L"SetupCopyOEMInf (%ls)", command.inf.c_str());
                return kFailed;
            }
            LogLine(L"SetupCopyOEMInf (%ls) => %ls", command.inf.c_str(), staged.c_str());
            return kSucceeded;
        }
        case DriverOperation::kRemoveScanner: {
            const std::wstring staged = FindStagedInf(command.inf);
            const DWORD error = staged.empty() ? ERROR_FILE_NOT_FOUND : UnstageInf(staged, std::wstring());
            if (error == ERROR_FILE_NOT_FOUND) LogLine(L"Staged copy of %ls: not there", command.inf.c_str());
            else if (error != ERROR_SUCCESS) LogError(error, L"SetupUninstallOEMInf (%ls)", staged.c_str());
            else LogLine(L"SetupUninstallOEMInf (%ls) => OK", staged.c_str());
            return error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND ? kSucceeded : kFailed;
        }
        default:
            break;
    }
    CSystemSpooler spooler;
    const CSystemDriverFiles files(CSystemDriverFiles::Running(), PrinterDriverDirectory() + L"\\3");
    CPrinterInstaller printers(spooler, files);
    PRINTER_JOB job;
    job.inf = command.inf;
    job.driverName = command.driverName;
    job.index = command.index;
    if (command.addPrinter) job.printerName = command.driverName;
    job.port = command.port.empty() ? std::wstring(L"LPT1:") : command.port;
    const PRINTER_RESULT result =
        command.operation == DriverOperation::kRemovePrinter ? printers.Remove(job) : printers.Install(job);
    return result.error == ERROR_SUCCESS ? kSucceeded : kFailed;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    SetLogProgram(L"QvDrvInst");
    const std::wstring arguments = Arguments();
    LogLine(L"QvDrvInst %ls", arguments.c_str());
    int code = kFailed;
    try {
        code = Run(ParseDriverCommand(arguments));
    } catch (...) {
        LogLine(L"QvDrvInst: exception");
        code = kFailed;
    }
    LogLine(L"QvDrvInst exit code %d", code);
    return code;
}
