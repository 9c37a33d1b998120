#include "CopyObserver.h"

#include <atomic>

namespace {

std::atomic<CopyObserver>& Observer() {
    static std::atomic<CopyObserver> observer{nullptr};
    return observer;
}

}  // namespace

CopyObserver SetCopyObserver(CopyObserver observer) { return Observer().exchange(observer); }

void NotifyCopyObserver(CopyStep step, const wchar_t* path) {
    const CopyObserver observer = Observer().load(std::memory_order_acquire);
    if (observer != nullptr) observer(step, path);
}
