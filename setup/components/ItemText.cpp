#include "ItemText.h"

#include "ProfileText.h"

namespace item_text {

namespace {

constexpr std::size_t kParameterChars = 8191;

bool IsLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// Where the first |letter| option starts; npos when there is none.
std::size_t FindOption(const std::wstring& parameters, wchar_t letter) {
    const wchar_t upper = profile_text::FoldAscii(letter);
    for (std::size_t at = parameters.find(L'/'); at != std::wstring::npos; at = parameters.find(L'/', at + 1)) {
        if (at + 1 >= parameters.size() || profile_text::FoldAscii(parameters[at + 1]) != upper) continue;
        if (at + 2 < parameters.size() && IsLetter(parameters[at + 2])) continue;
        return at;
    }
    return std::wstring::npos;
}

}  // namespace

bool RemoveOption(std::wstring& parameters, wchar_t letter) {
    const std::size_t at = FindOption(parameters, letter);
    if (at == std::wstring::npos) return false;
    const std::size_t next = parameters.find(L'/', at + 1);
    if (next == std::wstring::npos) parameters.erase(at);
    else parameters.erase(at, next - 1 - at);
    return true;
}

bool OptionValue(const std::wstring& parameters, wchar_t letter, std::wstring& value) {
    const std::size_t at = FindOption(parameters, letter);
    if (at == std::wstring::npos) return false;
    const std::size_t next = parameters.find(L'/', at + 1);
    value = TrimQuoted(parameters.substr(at + 2, next == std::wstring::npos ? std::wstring::npos : next - at - 2));
    return true;
}

void ModifyPrinterParameters(std::wstring& parameters, int driverIndex, const std::wstring& driverName) {
    if (driverIndex != -1) {
        RemoveOption(parameters, L'I');
        parameters += L" /I " + std::to_wstring(driverIndex);
    } else if (!driverName.empty()) {
        RemoveOption(parameters, L'O');
        parameters += L" /O \"" + TrimQuoted(driverName) + L"\"";
    }
    if (parameters.size() > kParameterChars) parameters.clear();
}

std::wstring WithPrinterPort(const std::wstring& parameters, const std::wstring& port) {
    std::wstring result = parameters;
    RemoveOption(result, L'P');
    result += L" ";
    if (!port.empty()) result += L"/P\"" + port + L"\"";
    return result;
}

std::wstring ShareNameOf(const std::wstring& driverName, const std::wstring& manufacturer) {
    std::wstring name = profile_text::FoldedUpper(driverName);
    const bool pcl6 = name.find(L" PCL 6") != std::wstring::npos;
    const bool ps = !pcl6 && name.find(L" PS") != std::wstring::npos;
    const std::wstring maker = profile_text::FoldedUpper(manufacturer);
    if (!maker.empty()) profile_text::ReplaceAll(name, maker, L"");
    profile_text::ReplaceAll(name, L"SERIES", L"");
    profile_text::ReplaceAll(name, L" ", L"");
    profile_text::ReplaceAll(name, L"-", L"");
    profile_text::ReplaceAll(name, L"VIZODA", L"P");
    profile_text::ReplaceAll(name, L"DIZADUVURA", L"WC");
    if (!pcl6 && !ps) return name;
    std::size_t end = 0;
    while (end < name.size() && (IsLetter(name[end]) || name[end] == L'_')) ++end;
    return name.substr(0, end);
}

std::wstring WithModelName(const std::wstring& text, const std::wstring& model) {
    std::wstring result = text;
    const std::size_t open = result.find(L'%');
    // A first "%s" is a placeholder of its own, replaced below with the others.
    if (open != std::wstring::npos && result.compare(open, 2, L"%s") != 0) {
        const std::size_t close = result.find(L'%', open + 1);
        if (close != std::wstring::npos) result.replace(open, close - open + 1, model);
    }
    profile_text::ReplaceAll(result, L"%s", model);
    return result;
}

std::wstring TrimQuoted(const std::wstring& text) {
    const std::size_t start = text.find_first_not_of(L" \t\"");
    if (start == std::wstring::npos) return {};
    const std::size_t end = text.find_last_not_of(L" \t\"");
    return text.substr(start, end - start + 1);
}

}  // namespace item_text
