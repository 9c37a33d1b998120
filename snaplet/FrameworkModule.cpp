#include "FrameworkModule.h"

#include <algorithm>

void CFrameworkModule::Init() {
    loops_.clear();
    windows_.clear();
}

void CFrameworkModule::Term() {
    // Destroying a window removes it from the list (its dialog procedure
    // calls RemoveWindow); work on a copy.
    const std::vector<HWND> open = windows_;
    for (HWND window : open) {
        if (IsWindow(window)) DestroyWindow(window);
    }
    windows_.clear();
    loops_.clear();
}

bool CFrameworkModule::AddMessageLoop(CMessageLoop* loop) {
    return loops_.emplace(GetCurrentThreadId(), loop).second;
}

void CFrameworkModule::RemoveMessageLoop() { loops_.erase(GetCurrentThreadId()); }

CMessageLoop* CFrameworkModule::GetMessageLoop() const {
    const auto found = loops_.find(GetCurrentThreadId());
    return found == loops_.end() ? nullptr : found->second;
}

void CFrameworkModule::AddWindow(HWND window) { windows_.push_back(window); }

void CFrameworkModule::RemoveWindow(HWND window) {
    windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
}

CFrameworkModule& TheModule() {
    static CFrameworkModule module;
    return module;
}
