#pragma once
// Running a component's own installer: a program and its parameters, started
// without a window of ours, waited for to the end.

#include <windows.h>

#include <string>

namespace installer {

struct PROGRAM_RESULT {
    bool started = false;
    DWORD error = ERROR_SUCCESS;  // why it did not start
    DWORD exitCode = 0;
};

// |program| is a path (quoted here when it holds blanks) or, with an empty
// |program|, |parameters| is the whole command line.
PROGRAM_RESULT RunProgram(const std::wstring& program, const std::wstring& parameters);

}  // namespace installer
