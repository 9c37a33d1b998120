// VXDelAll.exe: started by setup after a removal, with the install directory
// and setup's process id. Waits for setup to end, removes the install
// directory and the parents it leaves empty, and leaves nothing of itself
// behind. No windows; what goes wrong goes to the debugger output and the
// exit code.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "Arguments.h"
#include "ProcessWait.h"
#include "SelfRemoval.h"
#include "ShellFolders.h"
#include "TreeRemoval.h"
#include "UninstallerExitCode.h"

namespace {

constexpr DWORD kSetupWaitMs = 60000;

void Trace(const std::wstring& text) { OutputDebugStringW((L"VXDelAll: " + text + L"\n").c_str()); }

int Uninstall() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr) return kExitBadArguments;
    UNINSTALL_ARGUMENTS parsed;
    std::wstring error;
    const bool ok = ParseArguments(count - 1, arguments + 1, parsed, error);
    LocalFree(arguments);
    if (!ok) {
        Trace(error);
        return kExitBadArguments;
    }

    const std::wstring& directory = parsed.installDirectory;
    if (!IsFullPath(directory) || CShellFolders().IsKept(directory)) {
        Trace(L"refusing to remove " + directory);
        return kExitRefused;
    }

    if (parsed.waitForProcess) {
        const WaitResult waited = WaitForProcessEnd(parsed.processId, kSetupWaitMs);
        if (waited != WaitResult::kEnded) {
            Trace(waited == WaitResult::kTimedOut ? L"setup is still running" : L"cannot wait for setup");
            return kExitSetupRunning;
        }
    }

    std::wstring failed;
    const bool removed = RemoveTree(directory, failed);
    if (!removed) Trace(L"cannot remove " + failed);
    RemoveEmptyParents(directory, CShellFolders());
    return removed ? kExitSuccess : kExitRemovalFailed;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    const int result = Uninstall();
    if (!RemoveOwnCopyAtRestart()) Trace(L"cannot mark the own copy for deletion at restart");
    return result;
}
