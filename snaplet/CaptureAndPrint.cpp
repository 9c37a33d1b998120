#include "CaptureAndPrint.h"

#include "FrameworkModule.h"
#include "Image.h"
#include "MessageLoop.h"
#include "PrintImages.h"
#include "ScreenCapture.h"
#include "ScreenDlg.h"
#include "WindowCentering.h"

namespace {

// Registers a loop for the current thread and removes it again.
class CThreadLoop {
public:
    CThreadLoop() { registered_ = TheModule().AddMessageLoop(&loop_); }
    ~CThreadLoop() {
        if (registered_) TheModule().RemoveMessageLoop();
    }
    CThreadLoop(const CThreadLoop&) = delete;
    CThreadLoop& operator=(const CThreadLoop&) = delete;

    CMessageLoop& Loop() { return loop_; }

private:
    CMessageLoop loop_;
    bool registered_ = false;
};

}  // namespace

bool RunPauseDialog() {
    CThreadLoop thread;
    ScreenDlg dialog;
    if (!dialog.Create(nullptr)) return false;
    thread.Loop().AddMessageFilter(&dialog);
    CenterWindow(dialog.Handle());
    ShowWindow(dialog.Handle(), SW_SHOWNORMAL);
    thread.Loop().Run();   // 1 for OK, 2 for Cancel: either way the picture is printed
    thread.Loop().RemoveMessageFilter(&dialog);
    return true;
}

bool CaptureAndPrint(CaptureMode mode, bool showDialog, const std::wstring& printerName) {
    TheImageList().clear();
    const bool captured = mode == CaptureMode::Window ? CaptureForegroundWindow() : CaptureScreen();
    if (showDialog && !RunPauseDialog()) {
        TheImageList().clear();
        return false;
    }
    PrintImages(printerName);
    TheImageList().clear();
    return captured;
}
