#pragma once
// The installation log: one new file per run in the temporary directory, named
// after the running program ("setup.exe.log", then "setup.exe0.log", ...), a
// UTF-16 banner at its top and then one line per event in the ANSI code page:
//
//   [14.05.09]  message
//
// Any thread may print. Lines from different threads are written one after the
// other, each whole; a print made while the same thread is already printing
// (from inside its own formatting) is dropped.

#include <windows.h>

#include <cstdarg>
#include <cstddef>
#include <mutex>
#include <string>

class CLog {
public:
    static constexpr const wchar_t* kDefaultProgramName = L"Quorvel Printer Installer Program";

    // The program's own log, in the platform's temporary directory.
    CLog();
    // A log that writes nothing.
    explicit CLog(std::nullptr_t) {}
    // A log for |programFile| (a file name such as "setup.exe") in |directory|
    // (ending with a backslash).
    CLog(const std::wstring& directory, const std::wstring& programFile,
         const std::wstring& programName = kDefaultProgramName);
    virtual ~CLog();
    CLog(const CLog&) = delete;
    CLog& operator=(const CLog&) = delete;

    void Print(const wchar_t* format, ...);
    // As Print; for a non-zero |error| a second line "Error Code = %d :%s "
    // carries the system's text for it.
    void PrintError(DWORD error, const wchar_t* format, ...);

    bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }
    const std::wstring& FilePath() const { return path_; }

protected:
    // Formats one message; printf rules, wide strings as %ls.
    virtual std::wstring Format(const wchar_t* format, va_list args);

private:
    void Open(const std::wstring& directory, const std::wstring& programFile);
    void WriteBanner(const std::wstring& programName);
    void WriteLine(const std::wstring& message);
    void PrintV(DWORD error, bool withError, const wchar_t* format, va_list args);

    HANDLE file_ = INVALID_HANDLE_VALUE;
    std::wstring path_;
    std::mutex writing_;
};

// The run's log, reached from everywhere. Until a log is set (the application
// sets its own at start-up; a test may set one of its own), it writes nothing.
CLog& GlobalLog();
// Not owned; nullptr sets the silent log again.
void SetGlobalLog(CLog* log);
