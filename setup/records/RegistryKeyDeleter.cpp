#include "RegistryKeyDeleter.h"

#include <atomic>

namespace {
std::atomic<CRegistryKeyDeleter*> gDeleter{nullptr};
}  // namespace

LSTATUS CRegistryKeyDeleter::Delete(HKEY root, const wchar_t* keyPath) { return RegDeleteKeyW(root, keyPath); }

CRegistryKeyDeleter& RegistryKeyDeleter() {
    static CRegistryKeyDeleter platform;
    CRegistryKeyDeleter* deleter = gDeleter.load();
    return deleter != nullptr ? *deleter : platform;
}

void SetRegistryKeyDeleter(CRegistryKeyDeleter* deleter) { gDeleter.store(deleter); }
