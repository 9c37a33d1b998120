#pragma once
// The installer's log: "%TEMP%\Vxrun.log", UTF-16 LE with a byte-order mark,
// appended to, one line per step: "[HH.MM.SS] <program>: <text>". The library
// and the driver installer program write the same file; the file is opened
// and closed for every line, so either may write while the other runs.

#include <windows.h>

namespace installer {

// The name put in front of every line ("Vxrun", "QvDrvInst").
void SetLogProgram(const wchar_t* program);

// The log file's path.
const wchar_t* LogPath();

// One line, printf-style (%ls for wide texts).
void LogLine(const wchar_t* format, ...);

// One line, then "Error Code = <n> :<system text>".
void LogError(DWORD error, const wchar_t* format, ...);

}  // namespace installer
