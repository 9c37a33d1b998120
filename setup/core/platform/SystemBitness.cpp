#include "SystemBitness.h"

#include <windows.h>

#include "Kernel32Binding.h"

namespace {

bool RunsUnderWow64() {
    using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);
    const auto isWow64Process = BindKernel32<IsWow64ProcessFunction>("IsWow64Process");
    BOOL wow64 = FALSE;
    return isWow64Process != nullptr && isWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

}  // namespace

bool Is64BitWindows() {
#if defined(_WIN64)
    return true;
#else
    return RunsUnderWow64();
#endif
}

bool IsWow64Redirected() { return RunsUnderWow64(); }
