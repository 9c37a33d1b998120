#pragma once
// The platform shell, as the commands use it: starting a program or opening a
// document, a folder or an address through its association. Under Wine an
// address or a document opens on the Linux host (a browser, a file manager),
// so tests put a recording shell in its place.

#include <windows.h>

#include <string>

class CShell {
public:
    virtual ~CShell() = default;

    // ShellExecuteExW, verb "open", SW_SHOWNORMAL, mask SEE_MASK_NOCLOSEPROCESS |
    // SEE_MASK_FLAG_DDEWAIT | SEE_MASK_UNICODE. True on success, with the new
    // process (null when the shell started none, which the caller closes);
    // false with the thread's last error set.
    virtual bool ExecuteEx(HWND owner, const std::wstring& file, const std::wstring& parameters,
                           const std::wstring& directory, HANDLE& process) = 0;
    // ShellExecuteW(owner, "open", file, parameters (none when empty), no
    // directory, SW_SHOWNORMAL): its result, above 32 for success.
    virtual INT_PTR Open(HWND owner, const std::wstring& file, const std::wstring& parameters) = 0;
};

class CPlatformShell final : public CShell {
public:
    bool ExecuteEx(HWND owner, const std::wstring& file, const std::wstring& parameters,
                   const std::wstring& directory, HANDLE& process) override;
    INT_PTR Open(HWND owner, const std::wstring& file, const std::wstring& parameters) override;
};
