#include "FileCommands.h"

#include <vector>

#include "ConfigReader.h"
#include "FileOperations.h"
#include "Log.h"
#include "ProfileText.h"
#include "ShellFolders.h"
#include "Tokenizer.h"

namespace {

std::wstring TrimPath(std::wstring_view path) {
    const std::size_t start = path.find_first_not_of(L" \t\"");
    if (start == std::wstring_view::npos) return {};
    const std::size_t end = path.find_last_not_of(L" \t\"");
    return std::wstring(path.substr(start, end - start + 1));
}

// A decimal flag: leading digits, false when there are none or they read 0.
bool ReadFlag(std::wstring_view text) {
    text = profile_text::TrimBlanks(text);
    unsigned long long value = 0;
    std::size_t digits = 0;
    for (; digits < text.size() && text[digits] >= L'0' && text[digits] <= L'9'; ++digits)
        value = value * 10 + static_cast<unsigned>(text[digits] - L'0');
    return digits > 0 && value != 0;
}

bool ReadEntries(const CConfigReader& commands, const wchar_t* section, const SECTION_FACTS& facts,
                 std::vector<std::wstring>& entries, bool& applies) {
    applies = false;
    if (section == nullptr || *section == L'\0') return false;
    if (!SectionApplies(commands, section, facts)) return true;
    applies = true;
    return commands.GetAllEntries(section, entries, true);
}

// A directory line never empties a drive or a folder the system keeps (a
// path variable that expanded to nothing, say, or to the Windows directory).
void DeleteDirectory(const std::wstring& target) {
    if (!target.empty() && CShellFolders().IsKept(target)) {
        GlobalLog().Print(L"Delete directory (%ls) refused: the system keeps this folder", target.c_str());
        return;
    }
    DeleteTree(target.c_str(), true);
}

}  // namespace

bool ParseCopyLine(const std::wstring& entry, COPY_LINE& line) {
    const std::size_t equals = entry.find(L'=');
    if (equals == std::wstring::npos) return false;
    const std::wstring_view type = profile_text::TrimBlanks(std::wstring_view(entry).substr(0, equals));
    line = COPY_LINE{};
    if (profile_text::EqualsNoCase(type, L"DIRECTORY")) line.directory = true;
    else if (!profile_text::EqualsNoCase(type, L"FILE")) return false;

    std::wstring_view rest = std::wstring_view(entry).substr(equals + 1);
    const std::size_t first = rest.find_first_not_of(L' ');
    rest = first == std::wstring_view::npos ? std::wstring_view() : rest.substr(first);
    CTokenizer tokens(rest, L",");
    std::wstring_view fields[4];
    std::size_t count = 0;
    while (count < 4 && tokens.Next(fields[count])) ++count;

    if (count > 0) line.source = TrimPath(fields[0]);
    if (count > 1) line.destination = TrimPath(fields[1]);
    if (line.directory) {
        if (count > 2) line.withSubDirs = ReadFlag(fields[2]);
        if (count > 3) line.record = ReadFlag(fields[3]);
    } else {
        if (count > 2) line.record = ReadFlag(fields[2]);
        if (count > 3) line.record = ReadFlag(fields[3]);
    }
    return true;
}

bool CopySection(const CConfigReader& commands, const wchar_t* section, const SECTION_FACTS& facts) {
    std::vector<std::wstring> entries;
    bool applies = false;
    if (!ReadEntries(commands, section, facts, entries, applies)) return false;
    if (!applies) return true;
    for (const std::wstring& entry : entries) {
        COPY_LINE line;
        if (!ParseCopyLine(entry, line)) continue;
        if (line.directory) CopyTree(line.source.c_str(), line.destination.c_str(), line.withSubDirs, line.record);
        else CopySingleFile(line.source.c_str(), line.destination.c_str(), line.record);
    }
    return true;
}

bool DeleteSection(const CConfigReader& commands, const wchar_t* section, const SECTION_FACTS& facts) {
    std::vector<std::wstring> entries;
    bool applies = false;
    if (!ReadEntries(commands, section, facts, entries, applies)) return false;
    if (!applies) return true;
    for (const std::wstring& entry : entries) {
        const std::size_t equals = entry.find(L'=');
        if (equals == std::wstring::npos) continue;
        const std::wstring type = profile_text::FoldedUpper(std::wstring_view(entry).substr(0, equals));
        const std::wstring target(profile_text::TrimBlanks(std::wstring_view(entry).substr(equals + 1)));
        if (type.find(L"FILE") != std::wstring::npos) DeleteSingleFile(target.c_str());
        else if (type.find(L"DIRECTORY") != std::wstring::npos) DeleteDirectory(target);
    }
    return true;
}
