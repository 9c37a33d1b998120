#include "SetupRun.h"

#include <vector>

#include "Process.h"

namespace qs_test {

SetupRun RunSetup(const std::wstring& medium, const std::wstring& arguments, DWORD timeoutMs) {
    const std::vector<std::wstring> before = LogFilesOf(TempDirectory(), L"setup.exe");
    const RunResult run = RunProgram(Quoted(medium + L"\\setup.exe") + L" " + arguments, medium, timeoutMs);
    SetupRun result;
    result.finished = run.started && run.finished;
    result.exitCode = run.exitCode;
    const std::vector<std::wstring> after = LogFilesOf(TempDirectory(), L"setup.exe");
    result.oneNewLog = after.size() == before.size() + 1 && ReadSetupLog(after.back(), result.log);
    return result;
}

}  // namespace qs_test
