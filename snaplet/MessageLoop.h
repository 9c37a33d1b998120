#pragma once
// The message loop of a thread: idle handling while the queue is empty,
// pre-translation by the registered filters (a modeless dialog's keyboard
// handling), then translation and dispatch, until WM_QUIT.

#include <windows.h>

#include <vector>

class CMessageFilter {
public:
    virtual ~CMessageFilter() = default;
    // True when the message was handled and must not be dispatched.
    virtual bool PreTranslateMessage(MSG* message) = 0;
};

class CIdleHandler {
public:
    virtual ~CIdleHandler() = default;
    // Called each time the queue runs empty.
    virtual void OnIdle() = 0;
};

class CMessageLoop {
public:
    void AddMessageFilter(CMessageFilter* filter);
    void RemoveMessageFilter(CMessageFilter* filter);
    void AddIdleHandler(CIdleHandler* handler);
    void RemoveIdleHandler(CIdleHandler* handler);

    // Runs until WM_QUIT and returns its exit code (-1 when GetMessage fails).
    int Run();

private:
    bool PreTranslateMessage(MSG* message);
    void OnIdle();

    std::vector<CMessageFilter*> filters_;
    std::vector<CIdleHandler*> idleHandlers_;
};
