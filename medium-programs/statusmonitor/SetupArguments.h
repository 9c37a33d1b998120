#pragma once
// The installer's command line (switches in any case, '/' or '-'):
//   /S                 silent; required, the installer has no windows
//   /L<lcid>           language: 0x<hex>; four hex digits with a leading 0 or
//                      a letter, as the product passes it (0409, 040C); else decimal (1033)
//   /D<directory>      install directory, a full path (quoted as /D"C:\Program Files\...")
//   /REPAIR            reinstall the existing installation
//   /FAIL<n>           test switch: exit with code n (decimal) at once, doing nothing

#include <windows.h>

#include <string>

struct SETUP_ARGUMENTS {
    bool silent = false;
    bool repair = false;
    bool languageGiven = false;
    DWORD language = 0;
    std::wstring installDirectory;  // empty: the default; no trailing backslash
};

// The code of the first /FAIL<n> among the arguments after the program name;
// false when there is none or its number is malformed.
bool FindFailSwitch(int count, wchar_t** arguments, DWORD& code);

// Parses the arguments after the program name. False, with |error| saying
// what is wrong, when a switch is unknown, repeated or malformed.
bool ParseSetupArguments(int count, wchar_t** arguments, SETUP_ARGUMENTS& parsed, std::wstring& error);

// The language number of /L, by the rules above. False when malformed or 0.
bool ParseLanguage(const std::wstring& text, DWORD& language);
