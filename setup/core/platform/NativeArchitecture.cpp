#include "NativeArchitecture.h"

#include "Kernel32Binding.h"

void ApplyNativeArchitecture(WORD processorArchitecture, std::wstring& text) {
    if (processorArchitecture == PROCESSOR_ARCHITECTURE_IA64) text = L"NTia64";
    else if (processorArchitecture == PROCESSOR_ARCHITECTURE_AMD64) text = L"NTamd64";
}

bool GetNativeArchitectureText(std::wstring& text) {
    using GetNativeSystemInfoFunction = void(WINAPI*)(LPSYSTEM_INFO);
    const auto getNativeSystemInfo = BindKernel32<GetNativeSystemInfoFunction>("GetNativeSystemInfo");
    if (getNativeSystemInfo == nullptr) return false;
    SYSTEM_INFO info = {};
    getNativeSystemInfo(&info);
    ApplyNativeArchitecture(info.wProcessorArchitecture, text);
    return true;
}
