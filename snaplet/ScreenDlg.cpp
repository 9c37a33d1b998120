#include "ScreenDlg.h"

#include "FrameworkModule.h"
#include "resource.h"

ScreenDlg::~ScreenDlg() {
    if (window_ != nullptr) DestroyWindow(window_);
}

bool ScreenDlg::Create(HWND owner) {
    const HINSTANCE module = GetModuleHandleW(nullptr);
    if (FindResourceW(module, MAKEINTRESOURCEW(IDD_SCREENDLG), MAKEINTRESOURCEW(5) /* RT_DIALOG */) == nullptr)
        return false;
    return CreateDialogParamW(module, MAKEINTRESOURCEW(IDD_SCREENDLG), owner, DialogProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

bool ScreenDlg::PreTranslateMessage(MSG* message) {
    return window_ != nullptr && IsDialogMessageW(window_, message);
}

INT_PTR CALLBACK ScreenDlg::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<ScreenDlg*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        dialog->window_ = window;
        TheModule().AddWindow(window);
        return TRUE;
    }
    auto* dialog = reinterpret_cast<ScreenDlg*>(GetWindowLongPtrW(window, DWLP_USER));
    return dialog == nullptr ? FALSE : dialog->OnMessage(message, wParam);
}

INT_PTR ScreenDlg::OnMessage(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_COMMAND: {
        const WORD id = LOWORD(wParam);
        if (id != IDOK && id != IDCANCEL) return FALSE;
        DestroyWindow(window_);
        PostQuitMessage(id);
        return TRUE;
    }
    case WM_NCDESTROY:
        TheModule().RemoveWindow(window_);
        SetWindowLongPtrW(window_, DWLP_USER, 0);
        window_ = nullptr;
        return FALSE;
    default:
        return FALSE;
    }
}
