#include "SetupArguments.h"

#include <cwchar>
#include <cwctype>

namespace {

bool StartsWithSwitch(const std::wstring& argument, const wchar_t* name) {
    if (argument.size() < 1 || (argument[0] != L'/' && argument[0] != L'-')) return false;
    std::size_t i = 0;
    for (; name[i] != L'\0'; ++i) {
        if (i + 1 >= argument.size() || std::towupper(argument[i + 1]) != static_cast<wint_t>(name[i])) return false;
    }
    return true;
}

bool IsSwitch(const std::wstring& argument, const wchar_t* name) {
    return StartsWithSwitch(argument, name) && argument.size() == 1 + std::wcslen(name);
}

// Digits of |base| only, at most 8 hex or 10 decimal of them, the value fitting a DWORD.
bool ParseNumber(const std::wstring& digits, unsigned base, DWORD& value) {
    if (digits.empty() || digits.size() > (base == 16 ? 8u : 10u)) return false;
    unsigned long long number = 0;
    for (const wchar_t c : digits) {
        unsigned digit = 0;
        if (c >= L'0' && c <= L'9')
            digit = static_cast<unsigned>(c - L'0');
        else if (base == 16 && std::iswxdigit(c))
            digit = static_cast<unsigned>(std::towlower(c) - L'a' + 10);
        else
            return false;
        number = number * base + digit;
    }
    if (number > 0xFFFFFFFFull) return false;
    value = static_cast<DWORD>(number);
    return true;
}

// A drive path below the root, or a network path.
bool IsFullPath(const std::wstring& path) {
    const bool drive = path.size() >= 4 && std::iswalpha(path[0]) && path[1] == L':' && path[2] == L'\\';
    const bool unc = path.size() >= 3 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'\\';
    return drive || unc;
}

}  // namespace

bool ParseLanguage(const std::wstring& text, DWORD& language) {
    bool ok = false;
    if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
        ok = ParseNumber(text.substr(2), 16, language);
    } else {
        bool letter = false;
        for (const wchar_t c : text) letter = letter || (std::iswxdigit(c) && !std::iswdigit(c));
        const bool productForm = text.size() == 4 && (text[0] == L'0' || letter);
        ok = ParseNumber(text, productForm ? 16 : 10, language);
    }
    return ok && language != 0;
}

bool FindFailSwitch(int count, wchar_t** arguments, DWORD& code) {
    for (int i = 0; i < count; ++i) {
        const std::wstring argument = arguments[i];
        if (StartsWithSwitch(argument, L"FAIL")) return ParseNumber(argument.substr(5), 10, code);
    }
    return false;
}

bool ParseSetupArguments(int count, wchar_t** arguments, SETUP_ARGUMENTS& parsed, std::wstring& error) {
    parsed = SETUP_ARGUMENTS();
    bool directoryGiven = false;
    for (int i = 0; i < count; ++i) {
        const std::wstring argument = arguments[i];
        if (IsSwitch(argument, L"S")) {
            if (parsed.silent) {
                error = L"/S given twice";
                return false;
            }
            parsed.silent = true;
        } else if (IsSwitch(argument, L"REPAIR")) {
            if (parsed.repair) {
                error = L"/REPAIR given twice";
                return false;
            }
            parsed.repair = true;
        } else if (StartsWithSwitch(argument, L"FAIL")) {
            error = L"/FAIL needs a decimal exit code, not \"" + argument.substr(5) + L"\"";
            return false;
        } else if (StartsWithSwitch(argument, L"L")) {
            if (parsed.languageGiven) {
                error = L"/L given twice";
                return false;
            }
            if (!ParseLanguage(argument.substr(2), parsed.language)) {
                error = L"/L needs a language number, not \"" + argument.substr(2) + L"\"";
                return false;
            }
            parsed.languageGiven = true;
        } else if (StartsWithSwitch(argument, L"D")) {
            if (directoryGiven) {
                error = L"/D given twice";
                return false;
            }
            std::wstring directory = argument.substr(2);
            while (directory.size() > 3 && directory.back() == L'\\') directory.pop_back();
            if (!IsFullPath(directory)) {
                error = L"/D needs a full path, not \"" + argument.substr(2) + L"\"";
                return false;
            }
            directoryGiven = true;
            parsed.installDirectory = directory;
        } else {
            error = L"unknown argument \"" + argument + L"\"";
            return false;
        }
    }
    return true;
}
