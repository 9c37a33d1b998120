// The message loop and the framework module's map of loops.
#include <gtest/gtest.h>

#include <windows.h>

#include <thread>
#include <vector>

#include "FrameworkModule.h"
#include "MessageLoop.h"

namespace {

constexpr UINT kSwallowed = WM_APP + 1;
constexpr UINT kDispatched = WM_APP + 2;

std::vector<UINT> g_dispatched;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_APP) g_dispatched.push_back(message);
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeMessageWindow() {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = RecordingProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"SnapletLoopTest";
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, L"SnapletLoopTest", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance,
                           nullptr);
}

class SwallowingFilter : public CMessageFilter {
public:
    bool PreTranslateMessage(MSG* message) override {
        seen.push_back(message->message);
        return message->message == kSwallowed;
    }
    std::vector<UINT> seen;
};

// Posts the messages of the test one idle moment at a time, then quits.
class ScriptedIdle : public CIdleHandler {
public:
    explicit ScriptedIdle(HWND window) : window_(window) {}
    void OnIdle() override {
        ++calls;
        switch (calls) {
        case 1: PostMessageW(window_, kSwallowed, 0, 0); break;
        case 2: PostMessageW(window_, kDispatched, 0, 0); break;
        default: PostQuitMessage(2); break;
        }
    }
    int calls = 0;

private:
    HWND window_;
};

TEST(CMessageLoop, IdlesWhenEmptyFiltersThenDispatchesAndReturnsTheQuitCode) {
    const HWND window = MakeMessageWindow();
    ASSERT_NE(window, nullptr) << GetLastError();
    g_dispatched.clear();
    CMessageLoop loop;
    SwallowingFilter filter;
    ScriptedIdle idle(window);
    loop.AddMessageFilter(&filter);
    loop.AddIdleHandler(&idle);

    EXPECT_EQ(loop.Run(), 2);
    EXPECT_EQ(idle.calls, 3) << "one idle call each time the queue ran empty";
    EXPECT_EQ(filter.seen, (std::vector<UINT>{kSwallowed, kDispatched}));
    EXPECT_EQ(g_dispatched, (std::vector<UINT>{kDispatched})) << "a filtered message is not dispatched";

    // Removed filters and handlers are not called again.
    loop.RemoveMessageFilter(&filter);
    loop.RemoveIdleHandler(&idle);
    PostMessageW(window, kSwallowed, 0, 0);
    PostQuitMessage(5);
    EXPECT_EQ(loop.Run(), 5);
    EXPECT_EQ(filter.seen.size(), 2u);
    EXPECT_EQ(idle.calls, 3);
    EXPECT_EQ(g_dispatched, (std::vector<UINT>{kDispatched, kSwallowed}));
    DestroyWindow(window);
}

TEST(CFrameworkModule, KeepsOneLoopPerThread) {
    CFrameworkModule module;
    module.Init();
    CMessageLoop first;
    CMessageLoop second;
    EXPECT_EQ(module.GetMessageLoop(), nullptr);
    EXPECT_TRUE(module.AddMessageLoop(&first));
    EXPECT_FALSE(module.AddMessageLoop(&second)) << "a thread has one loop";
    EXPECT_EQ(module.GetMessageLoop(), &first);

    CMessageLoop* seenByOther = &second;
    bool addedByOther = false;
    std::thread other([&] {
        seenByOther = module.GetMessageLoop();
        addedByOther = module.AddMessageLoop(&second);
    });
    other.join();
    EXPECT_EQ(seenByOther, nullptr);
    EXPECT_TRUE(addedByOther);
    EXPECT_EQ(module.GetMessageLoop(), &first);

    module.RemoveMessageLoop();
    EXPECT_EQ(module.GetMessageLoop(), nullptr);
    module.Term();
}

TEST(CFrameworkModule, TermClosesTheWindowsItStillHolds) {
    CFrameworkModule module;
    module.Init();
    const HWND window = MakeMessageWindow();
    ASSERT_NE(window, nullptr);
    module.AddWindow(window);
    EXPECT_EQ(module.WindowCount(), 1u);
    module.Term();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(module.WindowCount(), 0u);
}

}  // namespace
