#pragma once
// Starting programs and opening documents, addresses and folders for the
// program and shell commands, and waiting for a started program on a thread
// of its own while the wizard takes no input.

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "ScopedHandle.h"

class CSetupContext;
class CShell;
class CWizardLink;

class CProgramLauncher {
public:
    CProgramLauncher(CSetupContext& context, CWizardLink& wizard, CShell& shell);
    // Stops waiting for programs still running (they go on) and joins the
    // wait threads.
    ~CProgramLauncher();
    CProgramLauncher(const CProgramLauncher&) = delete;
    CProgramLauncher& operator=(const CProgramLauncher&) = delete;

    void SetShell(CShell& shell) { shell_ = &shell; }

    // Expands the path variables of |program| and resolves it on the medium
    // (a file that does not exist is logged and nothing starts), then starts
    // it with the expanded |arguments| in its own directory. The process, or
    // null when nothing started (a shell failure shows the system's error).
    CKernelHandle StartProgram(const std::wstring& program, const std::wstring& arguments);

    // StartProgram, then, when a process started, waits for it on a thread:
    // the wizard takes no input until the program ends, then comes to the
    // foreground with |bringToFront|.
    void StartAndWait(const std::wstring& program, const std::wstring& arguments, bool bringToFront);

    // Opens an existing file with its associated program; false when |file|
    // does not resolve to an existing file.
    bool OpenFile(const std::wstring& file);
    // Hands |address| to the web browser, else opens it through its association.
    bool OpenUrl(const std::wstring& address);
    // Opens a folder window (an empty folder names the medium).
    bool OpenBrowse(const std::wstring& folder);
    // Opens a manual through the document opener, waiting for it when there is
    // a wizard; else opens the document itself.
    bool OpenManual(const std::wstring& document, const std::wstring& arguments);

private:
    void Wait(CKernelHandle process, bool bringToFront);

    CSetupContext& context_;
    CWizardLink& wizard_;
    CShell* shell_;
    CKernelHandle stop_;
    std::vector<std::thread> waits_;
};
