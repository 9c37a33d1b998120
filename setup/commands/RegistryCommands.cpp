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

// The log lines of one command's failures.
struct SECTION_ERRORS {
    const wchar_t* section;
    const wchar_t* keyName;
    const wchar_t* entries;
};
constexpr SECTION_ERRORS kAddErrors{L"Get Add registry section error!", L"Get Add registry Key Name error!",
                                    L"Get value fail!"};
constexpr SECTION_ERRORS kDeleteErrors{L"Get Delete registry section error!", L"Get Delete registry Key Name error!",
                                       L"Delete value fail!"};

// A registry section as both commands read it.
struct REGISTRY_SECTION {
    enum Outcome { kFailed, kNotApplicable, kRead } outcome = kFailed;
    HKEY root = HKEY_LOCAL_MACHINE;
    std::wstring keyName;
    std::vector<VALUE_LINE> values;
};

// Reads |section|, logging the failure's line when the name is empty, the key
// name is missing or empty, or the entries cannot be read.
REGISTRY_SECTION ReadSection(const CConfigReader& commands, const wchar_t* section, const SECTION_FACTS& facts,
                             const SECTION_ERRORS& errors) {
    REGISTRY_SECTION read;
    if (section == nullptr || *section == L'\0') {
        GlobalLog().Print(L"%ls", errors.section);
        return read;
    }
    if (!SectionApplies(commands, section, facts)) {
        read.outcome = REGISTRY_SECTION::kNotApplicable;
        return read;
    }
    read.root = RootOf(commands, section);
    if (!commands.GetString(section, L"KEYNAME", read.keyName, true) || read.keyName.empty()) {
        GlobalLog().Print(L"%ls", errors.keyName);
        return read;
    }
    std::vector<std::wstring> entries;
    if (!commands.GetAllEntries(section, entries, true)) {
        GlobalLog().Print(L"%ls", errors.entries);
        return read;
    }
    read.values = ValueLines(entries);
    read.outcome = REGISTRY_SECTION::kRead;
    return read;
}

}  // namespace

bool AddRegistrySection(const CConfigReader& commands, const wchar_t* section, const SECTION_FACTS& facts) {
    const REGISTRY_SECTION read = ReadSection(commands, section, facts, kAddErrors);
    if (read.outcome != REGISTRY_SECTION::kRead) return read.outcome == REGISTRY_SECTION::kNotApplicable;
    for (const VALUE_LINE& value : read.values) {
        if (value.name.empty()) continue;
        if (profile_text::EqualsNoCase(value.type, L"REG_DWORD")) {
            CRegistry::SetValue(read.keyName.c_str(), value.name.c_str(), CUtl::StringToNumber(value.data.c_str()),
                                read.root);
        } else {
            CRegistry::SetValue(read.keyName.c_str(), value.name.c_str(), value.data.c_str(), read.root);
        }
    }
    return true;
}

bool DeleteRegistrySection(const CConfigReader& commands, const wchar_t* section, const SECTION_FACTS& facts) {
    const REGISTRY_SECTION read = ReadSection(commands, section, facts, kDeleteErrors);
    if (read.outcome != REGISTRY_SECTION::kRead) return read.outcome == REGISTRY_SECTION::kNotApplicable;
    for (const VALUE_LINE& value : read.values) {
        const std::wstring& name = value.name.empty() ? value.type : value.name;
        if (!name.empty()) CRegistry::DeleteValue(read.keyName.c_str(), name.c_str(), read.root);
    }
    std::uint32_t deleteKey = 0;
    if (commands.GetNumber(section, L"DELETE_KEY", deleteKey) && deleteKey != 0) {
        CRegistry::DeleteKey(read.keyName.c_str(), false, read.root);
        GlobalLog().Print(L"Delete Key (%ls) ", read.keyName.c_str());
    }
    return true;
}
