#pragma once
// Text rules shared by the profile layer. Comparisons fold only the ASCII
// letters A-Z; every other character compares by its code unit.

#include <cstddef>
#include <string>
#include <string_view>

namespace profile_text {

inline wchar_t FoldAscii(wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - (L'a' - L'A')) : c; }

std::wstring FoldedUpper(std::wstring_view text);
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);

// Spaces and tabs at both ends.
std::wstring_view TrimBlanks(std::wstring_view text);

// Section names drop " \t\"[" from the left and " \t\"]" from the right,
// then keep at most the record's room for a name.
std::wstring NormaliseSectionName(std::wstring_view name);

// The room the records keep for names, keys and values (terminator excluded).
constexpr std::size_t kMaxNameChars = 255;
constexpr std::size_t kMaxValueChars = 4095;
// A line longer than this ends the reading of a file.
constexpr std::size_t kMaxLineChars = 4096;

inline std::wstring Clip(std::wstring_view text, std::size_t limit) {
    return std::wstring(text.substr(0, limit));
}

// Replaces every occurrence of |what| (not empty) by |with|; the search goes
// on after the text put in, so |with| is never searched again.
void ReplaceAll(std::wstring& text, std::wstring_view what, std::wstring_view with);

// Copies like lstrcpynW: at most size-1 characters and a NUL; nothing when size is 0.
void CopyToBuffer(std::wstring_view text, wchar_t* buffer, std::size_t size);

}  // namespace profile_text
