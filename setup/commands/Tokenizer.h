#pragma once
// Splitting a text at separator characters the way the section lines of the
// command file expect: a run of separators counts as one, and separators at
// the start are skipped, so no token is ever empty.

#include <string_view>

class CTokenizer {
public:
    CTokenizer(std::wstring_view text, std::wstring_view separators) : rest_(text), separators_(separators) {}

    // The next token; false when none is left.
    bool Next(std::wstring_view& token) {
        const std::size_t start = rest_.find_first_not_of(separators_);
        if (start == std::wstring_view::npos) {
            rest_ = {};
            return false;
        }
        rest_.remove_prefix(start);
        const std::size_t end = rest_.find_first_of(separators_);
        token = rest_.substr(0, end);
        rest_ = end == std::wstring_view::npos ? std::wstring_view() : rest_.substr(end + 1);
        return true;
    }

    // What follows the separator that ended the last token.
    std::wstring_view Rest() const { return rest_; }

private:
    std::wstring_view rest_;
    std::wstring_view separators_;
};
