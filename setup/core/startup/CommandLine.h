#pragma once
// setup's command line. The text is split into tokens at every "/" and "-";
// the first character of a token (either case) selects a switch and the rest,
// trimmed of spaces, tabs and double quotes, is its value:
//
//   A <path>   destination directory       D   delete everything (mode 6)
//   L <id>     language (number rules)     P <port>  port
//   R          reinstall (mode 3)          S   silent
//   U          remove (mode 2)             anything else is ignored
//
// Later switches override earlier ones; without a mode switch the mode is 1.
// So a value that holds "-" or "/" is cut there.

#include <cstdint>
#include <string>
#include <vector>

struct COMMAND_SWITCH {
    wchar_t name;        // upper case
    std::wstring value;
};

struct COMMAND_LINE {
    std::wstring text;                   // as given, at most 8191 characters
    std::vector<COMMAND_SWITCH> switches;  // in order, known switches only
    int runMode = 1;
    bool silent = false;
};

COMMAND_LINE ParseCommandLine(const std::wstring& text);
