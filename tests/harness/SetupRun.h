#pragma once
// Running setup.exe from a medium and reading the log that run wrote.

#include <windows.h>

#include <string>

#include "LogReader.h"

namespace qs_test {

struct SetupRun {
    bool finished = false;   // started and ended within the time limit
    DWORD exitCode = 0;
    bool oneNewLog = false;  // the run wrote exactly one new log, read into |log|
    SetupLog log;
};

// Runs "<medium>\setup.exe <arguments>" in the medium's folder and reads the
// new log it wrote in the temporary folder.
SetupRun RunSetup(const std::wstring& medium, const std::wstring& arguments, DWORD timeoutMs = 120000);

}  // namespace qs_test
