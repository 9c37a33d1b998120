#include "ProfileEditor.h"

#include <vector>

#include "ProfileText.h"

using namespace profile_text;

namespace {

struct Line {
    std::size_t begin;    // first unit of the line
    std::size_t end;      // one past the last unit before the line break
    std::size_t next;     // first unit after the line break
};

std::vector<Line> SplitLines(std::wstring_view text, std::size_t start) {
    std::vector<Line> lines;
    std::size_t pos = start;
    while (pos < text.size()) {
        std::size_t end = pos;
        while (end < text.size() && text[end] != L'\r' && text[end] != L'\n') ++end;
        std::size_t next = end;
        if (next < text.size() && text[next] == L'\r') ++next;
        if (next < text.size() && text[next] == L'\n') ++next;
        lines.push_back({pos, end, next});
        pos = next;
    }
    return lines;
}

bool IsHeader(std::wstring_view line) {
    const std::wstring_view trimmed = TrimBlanks(line);
    return trimmed.size() >= 2 && trimmed.front() == L'[' && trimmed.back() == L']';
}

}  // namespace

std::wstring EditProfileText(std::wstring_view text, std::wstring_view section, std::wstring_view key,
                             std::wstring_view value) {
    const std::size_t start = (!text.empty() && text[0] == 0xFEFF) ? 1 : 0;
    const std::vector<Line> lines = SplitLines(text, start);
    const std::wstring wanted = NormaliseSectionName(section);
    auto view = [&](const Line& l) { return text.substr(l.begin, l.end - l.begin); };

    std::size_t header = lines.size();
    for (std::size_t i = 0; i < lines.size() && header == lines.size(); ++i)
        if (IsHeader(view(lines[i])) && EqualsNoCase(NormaliseSectionName(TrimBlanks(view(lines[i]))), wanted))
            header = i;

    // New lines end as the file's lines do.
    const std::size_t firstBreak = text.find_first_of(L"\r\n");
    const std::wstring_view eol =
        (firstBreak != std::wstring_view::npos && text[firstBreak] == L'\n') ? std::wstring_view(L"\n") : L"\r\n";

    std::wstring out;
    out.reserve(text.size() + key.size() + value.size() + section.size() + 16);

    if (header == lines.size()) {
        out.assign(text);
        if (key.empty()) return out;
        if (!out.empty() && out.back() != L'\n' && out.back() != L'\r') out += eol;
        out += L"[";
        out += section;
        out += L"]";
        out += eol;
        out += key;
        out += L"=";
        out += value;
        out += eol;
        return out;
    }

    std::size_t sectionEnd = header + 1;
    while (sectionEnd < lines.size() && !IsHeader(view(lines[sectionEnd]))) ++sectionEnd;

    if (key.empty()) {
        out.assign(text.substr(0, lines[header].next));
        if (sectionEnd < lines.size()) out.append(text.substr(lines[sectionEnd].begin));
        return out;
    }

    const std::wstring_view wantedKey = TrimBlanks(key);
    for (std::size_t i = header + 1; i < sectionEnd; ++i) {
        const std::wstring_view line = view(lines[i]);
        const std::size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos || !EqualsNoCase(TrimBlanks(line.substr(0, equals)), wantedKey)) continue;
        std::size_t valueBegin = lines[i].begin + equals + 1;
        while (valueBegin < lines[i].end && (text[valueBegin] == L' ' || text[valueBegin] == L'\t')) ++valueBegin;
        out.assign(text.substr(0, valueBegin));
        out.append(value);
        out.append(text.substr(lines[i].end));
        return out;
    }

    std::size_t lastFilled = header;
    for (std::size_t i = header + 1; i < sectionEnd; ++i)
        if (!TrimBlanks(view(lines[i])).empty()) lastFilled = i;
    const Line& anchor = lines[lastFilled];
    out.assign(text.substr(0, anchor.next));
    if (anchor.next == anchor.end) out += eol;  // the anchor was the last line and had no line break
    out += key;
    out += L"=";
    out += value;
    out += eol;
    out.append(text.substr(anchor.next));
    return out;
}
