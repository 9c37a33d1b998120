#include "RegistryFile.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <vector>

#include "Profile.h"
#include "ProfileText.h"
#include "RegKey.h"
#include "Registry.h"
#include "SectionList.h"

using records::CRegKey;

namespace registry_file {

namespace {

struct RootEntry {
    HKEY root;
    const wchar_t* name;
};

const RootEntry kRoots[] = {
    {HKEY_CLASSES_ROOT, L"HKEY_CLASSES_ROOT"},         {HKEY_CURRENT_USER, L"HKEY_CURRENT_USER"},
    {HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE"},       {HKEY_PERFORMANCE_DATA, L"HKEY_PERFORMANCE_DATA"},
    {HKEY_CURRENT_CONFIG, L"HKEY_CURRENT_CONFIG"},     {HKEY_DYN_DATA, L"HKEY_DYN_DATA"},
};

std::wstring_view Trim(std::wstring_view text, const wchar_t* set) {
    const std::size_t first = text.find_first_not_of(set);
    if (first == std::wstring_view::npos) return {};
    return text.substr(first, text.find_last_not_of(set) - first + 1);
}

bool HasLineBreak(std::wstring_view text) { return text.find_first_of(L"\r\n") != std::wstring_view::npos; }

// The profile reader's comment pass over one line: comment marks count only
// outside double quotes, and the quote state carries over to the next line.
bool ReadsWithoutComment(std::wstring_view line) {
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == L'"') {
            quoted = !quoted;
        } else if (!quoted && line[i] == L'/' && i + 1 < line.size() && (line[i + 1] == L'/' || line[i + 1] == L'*')) {
            return false;
        }
    }
    return !quoted;
}

unsigned HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return static_cast<unsigned>(c - L'0');
    if (c >= L'a' && c <= L'f') return static_cast<unsigned>(c - L'a' + 10);
    if (c >= L'A' && c <= L'F') return static_cast<unsigned>(c - L'A' + 10);
    return 0;
}

}  // namespace

const wchar_t* RootName(HKEY root) {
    for (const RootEntry& entry : kRoots)
        if (entry.root == root) return entry.name;
    return nullptr;
}

HKEY RootFromName(std::wstring_view name) {
    for (const RootEntry& entry : kRoots)
        if (profile_text::EqualsNoCase(name, entry.name)) return entry.root;
    return nullptr;
}

std::wstring SectionName(HKEY root, const std::wstring& keyPath) {
    const wchar_t* name = RootName(root);
    return std::wstring(name != nullptr ? name : L"") + L"\\" + keyPath;
}

void SplitSectionName(const std::wstring& section, HKEY& root, std::wstring& keyPath) {
    const std::size_t slash = section.find(L'\\');
    root = RootFromName(std::wstring_view(section).substr(0, slash));
    if (root == nullptr) {
        root = HKEY_LOCAL_MACHINE;
        keyPath = section;
    } else {
        keyPath = slash == std::wstring::npos ? std::wstring() : section.substr(slash + 1);
    }
}

bool CanWriteSection(const std::wstring& section) {
    return !section.empty() && section.size() <= profile_text::kMaxNameChars &&
           profile_text::NormaliseSectionName(section) == section && !HasLineBreak(section) &&
           section.find(L'"') == std::wstring::npos && ReadsWithoutComment(section);
}

std::wstring TextValue(const std::wstring& text) { return L"\"" + text + L"\""; }

std::wstring NumberValue(DWORD number) {
    wchar_t text[32];
    std::swprintf(text, sizeof(text) / sizeof(text[0]), L"%ls:%08lx", L"dword", static_cast<unsigned long>(number));
    return text;
}

std::wstring BinaryValue() { return L"hex:"; }

std::wstring QuotedName(const std::wstring& name) { return L"\"" + name + L"\""; }

bool CanWriteLine(const std::wstring& name, const std::wstring& value) {
    const std::wstring key = QuotedName(name);
    if (key.size() > profile_text::kMaxNameChars || value.size() > profile_text::kMaxValueChars) return false;
    if (name.find(L'=') != std::wstring::npos || HasLineBreak(name) || HasLineBreak(value)) return false;
    if (Trim(name, L" \t\"") != std::wstring_view(name)) return false;
    return ReadsWithoutComment(key + L" = " + value);
}

ValueLine ParseLine(std::wstring_view entry) {
    ValueLine line;
    const std::size_t equals = entry.find(L'=');
    line.name = std::wstring(Trim(entry.substr(0, equals), L" \t\""));
    const std::wstring_view value =
        equals == std::wstring_view::npos ? std::wstring_view() : Trim(entry.substr(equals + 1), L" \t");
    if (value.size() >= 2 && value.front() == L'"' && value.back() == L'"') {
        line.kind = ValueKind::kText;
        line.text = std::wstring(value.substr(1, value.size() - 2));
        return line;
    }
    const std::size_t colon = value.find(L':');
    if (colon == std::wstring_view::npos) return line;
    const std::wstring type = profile_text::FoldedUpper(value.substr(0, colon));
    if (type == L"DWORD") {
        std::wstring_view digits = Trim(value.substr(colon + 1), L" \t\"");
        if (digits.size() > 8) digits.remove_prefix(digits.size() - 8);
        for (wchar_t c : digits) line.number = (line.number << 4) | HexDigit(c);
        line.kind = ValueKind::kNumber;
    } else if (type == L"HEX") {
        line.kind = ValueKind::kBinary;
    }
    return line;
}

}  // namespace registry_file

namespace {

using namespace registry_file;

// Keeps the first error of an operation that goes on after one.
void Note(DWORD& first, DWORD result) {
    if (first == ERROR_SUCCESS) first = result;
}

// Adds the sections of |keyPath| and everything under it to |list|.
void WriteTree(CSectionList& list, HKEY root, const std::wstring& keyPath, DWORD& firstError) {
    CRegKey key;
    DWORD result = key.Open(root, keyPath.c_str(), KEY_READ);
    if (result != ERROR_SUCCESS) return Note(firstError, result);
    DWORD subKeys = 0;
    DWORD values = 0;
    result = RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr,
                              nullptr, nullptr, nullptr);
    if (result != ERROR_SUCCESS) return Note(firstError, result);

    const std::wstring sectionName = SectionName(root, keyPath);
    SECTION_LIST* section = nullptr;
    if (CanWriteSection(sectionName))
        section = list.AddSection(sectionName.c_str());
    else
        Note(firstError, ERROR_INVALID_DATA);

    for (DWORD index = 0; index < subKeys; ++index) {
        wchar_t name[CRegistry::kNameChars];
        DWORD length = CRegistry::kNameChars;
        result = RegEnumKeyExW(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result != ERROR_SUCCESS) {
            Note(firstError, result);
            continue;
        }
        WriteTree(list, root, keyPath + L"\\" + name, firstError);
    }

    std::vector<wchar_t> data(CRegistry::kTextChars + 1);
    for (DWORD index = 0; index < values; ++index) {
        wchar_t name[CRegistry::kNameChars];
        DWORD nameLength = CRegistry::kNameChars;
        DWORD type = REG_NONE;
        DWORD size = CRegistry::kTextBytes;
        std::fill(data.begin(), data.end(), L'\0');
        result = RegEnumValueW(key.Get(), index, name, &nameLength, nullptr, &type,
                               reinterpret_cast<BYTE*>(data.data()), &size);
        if (result == ERROR_MORE_DATA) {
            // Too much data to read: a binary value is written without its
            // data all the same.
            nameLength = CRegistry::kNameChars;
            result = RegEnumValueW(key.Get(), index, name, &nameLength, nullptr, &type, nullptr, nullptr);
            if (result == ERROR_SUCCESS && type != REG_BINARY) result = ERROR_MORE_DATA;
        }
        if (result != ERROR_SUCCESS) {
            Note(firstError, result);
            continue;
        }
        std::wstring value;
        if (type == REG_SZ) {
            value = TextValue(data.data());
        } else if (type == REG_DWORD && size == sizeof(DWORD)) {
            DWORD number = 0;
            std::memcpy(&number, data.data(), sizeof(number));
            value = NumberValue(number);
        } else if (type == REG_BINARY) {
            value = BinaryValue();
        } else {
            continue;
        }
        if (section == nullptr || !CanWriteLine(name, value)) {
            Note(firstError, ERROR_INVALID_DATA);
            continue;
        }
        list.AddLine(section, (QuotedName(name) + L"=" + value).c_str(), false);
    }
}

class CFileHandle {
public:
    explicit CFileHandle(HANDLE handle) : handle_(handle) {}
    ~CFileHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

// A registry file read as a profile: its lines as they stand, with percent
// references replaced and nothing else converted (a "\n" in a path such as
// C:\new stays as it is).
class CRegistryFileProfile : public CProfile {
public:
    DWORD Open(const wchar_t* path) {
        Create(path, nullptr);
        if (IsLoaded()) return ERROR_SUCCESS;
        CSectionList unused;
        const DWORD result = LoadFile(path, unused);
        return result != ERROR_SUCCESS ? result : ERROR_READ_FAULT;
    }
    std::wstring Entry(const LINE_LIST& line) const {
        std::wstring entry = line.value.empty() ? line.key : line.key + L" = " + line.value;
        ConvertDefinedString(entry, kWorkingChars, false);
        return entry;
    }

private:
    static constexpr std::uint32_t kWorkingChars = 32768;
};

constexpr const wchar_t* kStringsSection = L"STRINGS";

DWORD WriteLine(HKEY key, const ValueLine& line) {
    switch (line.kind) {
    case ValueKind::kText:
        return RegSetValueExW(key, line.name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(line.text.c_str()),
                              static_cast<DWORD>((line.text.size() + 1) * sizeof(wchar_t)));
    case ValueKind::kNumber:
        return RegSetValueExW(key, line.name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&line.number),
                              sizeof(line.number));
    case ValueKind::kBinary:
        return ERROR_SUCCESS;
    case ValueKind::kUnknown:
        break;
    }
    return ERROR_INVALID_DATA;
}

}  // namespace

DWORD CRegistry::SaveToFile(const wchar_t* keyPath, const wchar_t* fileName, HKEY root) {
    std::wstring path;
    if (CheckKeyPath(keyPath, path) != ERROR_SUCCESS || fileName == nullptr || *fileName == L'\0' ||
        RootName(root) == nullptr)
        return ERROR_INVALID_PARAMETER;
    {
        // A key that cannot be read leaves no empty file behind.
        CRegKey key;
        const DWORD result = key.Open(root, path.c_str(), KEY_READ);
        if (result != ERROR_SUCCESS) return result;
    }
    CFileHandle file(CreateFileW(fileName, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Get() == INVALID_HANDLE_VALUE) return GetLastError();

    CSectionList list;
    DWORD firstError = ERROR_SUCCESS;
    WriteTree(list, root, path, firstError);
    CStringSink text;
    list.SaveFile(text);
    const DWORD bytes = static_cast<DWORD>(text.text.size() * sizeof(wchar_t));
    DWORD written = 0;
    if (!WriteFile(file.Get(), text.text.data(), bytes, &written, nullptr)) return GetLastError();
    if (written != bytes) return ERROR_WRITE_FAULT;
    return firstError;
}

DWORD CRegistry::LoadFromFile(const wchar_t* fileName) {
    if (fileName == nullptr || *fileName == L'\0') return ERROR_INVALID_PARAMETER;
    CRegistryFileProfile profile;
    DWORD firstError = profile.Open(fileName);
    if (firstError != ERROR_SUCCESS) return firstError;

    const CSectionList& list = profile.MainList();
    for (const SECTION_LIST* section = list.FindSection(); section != nullptr; section = section->next) {
        // The texts of percent references, not a key.
        if (profile_text::EqualsNoCase(section->name, kStringsSection)) continue;
        HKEY root = nullptr;
        std::wstring keyPath;
        SplitSectionName(section->name, root, keyPath);
        std::wstring checked;
        DWORD result = CheckKeyPath(keyPath.c_str(), checked);
        CRegKey key;
        if (result == ERROR_SUCCESS) result = key.Create(root, checked.c_str(), KEY_WRITE);
        if (result != ERROR_SUCCESS) {
            Note(firstError, result);
            continue;
        }
        for (const LINE_LIST* line = section->lines; line != nullptr; line = line->next)
            Note(firstError, WriteLine(key.Get(), ParseLine(profile.Entry(*line))));
    }
    return firstError;
}
