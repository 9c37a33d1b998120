#pragma once
// What the command interpreter asks of the wizard, and what the rest of setup
// asks of the wizard's interpreter. The wizard with pages implements it with
// its windows and messages; CWindowlessWizard implements it for a run without
// pages, where nothing is posted and message boxes answer themselves.

#include <windows.h>

#include <string>
#include <vector>

#include "CmdRecord.h"

class CWizardLink {
public:
    virtual ~CWizardLink() = default;

    // The window that owns boxes and shell calls; none in a run without pages.
    virtual HWND GetWizardWindow() const = 0;
    // True in a run without pages.
    virtual bool Silent() const = 0;

    // Executes a command later, from the wizard's message queue (nothing
    // happens in a run without pages).
    virtual void PostWizardCommand(const CMD_RECORD& record) = 0;
    // Executes a command now through the wizard's interpreter; false for an
    // empty type.
    virtual bool RunCommand(const CMD_RECORD& record) = 0;
    // The end and installing command sections of the run.
    virtual bool RunEndCommand() = 0;
    virtual bool RunInstallingCommand() = 0;

    // Page navigation: |direction| 0 opens the page of |dialog|, -1 goes back.
    virtual void OpenPage(int direction, const std::wstring& dialog) = 0;
    // Runs the page of |dialog| modally and destroys it.
    virtual void DoModal(const std::wstring& dialog) = 0;
    // Toggles the visibility of the named objects of the current page; false
    // when no page is shown.
    virtual bool ToggleObjects(const std::vector<std::wstring>& names) = 0;
    // After a language change asked by a command: the language-change window,
    // the layout and every page again.
    virtual void RefreshAfterLanguageChange() = 0;

    // The configured message box: |buttons| are the string keys of its
    // buttons ("BUTTON.YES", ...). The index of the button chosen.
    virtual int ShowMessageBox(const std::wstring& text, UINT icon, const std::vector<std::wstring>& buttons) = 0;
    // The framework's plain message box.
    virtual void ShowFrameworkMessage(const std::wstring& text) = 0;
    // The system's text for |code| in a warning box.
    virtual void ShowSystemError(DWORD code, const std::wstring& caption) = 0;
    virtual void ShowWaitCursor(bool on) = 0;

    // A started program is being waited for: the wizard and the background
    // window take no input until ProgramEnded.
    virtual void DisableForWait() = 0;
    // Called on the wait thread when the program ended; the wizard takes input
    // again and, with |bringToFront|, comes to the foreground.
    virtual void ProgramEnded(bool bringToFront) = 0;

    // Ends the program's message loop.
    virtual void Quit() = 0;
};
