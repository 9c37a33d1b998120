#include "ConfigContext.h"

#include "ProfileText.h"

using profile_text::ReplaceAll;

void CFixedConfigContext::SetVariable(const std::wstring& name, const std::wstring& value) {
    for (Variable& variable : variables_) {
        if (variable.name == name) {
            variable.value = value;
            return;
        }
    }
    variables_.push_back({name, value});
}

void CFixedConfigContext::ExpandPathVariables(std::wstring& text, const LANGUAGE_OVERRIDE* override) const {
    if (text.find(L'$') == std::wstring::npos) return;
    if (override != nullptr && override->abbreviation != nullptr) ReplaceAll(text, L"$LANG_ABBR$", override->abbreviation);
    if (override != nullptr && override->directory != nullptr) ReplaceAll(text, L"$LANG_DIR$", override->directory);
    for (const Variable& variable : variables_) ReplaceAll(text, L"$" + variable.name + L"$", variable.value);
}
