// setup.exe of the status monitor: installs it silently (/S) into a directory
// (/D), or repairs the existing installation (/REPAIR). No windows; every
// step goes to "%TEMP%\QvStatusSetup.log", the outcome to the exit code.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "Folders.h"
#include "Installation.h"
#include "SetupArguments.h"
#include "SetupExitCode.h"
#include "StatusMonitorNames.h"
#include "StepLog.h"

namespace {

int Run() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr) return kSetupBadArguments;

    // The test switch comes before anything else: nothing is done, nothing logged.
    DWORD failCode = 0;
    if (FindFailSwitch(count - 1, arguments + 1, failCode)) {
        LocalFree(arguments);
        return static_cast<int>(failCode);
    }

    const CStepLog log(L"QvStatusSetup.log");
    log.Line(L"Started: " + std::wstring(GetCommandLineW()));
    SETUP_ARGUMENTS parsed;
    std::wstring error;
    const bool ok = ParseSetupArguments(count - 1, arguments + 1, parsed, error);
    LocalFree(arguments);
    if (!ok) {
        log.Line(L"Bad arguments: " + error);
        return kSetupBadArguments;
    }
    if (!parsed.silent) {
        log.Line(L"No /S: this installer runs silently only; nothing done");
        return kSetupNotSilent;
    }

    INSTALL_PLAN plan;
    plan.sourceFolder = folders::OwnFolder();
    plan.repair = parsed.repair;
    if (parsed.repair) {
        DWORD storedLanguage = 0;
        if (!FindInstallation(plan.installDirectory, storedLanguage)) {
            log.Line(L"Nothing to repair: no \"" + std::wstring(status_monitor::kInstallDirValue) + L"\" under HKLM\\" +
                     status_monitor::kProductKey);
            return kSetupNotInstalled;
        }
        plan.language = parsed.languageGiven ? parsed.language : storedLanguage;
    } else {
        plan.installDirectory = parsed.installDirectory.empty() ? DefaultInstallDirectory() : parsed.installDirectory;
        plan.language = parsed.languageGiven ? parsed.language : status_monitor::kDefaultLanguage;
    }
    const int result = Install(plan, log);
    log.Line(L"Exit code " + std::to_wstring(result));
    return result;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    const int result = Run();
    return result;
}
