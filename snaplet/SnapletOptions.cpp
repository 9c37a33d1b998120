#include "SnapletOptions.h"

#include <cwchar>

namespace {

wchar_t FoldCase(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

// Whether |text| begins with |prefix|, ignoring the case of A-Z.
bool StartsWithNoCase(const wchar_t* text, const wchar_t* prefix) {
    for (; *prefix != L'\0'; ++text, ++prefix) {
        if (*text == L'\0' || FoldCase(*text) != FoldCase(*prefix)) return false;
    }
    return true;
}

bool EqualsNoCase(const wchar_t* text, const wchar_t* option) {
    return StartsWithNoCase(text, option) && text[std::wcslen(option)] == L'\0';
}

}  // namespace

SnapletOptions ParseSnapletOptions(int argc, const wchar_t* const* argv) {
    SnapletOptions options;
    for (int i = 1; i < argc; ++i) {
        const wchar_t* argument = argv[i];
        if (argument == nullptr) continue;
        if (EqualsNoCase(argument, L"-screen")) {
            options.screen = true;
        } else if (EqualsNoCase(argument, L"-window")) {
            options.window = true;
        } else if (EqualsNoCase(argument, L"-IE")) {
            options.ie = true;
        } else if (EqualsNoCase(argument, L"-gui")) {
            options.gui = true;
        } else if (StartsWithNoCase(argument, L"-p=") || StartsWithNoCase(argument, L"-printer=")) {
            options.printer = std::wcschr(argument, L'=') + 1;
        }
    }
    return options;
}
