#pragma once
// The uninstaller's command line, as setup gives it:
//   /P"<install directory>" /I0x<setup's process id in hexadecimal>
// Switch letters may be lower case; /I may be left out (nothing to wait for).

#include <windows.h>

#include <string>

struct UNINSTALL_ARGUMENTS {
    std::wstring installDirectory;
    bool waitForProcess = false;
    DWORD processId = 0;
};

// Parses the arguments after the program name. False, with |error| saying
// what is wrong, when a switch is unknown, repeated or malformed, or /P is
// missing or empty.
bool ParseArguments(int count, wchar_t** arguments, UNINSTALL_ARGUMENTS& parsed, std::wstring& error);
