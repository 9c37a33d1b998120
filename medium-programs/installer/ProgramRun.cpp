#include "ProgramRun.h"

#include <vector>

#include "ScopedHandle.h"

namespace installer {

PROGRAM_RESULT RunProgram(const std::wstring& program, const std::wstring& parameters) {
    PROGRAM_RESULT result;
    std::wstring line;
    if (!program.empty()) {
        line = program.front() == L'"' ? program : L"\"" + program + L"\"";
        if (!parameters.empty()) line += L" " + parameters;
    } else {
        line = parameters;
    }
    std::vector<wchar_t> buffer(line.begin(), line.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        result.error = GetLastError();
        return result;
    }
    const CKernelHandle processHandle(process.hProcess);
    const CKernelHandle threadHandle(process.hThread);
    result.started = true;
    WaitForSingleObject(processHandle.Get(), INFINITE);
    GetExitCodeProcess(processHandle.Get(), &result.exitCode);
    return result;
}

}  // namespace installer
