#include "Arguments.h"

#include <cwchar>
#include <cwctype>

namespace {

bool ParseHexProcessId(const std::wstring& text, DWORD& id) {
    if (text.size() < 3 || text[0] != L'0' || (text[1] != L'x' && text[1] != L'X') || text.size() > 10) return false;
    unsigned long value = 0;
    for (std::size_t i = 2; i < text.size(); ++i) {
        if (!std::iswxdigit(text[i])) return false;
        const wchar_t c = static_cast<wchar_t>(std::towlower(text[i]));
        value = value * 16 + (c <= L'9' ? c - L'0' : c - L'a' + 10);
    }
    id = static_cast<DWORD>(value);
    return true;
}

}  // namespace

bool ParseArguments(int count, wchar_t** arguments, UNINSTALL_ARGUMENTS& parsed, std::wstring& error) {
    parsed = UNINSTALL_ARGUMENTS();
    bool directoryGiven = false;
    for (int i = 0; i < count; ++i) {
        const std::wstring argument = arguments[i];
        if (argument.size() < 2 || (argument[0] != L'/' && argument[0] != L'-')) {
            error = L"unexpected argument \"" + argument + L"\"";
            return false;
        }
        const std::wstring value = argument.substr(2);
        switch (std::towupper(argument[1])) {
        case L'P':
            if (directoryGiven) {
                error = L"/P given twice";
                return false;
            }
            directoryGiven = true;
            parsed.installDirectory = value;
            break;
        case L'I':
            if (parsed.waitForProcess) {
                error = L"/I given twice";
                return false;
            }
            if (!ParseHexProcessId(value, parsed.processId)) {
                error = L"/I needs a process id as 0x<hex>, not \"" + value + L"\"";
                return false;
            }
            parsed.waitForProcess = true;
            break;
        default:
            error = L"unknown switch \"" + argument + L"\"";
            return false;
        }
    }
    if (parsed.installDirectory.empty()) {
        error = L"no install directory (/P\"<directory>\")";
        return false;
    }
    return true;
}
