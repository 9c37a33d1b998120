#pragma once
// The program's small user-interface framework state: the message loop of
// each thread, and the framework windows still open, which Term closes.

#include <windows.h>

#include <map>
#include <vector>

class CMessageLoop;

class CFrameworkModule {
public:
    void Init();
    // Closes the framework windows still open and forgets every loop.
    void Term();

    // Registers |loop| as the current thread's loop; false when it has one.
    bool AddMessageLoop(CMessageLoop* loop);
    void RemoveMessageLoop();
    // The current thread's loop, or nullptr.
    CMessageLoop* GetMessageLoop() const;

    void AddWindow(HWND window);
    void RemoveWindow(HWND window);
    std::size_t WindowCount() const { return windows_.size(); }

private:
    std::map<DWORD, CMessageLoop*> loops_;
    std::vector<HWND> windows_;
};

// The program's one module.
CFrameworkModule& TheModule();
