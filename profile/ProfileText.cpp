#include "ProfileText.h"

#include <algorithm>

namespace profile_text {

std::wstring FoldedUpper(std::wstring_view text) {
    std::wstring out(text);
    for (wchar_t& c : out) c = FoldAscii(c);
    return out;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    return true;
}

std::wstring_view TrimBlanks(std::wstring_view text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && (text[begin] == L' ' || text[begin] == L'\t')) ++begin;
    while (end > begin && (text[end - 1] == L' ' || text[end - 1] == L'\t')) --end;
    return text.substr(begin, end - begin);
}

std::wstring NormaliseSectionName(std::wstring_view name) {
    auto left = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'"' || c == L'['; };
    auto right = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'"' || c == L']'; };
    std::size_t begin = 0, end = name.size();
    while (begin < end && left(name[begin])) ++begin;
    while (end > begin && right(name[end - 1])) --end;
    return Clip(name.substr(begin, end - begin), kMaxNameChars);
}

void ReplaceAll(std::wstring& text, std::wstring_view what, std::wstring_view with) {
    if (what.empty()) return;
    std::size_t pos = 0;
    while ((pos = text.find(what.data(), pos, what.size())) != std::wstring::npos) {
        text.replace(pos, what.size(), with.data(), with.size());
        pos += with.size();
    }
}

void CopyToBuffer(std::wstring_view text, wchar_t* buffer, std::size_t size) {
    if (buffer == nullptr || size == 0) return;
    const std::size_t n = std::min(text.size(), size - 1);
    std::copy_n(text.data(), n, buffer);
    buffer[n] = L'\0';
}

}  // namespace profile_text
