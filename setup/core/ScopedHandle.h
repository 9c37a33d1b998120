#pragma once
// Owning wrappers for the system handles the utility operations open: each
// releases its handle when it goes out of scope, cannot be copied and can be
// moved.

#include <windows.h>
#include <winsvc.h>

#include <utility>

template <typename T, typename Close, T Invalid = T()>
class CScopedHandle {
public:
    CScopedHandle() = default;
    explicit CScopedHandle(T handle) : handle_(handle) {}
    ~CScopedHandle() { Reset(); }
    CScopedHandle(const CScopedHandle&) = delete;
    CScopedHandle& operator=(const CScopedHandle&) = delete;
    CScopedHandle(CScopedHandle&& other) noexcept : handle_(std::exchange(other.handle_, Invalid)) {}
    CScopedHandle& operator=(CScopedHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, Invalid);
        }
        return *this;
    }

    T Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Invalid; }
    // The address to receive a new handle; the old one is released first.
    T* Receive() {
        Reset();
        return &handle_;
    }
    void Reset() {
        if (handle_ != Invalid) Close()(handle_);
        handle_ = Invalid;
    }

private:
    T handle_ = Invalid;
};

struct CloseKernelHandle {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
struct CloseRegistryKey {
    void operator()(HKEY h) const { RegCloseKey(h); }
};
struct CloseServiceManagerHandle {
    void operator()(SC_HANDLE h) const { CloseServiceHandle(h); }
};
struct FreeModule {
    void operator()(HMODULE h) const { FreeLibrary(h); }
};
struct FreeAllocatedSid {
    void operator()(PSID h) const { FreeSid(h); }
};

using CKernelHandle = CScopedHandle<HANDLE, CloseKernelHandle>;
using CRegistryKey = CScopedHandle<HKEY, CloseRegistryKey>;
using CServiceHandle = CScopedHandle<SC_HANDLE, CloseServiceManagerHandle>;
using CModuleHandle = CScopedHandle<HMODULE, FreeModule>;
using CAllocatedSid = CScopedHandle<PSID, FreeAllocatedSid>;
