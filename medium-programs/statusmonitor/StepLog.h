#pragma once
// A plain log of what a program did, one ANSI line per step, appended to
// "%TEMP%\<name>.log":
//   2026-12-10 14:05:09 <text>
// Writing the log never fails the program: a line that cannot be written is lost.

#include <string>

class CStepLog {
public:
    explicit CStepLog(const std::wstring& fileName);

    void Line(const std::wstring& text) const;

    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};
