#pragma once
// The decoration that INF model sections carry for the machine's own processor
// ("NTamd64", "NTia64"), from GetNativeSystemInfo, which is bound at run time.

#include <windows.h>

#include <string>

// Processor architecture 6 gives "NTia64" and 9 gives "NTamd64"; any other
// leaves |text| as it is.
void ApplyNativeArchitecture(WORD processorArchitecture, std::wstring& text);

// False when the system has no GetNativeSystemInfo (|text| is then unchanged).
bool GetNativeArchitectureText(std::wstring& text);
