#include "RegistryCommands.h"

#include <vector>

#include "ConfigReader.h"
#include "Log.h"
#include "ProfileText.h"
#include "Registry.h"
#include "Tokenizer.h"
#include "Utl.h"

namespace {

struct VALUE_LINE {
    std::wstring type;
    std::wstring name;
    std::wstring data;
};

// The VALUE lines of a section's entries ("KEY = value" each), in order.
std::vector<VALUE_LINE> ValueLines(const std::vector<std::wstring>& entries) {
    std::vector<VALUE_LINE> lines;
    for (const std::wstring& entry : entries) {
        const std::size_t equals = entry.find(L'=');
        if (equals == std::wstring::npos) continue;
        if (!profile_text::EqualsNoCase(profile_text::TrimBlanks(std::wstring_view(entry).substr(0, equals)),
                                        L"VALUE"))
            continue;
        CTokenizer tokens(std::wstring_view(entry).substr(equals + 1), L",");
        VALUE_LINE line;
        std::wstring_view token;
        if (tokens.Next(token)) line.type = profile_text::TrimBlanks(token);
        if (tokens.Next(token)) {
            line.name = profile_text::TrimBlanks(token);
            line.data = profile_text::TrimBlanks(tokens.Rest());
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

HKEY RootOf(const CConfigReader& commands, const wchar_t* section) {
    std::wstring root;
    commands.GetString(section, L"ROOTKEY", root, true);
    return profile_text::FoldedUpper(root).find(L"HKCU") != std::wstring::npos ? HKEY_CURRENT_USER
                                                                               : HKEY_LOCAL_MACHINE;
}

// The section's root, key name and VALUE lines; false after logging the
// failure's line when the key name is missing or the entries cannot be read.
bool ReadSection(const CConfigReader& commands, const wchar_t* section, const wchar_t* keyError,
                 const wchar_t* entriesError, HKEY& root, std::wstring& keyName, std::vector<VALUE_LINE>& values) {
    root = RootOf(commands, section);
    if (!commands.GetString(section, L"KEYNAME", keyName, true) || keyName.empty()) {
        GlobalLog().Print(L"%ls", keyError);
        return false;
    }
    std::vector<std::wstring> entries;
    if (!commands.GetAllEntries(section, entries, true)) {
        GlobalLog().Print(L"%ls", entriesError);
        return false;
    }
    values = ValueLines(entries);
    return true;
}

}  // namespace

bool AddRegistrySection(const CConfigReader& commands, const wchar_t* section, const SECTION_FACTS& facts) {
    if (section == nullptr || *section == L'\0') {
        GlobalLog().Print(L"Get Add registry section error!");
        return false;
    }
    if (!SectionApplies(commands, section, facts)) return true;
    HKEY root = HKEY_LOCAL_MACHINE;
    std::wstring keyName;
    std::vector<VALUE_LINE> values;
    if (!ReadSection(commands, section, L"Get Add registry Key Name error!", L"Get value fail!", root, keyName,
                     values))
        return false;
    for (const VALUE_LINE& value : values) {
        if (value.name.empty()) continue;
        if (profile_text::EqualsNoCase(value.type, L"REG_DWORD")) {
            CRegistry::SetValue(keyName.c_str(), value.name.c_str(), CUtl::StringToNumber(value.data.c_str()), root);
        } else {
            CRegistry::SetValue(keyName.c_str(), value.name.c_str(), value.data.c_str(), root);
        }
    }
    return true;
}

bool DeleteRegistrySection(const CConfigReader& commands, const wchar_t* section, const SECTION_FACTS& facts) {
    if (section == nullptr || *section == L'\0') {
        GlobalLog().Print(L"Get Delete registry section error!");
        return false;
    }
    if (!SectionApplies(commands, section, facts)) return true;
    HKEY root = HKEY_LOCAL_MACHINE;
    std::wstring keyName;
    std::vector<VALUE_LINE> values;
    if (!ReadSection(commands, section, L"Get Delete registry Key Name error!", L"Delete value fail!", root, keyName,
                     values))
        return false;
    for (const VALUE_LINE& value : values) {
        const std::wstring& name = value.name.empty() ? value.type : value.name;
        if (!name.empty()) CRegistry::DeleteValue(keyName.c_str(), name.c_str(), root);
    }
    std::uint32_t deleteKey = 0;
    if (commands.GetNumber(section, L"DELETE_KEY", deleteKey) && deleteKey != 0) {
        CRegistry::DeleteKey(keyName.c_str(), false, root);
        GlobalLog().Print(L"Delete Key (%ls) ", keyName.c_str());
    }
    return true;
}
