#pragma once
// The system's directories, without trailing backslashes: Windows ($WIN_DIR$),
// system ($SYS_DIR$), INF ($INF_DIR$), program files ($PROGRAM_FILES_DIR$) and
// temporary; and whether this process is a 32-bit one under WOW64.

#include <string>

class CSystemDirs {
public:
    CSystemDirs();
    virtual ~CSystemDirs() = default;

    const std::wstring& WindowsDirectory() const { return windows_; }
    const std::wstring& SystemDirectory() const { return system_; }
    const std::wstring& InfDirectory() const { return inf_; }
    const std::wstring& ProgramFilesDirectory() const { return programFiles_; }
    const std::wstring& TempDirectory() const { return temp_; }
    bool Wow64Redirected() const { return wow64Redirected_; }

private:
    std::wstring windows_;
    std::wstring system_;
    std::wstring inf_;
    std::wstring programFiles_;
    std::wstring temp_;
    bool wow64Redirected_ = false;
};
