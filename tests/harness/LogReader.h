#pragma once
// Reads setup's log as a person would: the UTF-16 banner, then one ANSI line
// per event. Times and dates can be normalised so that a whole log compares
// with a fixture written by hand.

#include <string>
#include <vector>

namespace qs_test {

struct SetupLog {
    std::wstring banner;                 // the UTF-16 banner, line breaks included
    // Each event line without its CR LF, e.g. "[14.05.09]  Parameter : /S"; a
    // message with line breaks of its own keeps them (as CR LF).
    std::vector<std::wstring> lines;
    std::vector<std::wstring> messages;  // the same lines without the time and its two spaces

    bool Contains(const std::wstring& message) const;
    // How many messages start with |prefix|.
    std::size_t Count(const std::wstring& prefix) const;
    // The banner with its date, then every line with "[hh.mm.ss]" as "[TIME]".
    std::wstring Normalised() const;
};

// False when the file cannot be read or has no banner.
bool ReadSetupLog(const std::wstring& path, SetupLog& log);

// The log files of a program in a folder: "<program>.log", "<program>0.log", ...
std::vector<std::wstring> LogFilesOf(const std::wstring& directory, const std::wstring& programFile);

// The user's temporary directory, with its trailing backslash.
std::wstring TempDirectory();

}  // namespace qs_test
