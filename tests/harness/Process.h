#pragma once
// Starting programs from a test and waiting for them, within a time limit.

#include <windows.h>

#include <string>

namespace qs_test {

struct RunResult {
    bool started = false;
    bool finished = false;   // false: the time limit passed and the program was ended
    DWORD exitCode = 0;
};

// Runs |commandLine| (program and arguments, quoted as needed) in |directory|
// (empty: the current one).
RunResult RunProgram(const std::wstring& commandLine, const std::wstring& directory = L"",
                     DWORD timeoutMs = 60000);

std::wstring Quoted(const std::wstring& text);

}  // namespace qs_test
