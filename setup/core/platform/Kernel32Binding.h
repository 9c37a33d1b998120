#pragma once
// Binds a "Kernel32.dll" function at run time, for functions that older
// systems lack. Null when the function is not there.

#include <windows.h>

template <typename Function>
Function BindKernel32(const char* name) {
    HMODULE kernel = GetModuleHandleW(L"Kernel32.dll");
    if (kernel == nullptr) return nullptr;
    // Through void (*)(): the one function type that converts to any other cleanly.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(kernel, name)));
}
