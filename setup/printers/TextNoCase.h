#pragma once
// Text comparisons that ignore case, as the printer and INF code makes them:
// both sides upper-cased by the platform (CharUpperBuffW), then compared
// code unit by code unit.

#include <windows.h>

#include <cwchar>
#include <string>

namespace printers {

inline std::wstring Upper(const wchar_t* text) {
    std::wstring upper = text != nullptr ? text : L"";
    if (!upper.empty()) CharUpperBuffW(&upper[0], static_cast<DWORD>(upper.size()));
    return upper;
}

// False when either side is null.
inline bool SameTextNoCase(const wchar_t* a, const wchar_t* b) {
    if (a == nullptr || b == nullptr) return false;
    if (std::wcslen(a) != std::wcslen(b)) return false;
    return Upper(a) == Upper(b);
}

// Whether |text| holds |part| (an empty part is held by any text).
inline bool ContainsNoCase(const wchar_t* text, const wchar_t* part) {
    return Upper(text).find(Upper(part)) != std::wstring::npos;
}

}  // namespace printers
