#include "Profile.h"

#include <cstring>

#include "ProfileEditor.h"
#include "ProfileErrors.h"
#include "ProfileFile.h"
#include "ProfileReader.h"
#include "ProfileText.h"

using namespace profile_text;

namespace {

constexpr std::uint32_t kControlBuffer = 32768;
constexpr std::uint32_t kAllKeyBuffer = 32768;
// How often a reference at one place may be replaced by text that again holds
// a reference there, before that place is left as it is.
constexpr int kMaxReferenceDepth = 32;

bool IsEmpty(const wchar_t* text) { return text == nullptr || *text == L'\0'; }

}  // namespace

CProfile::CProfile(const wchar_t* path, const wchar_t* stringsPath) { Create(path, stringsPath, false); }

std::uint32_t CProfile::LoadFile(const wchar_t* path, CSectionList& list) {
    if (IsEmpty(path)) return profile_error::kInvalidParameter;
    std::wstring units;
    const std::uint32_t result = ReadFileUnits(path, units);
    if (result != profile_error::kSuccess) return result;
    ParseProfileText(units, list);
    return profile_error::kSuccess;
}

std::uint32_t CProfile::Create(const wchar_t* path, const wchar_t* stringsPath, bool) {
    // A profile holds one file's content: creating it again starts afresh.
    mainLoaded_ = stringsLoaded_ = false;
    main_.ClearAll();
    strings_.ClearAll();
    path_.clear();
    if (LoadFile(path, main_) == profile_error::kSuccess) {
        path_ = path;
        mainLoaded_ = true;
        if (LoadFile(stringsPath, strings_) == profile_error::kSuccess) stringsLoaded_ = true;
    }
    return profile_error::kSuccess;
}

std::uint32_t CProfile::Reload(const wchar_t* path, const wchar_t* stringsPath) {
    return Create(path, stringsPath, false);
}

std::uint32_t CProfile::StringToDword(const wchar_t* text) {
    if (text == nullptr) return 0;
    std::wstring upper = FoldedUpper(text);
    if (upper.find(L"0X") == std::wstring::npos) {
        std::size_t i = 0;
        while (i < upper.size() && (upper[i] == L' ' || (upper[i] >= L'\t' && upper[i] <= L'\r'))) ++i;
        bool negative = false;
        if (i < upper.size() && (upper[i] == L'-' || upper[i] == L'+')) negative = upper[i++] == L'-';
        std::uint32_t value = 0;
        for (; i < upper.size() && upper[i] >= L'0' && upper[i] <= L'9'; ++i)
            value = value * 10u + static_cast<std::uint32_t>(upper[i] - L'0');
        return negative ? 0u - value : value;
    }
    ReplaceAll(upper, L"0X", L"");
    const std::size_t start = upper.size() > 8 ? upper.size() - 8 : 0;
    std::uint32_t value = 0;
    for (std::size_t i = start; i < upper.size(); ++i) {
        const wchar_t c = upper[i];
        std::uint32_t digit = 0;
        if (c >= L'0' && c <= L'9') digit = static_cast<std::uint32_t>(c - L'0');
        else if (c >= L'A' && c <= L'F') digit = static_cast<std::uint32_t>(c - L'A' + 10);
        value = value * 16u + digit;
    }
    return value;
}

bool CProfile::GetStringValue(const std::wstring& reference, std::wstring& value) const {
    const LINE_LIST* line = nullptr;
    if (stringsLoaded_) line = strings_.FindKey(strings_.FindSection(L"STRINGS"), reference.c_str(), 0);
    if (line == nullptr) line = main_.FindKey(main_.FindSection(L"STRINGS"), reference.c_str(), 0);
    if (line == nullptr) return false;
    std::size_t begin = 0, end = line->value.size();
    while (begin < end && line->value[begin] == L'"') ++begin;
    while (end > begin && line->value[end - 1] == L'"') --end;
    value.assign(line->value, begin, end - begin);
    return true;
}

std::uint32_t CProfile::ConvertDefinedString(std::wstring& text, std::uint32_t size, bool escapes) const {
    std::wstring result = text;
    std::size_t open = result.find(L'%');
    std::size_t depthAt = std::wstring::npos;
    int depth = 0;
    std::wstring value;
    while (open != std::wstring::npos) {
        const std::size_t close = result.find(L'%', open + 1);
        if (close == std::wstring::npos) break;
        if (open != depthAt) {
            depthAt = open;
            depth = 0;
        }
        const std::wstring reference = result.substr(open, close - open + 1);
        if (depth < kMaxReferenceDepth && GetStringValue(reference, value)) {
            ReplaceAll(result, reference, value);
            ++depth;
            if (result.size() >= size) return profile_error::kOutOfMemory;  // can no longer fit
            continue;
        }
        open = result.find(L'%', open + 1);
    }
    if (escapes) {
        ReplaceAll(result, L"\\r", L"\r");
        ReplaceAll(result, L"\\n", L"\n");
    }
    if (result.size() >= size) return profile_error::kOutOfMemory;
    text = std::move(result);
    return profile_error::kSuccess;
}

std::uint32_t CProfile::GetString(const wchar_t* section, const wchar_t* key, std::wstring& out, std::uint32_t size,
                                  bool escapes) const {
    if (section == nullptr || key == nullptr) return profile_error::kInvalidParameter;
    const LINE_LIST* line = main_.FindKey(main_.FindSection(section), key, 0);
    if (line == nullptr) return profile_error::kInvalidData;
    out.assign(line->value, 0, size > 0 ? std::min<std::size_t>(line->value.size(), size - 1) : 0);
    ConvertDefinedString(out, size, escapes);
    return profile_error::kSuccess;
}

std::uint32_t CProfile::GetString(const wchar_t* section, const wchar_t* key, wchar_t* buffer, std::uint32_t size,
                                  bool escapes) const {
    if (buffer == nullptr || size == 0) return profile_error::kInvalidParameter;
    std::wstring text;
    const std::uint32_t result = GetString(section, key, text, size, escapes);
    if (result == profile_error::kSuccess) CopyToBuffer(text, buffer, size);
    return result;
}

std::uint32_t CProfile::GetDword(const wchar_t* section, const wchar_t* key, std::uint32_t* out) const {
    if (IsEmpty(section) || IsEmpty(key) || out == nullptr) return profile_error::kInvalidParameter;
    const LINE_LIST* line = main_.FindKey(main_.FindSection(section), key, 0);
    if (line == nullptr) return profile_error::kInvalidData;
    *out = StringToDword(line->value.c_str());
    return profile_error::kSuccess;
}

std::uint32_t CProfile::ReadParts(const wchar_t* section, const wchar_t* key, std::size_t needed,
                                  std::vector<std::uint32_t>& parts, std::uint32_t missing) const {
    if (IsEmpty(section) || IsEmpty(key)) return profile_error::kInvalidParameter;
    const LINE_LIST* line = main_.FindKey(main_.FindSection(section), key, 0);
    if (line == nullptr) return missing;
    const std::wstring value = Clip(line->value, kControlBuffer - 1);
    std::size_t pos = 0;
    while (pos <= value.size() && parts.size() < needed) {
        std::size_t comma = value.find(L',', pos);
        if (comma == std::wstring::npos) comma = value.size();
        if (comma > pos) parts.push_back(StringToDword(value.substr(pos, comma - pos).c_str()));
        pos = comma + 1;
    }
    return parts.size() < needed ? profile_error::kInvalidParameter : profile_error::kSuccess;
}

std::uint32_t CProfile::GetControl(const wchar_t* section, const wchar_t* key, PROFILE_SIZE* out) const {
    if (out == nullptr) return profile_error::kInvalidParameter;
    std::vector<std::uint32_t> parts;
    const std::uint32_t result = ReadParts(section, key, 2, parts, profile_error::kInvalidData);
    if (result != profile_error::kSuccess) return result;
    out->cx = static_cast<std::int32_t>(parts[0]);
    out->cy = static_cast<std::int32_t>(parts[1]);
    return profile_error::kSuccess;
}

std::uint32_t CProfile::GetControl(const wchar_t* section, const wchar_t* key, PROFILE_POINT* out) const {
    if (out == nullptr) return profile_error::kInvalidParameter;
    PROFILE_SIZE size;
    if (GetControl(section, key, &size) != profile_error::kSuccess) return profile_error::kInvalidParameter;
    out->x = size.cx;
    out->y = size.cy;
    return profile_error::kSuccess;
}

std::uint32_t CProfile::GetControl(const wchar_t* section, const wchar_t* key, std::uint32_t* colour) const {
    if (colour == nullptr) return profile_error::kInvalidParameter;
    std::vector<std::uint32_t> parts;
    const std::uint32_t result = ReadParts(section, key, 3, parts, profile_error::kInvalidData);
    if (result != profile_error::kSuccess) return result;
    *colour = (parts[0] % 256u) + (parts[1] % 256u) * 256u + (parts[2] % 256u) * 65536u;
    return profile_error::kSuccess;
}

std::uint32_t CProfile::GetControl(const wchar_t* section, const wchar_t* key, PROFILE_RECT* out) const {
    if (out == nullptr) return profile_error::kInvalidParameter;
    std::vector<std::uint32_t> parts;
    const std::uint32_t result = ReadParts(section, key, 4, parts, profile_error::kInvalidParameter);
    if (result != profile_error::kSuccess) return result;
    out->left = static_cast<std::int32_t>(parts[0]);
    out->top = static_cast<std::int32_t>(parts[1]);
    out->right = static_cast<std::int32_t>(parts[2]);
    out->bottom = static_cast<std::int32_t>(parts[3]);
    return profile_error::kSuccess;
}

std::uint32_t CProfile::GetSectionName(wchar_t* buffer, std::uint32_t size, bool nulSeparated) const {
    if (buffer == nullptr || size == 0) return profile_error::kInvalidParameter;
    if (nulSeparated) {
        std::memset(buffer, 0, size * sizeof(wchar_t));
    } else {
        for (std::uint32_t i = 0; i + 1 < size; ++i) buffer[i] = L' ';
        buffer[size - 1] = L'\0';
    }
    if (main_.FindSection() == nullptr) return profile_error::kInvalidData;
    std::uint32_t used = 0;
    for (const SECTION_LIST* section = main_.FindSection(); section != nullptr; section = section->next) {
        if (section->name.empty()) continue;
        const std::size_t length = section->name.size();
        if (length >= size - used) return profile_error::kOutOfMemory;
        std::memcpy(buffer + used, section->name.data(), length * sizeof(wchar_t));
        buffer[used + length] = nulSeparated ? L'\0' : L' ';
        used += static_cast<std::uint32_t>(length + 1);
    }
    if (!nulSeparated) buffer[size - 1] = L'\0';
    return profile_error::kSuccess;
}

std::vector<std::wstring> CProfile::SectionNames() const {
    std::vector<std::wstring> names;
    names.reserve(main_.SectionCount());
    for (const SECTION_LIST* section = main_.FindSection(); section != nullptr; section = section->next)
        names.push_back(section->name);
    return names;
}

std::uint32_t CProfile::GetAllKey(const wchar_t* section, wchar_t* buffer, std::uint32_t size, bool skipBare) const {
    if (section == nullptr || buffer == nullptr || size == 0) return profile_error::kInvalidParameter;
    std::memset(buffer, 0, size * sizeof(wchar_t));
    const SECTION_LIST* found = main_.FindSection(section);
    if (found == nullptr) return profile_error::kInvalidData;
    std::uint32_t used = 0;
    std::wstring entry;
    for (const LINE_LIST* line = found->lines; line != nullptr; line = line->next) {
        if (!line->value.empty()) {
            entry = line->key + L" = " + line->value;
            ConvertDefinedString(entry, kAllKeyBuffer, true);
        } else if (skipBare) {
            continue;
        } else {
            entry = line->key;
        }
        if (entry.empty()) continue;
        if (entry.size() >= size - used) return profile_error::kOutOfMemory;
        std::memcpy(buffer + used, entry.data(), entry.size() * sizeof(wchar_t));
        used += static_cast<std::uint32_t>(entry.size() + 1);
    }
    return profile_error::kSuccess;
}

std::uint32_t CProfile::SetData(const wchar_t* section, const wchar_t* key, const wchar_t* text) {
    if (path_.empty()) return profile_error::kFileNotFound;
    std::wstring units;
    const std::uint32_t read = ReadFileUnits(path_, units);
    if (read != profile_error::kSuccess && read != profile_error::kFileNotFound) return read;
    return ReplaceFileUnits(path_, EditProfileText(units, section, key, text));
}

std::uint32_t CProfile::SetValue(const wchar_t* section, const wchar_t* key, const wchar_t* text) {
    if (IsEmpty(section) || key == nullptr || text == nullptr) return profile_error::kInvalidParameter;
    if (*key == L'\0') return SetData(section, L"", L"");
    return SetData(section, key, text);
}

std::uint32_t CProfile::SetValue(const wchar_t* section, const wchar_t* key, std::int32_t number) {
    if (IsEmpty(section) || IsEmpty(key)) return profile_error::kInvalidParameter;
    return SetData(section, key, std::to_wstring(number).c_str());
}

std::uint32_t CProfile::SetValue(const wchar_t* section, const wchar_t* key, const PROFILE_SIZE& size) {
    if (IsEmpty(section) || IsEmpty(key)) return profile_error::kInvalidParameter;
    return SetData(section, key, (std::to_wstring(size.cx) + L"," + std::to_wstring(size.cy)).c_str());
}

std::uint32_t CProfile::SetValue(const wchar_t* section, const wchar_t* key, const PROFILE_POINT& point) {
    return SetValue(section, key, PROFILE_SIZE{point.x, point.y});
}

std::uint32_t CProfile::SetValueColour(const wchar_t* section, const wchar_t* key, std::uint32_t colour) {
    if (IsEmpty(section) || IsEmpty(key)) return profile_error::kInvalidParameter;
    const std::wstring text = std::to_wstring(colour & 0xFF) + L"," + std::to_wstring((colour >> 8) & 0xFF) + L"," +
                              std::to_wstring((colour >> 16) & 0xFF);
    return SetData(section, key, text.c_str());
}

std::uint32_t CProfile::SetValue(const wchar_t* section, const wchar_t* key, const PROFILE_RECT& rect) {
    if (IsEmpty(section) || IsEmpty(key)) return profile_error::kInvalidParameter;
    const std::wstring text = std::to_wstring(rect.left) + L"," + std::to_wstring(rect.top) + L"," +
                              std::to_wstring(rect.right) + L"," + std::to_wstring(rect.bottom);
    return SetData(section, key, text.c_str());
}
