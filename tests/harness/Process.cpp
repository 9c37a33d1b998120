#include "Process.h"

#include <vector>

namespace qs_test {

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

RunResult RunProgram(const std::wstring& commandLine, const std::wstring& directory, DWORD timeoutMs) {
    RunResult result;
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &process))
        return result;
    result.started = true;
    CloseHandle(process.hThread);
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        result.finished = true;
        GetExitCodeProcess(process.hProcess, &result.exitCode);
    } else {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hProcess);
    return result;
}

}  // namespace qs_test
