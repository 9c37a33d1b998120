#pragma once
// The pause dialog between capture and printing: a modeless dialog with "OK"
// and "Cancel"; either button ends the current thread's message loop (quit
// code 1 for OK, 2 for Cancel).

#include <windows.h>

#include "MessageLoop.h"

class ScreenDlg : public CMessageFilter {
public:
    ScreenDlg() = default;
    ~ScreenDlg() override;
    ScreenDlg(const ScreenDlg&) = delete;
    ScreenDlg& operator=(const ScreenDlg&) = delete;

    // Creates the dialog from the program's template 101, hidden, with
    // |owner| (may be none). False when the template is missing or the
    // dialog cannot be made.
    bool Create(HWND owner);
    HWND Handle() const { return window_; }

    bool PreTranslateMessage(MSG* message) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam);

    HWND window_ = nullptr;
};
