// QvStatusUninst.exe: removes the status monitor the installer put in place.
// Started from the uninstall entry ("<dir>\QvStatusUninst.exe" /S). No
// windows; every step goes to "%TEMP%\QvStatusUninst.log", the outcome to the
// exit code.
#include <windows.h>
#include <shellapi.h>

#include <cwctype>
#include <string>

#include "Installation.h"
#include "Removal.h"
#include "StatusMonitorNames.h"
#include "StepLog.h"
#include "UninstallExitCode.h"

namespace {

bool IsSilentSwitch(const std::wstring& argument) {
    return argument.size() == 2 && (argument[0] == L'/' || argument[0] == L'-') && std::towupper(argument[1]) == L'S';
}

int Run() {
    const CStepLog log(L"QvStatusUninst.log");
    log.Line(L"Started: " + std::wstring(GetCommandLineW()));
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr) return kUninstallBadArguments;
    bool silent = false;
    std::wstring unexpected;
    for (int i = 1; i < count; ++i) {
        if (IsSilentSwitch(arguments[i]) && !silent)
            silent = true;
        else if (unexpected.empty())
            unexpected = arguments[i];
    }
    LocalFree(arguments);
    if (!unexpected.empty()) {
        log.Line(L"Bad arguments: unexpected \"" + unexpected + L"\" (only /S is known)");
        return kUninstallBadArguments;
    }
    if (!silent) {
        log.Line(L"No /S: this uninstaller runs silently only; nothing done");
        return kUninstallNotSilent;
    }

    std::wstring directory;
    DWORD language = 0;
    if (!FindInstallation(directory, language)) {
        log.Line(L"Nothing to remove: no \"" + std::wstring(status_monitor::kInstallDirValue) + L"\" under HKLM\\" +
                 status_monitor::kProductKey);
        return kUninstallNotInstalled;
    }
    const int result = RemoveInstallation(directory, log);
    log.Line(L"Exit code " + std::to_wstring(result));
    return result;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    const int result = Run();
    return result;
}
