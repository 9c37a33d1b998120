#include "CommandLine.h"

namespace {

constexpr std::size_t kMaxCommandLine = 8191;

std::wstring Trimmed(const std::wstring& text) {
    auto blank = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'"'; };
    std::size_t begin = 0, end = text.size();
    while (begin < end && blank(text[begin])) ++begin;
    while (end > begin && blank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

}  // namespace

COMMAND_LINE ParseCommandLine(const std::wstring& text) {
    COMMAND_LINE line;
    line.text = text.substr(0, kMaxCommandLine);
    std::size_t pos = 0;
    while (pos <= line.text.size()) {
        std::size_t end = line.text.find_first_of(L"/-", pos);
        if (end == std::wstring::npos) end = line.text.size();
        const std::wstring token = line.text.substr(pos, end - pos);
        pos = end + 1;
        if (token.empty()) continue;
        wchar_t name = token[0];
        if (name >= L'a' && name <= L'z') name = static_cast<wchar_t>(name - 32);
        switch (name) {
            case L'D': line.runMode = 6; break;
            case L'R': line.runMode = 3; break;
            case L'U': line.runMode = 2; break;
            case L'S': line.silent = true; break;
            case L'A': case L'L': case L'P': break;
            default: continue;
        }
        line.switches.push_back({name, Trimmed(token.substr(1))});
    }
    return line;
}
