#include "MessageLoop.h"

#include <algorithm>

namespace {

template <typename T>
void RemoveFrom(std::vector<T*>& list, T* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

void CMessageLoop::AddMessageFilter(CMessageFilter* filter) { filters_.push_back(filter); }
void CMessageLoop::RemoveMessageFilter(CMessageFilter* filter) { RemoveFrom(filters_, filter); }
void CMessageLoop::AddIdleHandler(CIdleHandler* handler) { idleHandlers_.push_back(handler); }
void CMessageLoop::RemoveIdleHandler(CIdleHandler* handler) { RemoveFrom(idleHandlers_, handler); }

bool CMessageLoop::PreTranslateMessage(MSG* message) {
    // The latest filter first: it belongs to the innermost window.
    for (auto it = filters_.rbegin(); it != filters_.rend(); ++it) {
        if ((*it)->PreTranslateMessage(message)) return true;
    }
    return false;
}

void CMessageLoop::OnIdle() {
    // A handler may remove itself while it runs.
    const std::vector<CIdleHandler*> handlers = idleHandlers_;
    for (CIdleHandler* handler : handlers) handler->OnIdle();
}

int CMessageLoop::Run() {
    MSG message = {};
    for (;;) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) OnIdle();
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == -1) return -1;
        if (got == 0) return static_cast<int>(message.wParam);
        if (!PreTranslateMessage(&message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}
