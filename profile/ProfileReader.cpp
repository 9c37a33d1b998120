#include "ProfileReader.h"

#include <string>

#include "ProfileText.h"
#include "SectionList.h"

using namespace profile_text;

namespace {

class CLineCollector {
public:
    explicit CLineCollector(CSectionList& list) : list_(list) { line_.reserve(256); }

    void Append(wchar_t c) { line_.push_back(c); }
    bool Overflowed() const { return line_.size() > kMaxLineChars; }
    bool Empty() const { return line_.empty(); }

    // Ends the current line; false once a line was too long and reading stops.
    bool Finish() {
        if (Overflowed()) return false;
        const std::wstring_view trimmed = TrimBlanks(line_);
        if (!trimmed.empty()) Take(trimmed);
        line_.clear();
        return true;
    }

private:
    void Take(std::wstring_view line) {
        if (line.size() >= 2 && line.front() == L'[' && line.back() == L']') {
            inSection_ = true;
            section_ = list_.AddSection(std::wstring(line).c_str());
            return;
        }
        if (inSection_ && section_ != nullptr) list_.AddLine(section_, std::wstring(line).c_str(), false, nullptr);
    }

    CSectionList& list_;
    std::wstring line_;
    bool inSection_ = false;
    SECTION_LIST* section_ = nullptr;
};

bool IsBreak(wchar_t c) { return c == L'\r' || c == L'\n'; }

}  // namespace

void ParseProfileText(std::wstring_view units, CSectionList& list) {
    CLineCollector line(list);
    bool inQuotes = false;
    const std::size_t n = units.size();
    std::size_t i = 0;
    while (i < n) {
        const wchar_t c = units[i];
        if (!inQuotes && c == L'/' && i + 1 < n && units[i + 1] == L'/') {
            while (i < n && !IsBreak(units[i])) ++i;
            while (i < n && IsBreak(units[i])) ++i;
            if (!line.Empty() && !line.Finish()) return;
            continue;
        }
        if (!inQuotes && c == L'/' && i + 1 < n && units[i + 1] == L'*') {
            const std::size_t close = units.find(L"*/", i + 2);
            if (close == std::wstring_view::npos) break;
            i = close + 2;
            continue;
        }
        if (IsBreak(c)) {
            while (i < n && IsBreak(units[i])) ++i;
            if (!line.Finish()) return;
            continue;
        }
        if (c == L'"') inQuotes = !inQuotes;
        line.Append(c);
        if (line.Overflowed()) return;
        ++i;
    }
    line.Finish();
}
