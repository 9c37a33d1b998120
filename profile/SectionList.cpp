#include "SectionList.h"

#include <cstring>

#include "ProfileErrors.h"
#include "ProfileText.h"

using namespace profile_text;

namespace {

std::wstring_view ClipView(std::wstring_view text, std::size_t limit) { return text.substr(0, limit); }

bool IsEmpty(const wchar_t* text) { return text == nullptr || *text == L'\0'; }

}  // namespace

CSectionList::~CSectionList() { ClearAll(); }

void CSectionList::ClearSectionList(SECTION_LIST* section) {
    *section = SECTION_LIST{};
    section->kind = 1;
}

void CSectionList::ClearLineList(LINE_LIST* line) {
    *line = LINE_LIST{};
    line->kind = 0;
}

SECTION_LIST* CSectionList::FindNormalised(const std::wstring& normalised) const {
    if (normalised.empty()) return nullptr;
    auto it = index_.find(FoldedUpper(normalised));
    return it == index_.end() ? nullptr : it->second;
}

SECTION_LIST* CSectionList::FindSection(const wchar_t* name) const {
    if (name == nullptr) return first_;
    return FindNormalised(NormaliseSectionName(name));
}

LINE_LIST* CSectionList::FindKey(const SECTION_LIST* section, const wchar_t* key, int index) const {
    if (section == nullptr || IsEmpty(key) || index < 0) return nullptr;
    const std::wstring_view wanted = ClipView(key, kMaxNameChars);
    for (LINE_LIST* line = section->lines; line != nullptr; line = line->next) {
        if (EqualsNoCase(line->key, wanted) && index-- == 0) return line;
    }
    return nullptr;
}

LINE_LIST* CSectionList::FindKey(const SECTION_LIST* section, int index) const {
    if (section == nullptr || index < 0) return nullptr;
    LINE_LIST* line = section->lines;
    while (line != nullptr && index-- > 0) line = line->next;
    return line;
}

bool CSectionList::GetValue(const wchar_t* section, const wchar_t* key, wchar_t* buffer, std::size_t size,
                            int index) const {
    const LINE_LIST* line = FindKey(FindSection(section ? section : L""), key, index);
    if (line == nullptr) return false;
    CopyToBuffer(line->value, buffer, size);
    return true;
}

std::uint32_t CSectionList::GetAllKey(const wchar_t* section, wchar_t* buffer, std::uint32_t* size,
                                      std::uint32_t* count) const {
    if (section == nullptr || buffer == nullptr || size == nullptr) return profile_error::kInvalidParameter;
    const SECTION_LIST* found = FindSection(section);
    if (found == nullptr) return profile_error::kInvalidData;
    const std::uint32_t room = *size;
    if (room > 0) std::memset(buffer, 0, room * sizeof(wchar_t));
    if (count != nullptr) *count = 0;

    std::uint64_t total = 0;
    std::uint32_t result = profile_error::kSuccess;
    wchar_t* out = buffer;
    for (const LINE_LIST* line = found->lines; line != nullptr; line = line->next) {
        total += line->key.size() + 1;
        if (result != profile_error::kSuccess) continue;
        if (total < room) {
            std::memcpy(out, line->key.c_str(), (line->key.size() + 1) * sizeof(wchar_t));
            out += line->key.size() + 1;
            if (count != nullptr) ++*count;
        } else {
            if (room > 0) std::memset(buffer, 0, room * sizeof(wchar_t));
            if (count != nullptr) *count = 0;
            result = profile_error::kOutOfMemory;
        }
    }
    *size = static_cast<std::uint32_t>(total);
    return result;
}

SECTION_LIST* CSectionList::AddSection(const wchar_t* name, const wchar_t* afterSection) {
    if (IsEmpty(name)) return nullptr;
    std::wstring normalised = NormaliseSectionName(name);
    if (normalised.empty()) return nullptr;
    if (SECTION_LIST* existing = FindNormalised(normalised)) return existing;

    auto* section = new SECTION_LIST;
    ClearSectionList(section);
    section->name = std::move(normalised);

    SECTION_LIST* after = IsEmpty(afterSection) ? nullptr : FindSection(afterSection);
    if (after == nullptr) after = last_;
    section->previous = after;
    section->next = after ? after->next : nullptr;
    if (after != nullptr) after->next = section; else first_ = section;
    if (section->next != nullptr) section->next->previous = section; else last_ = section;
    index_.emplace(FoldedUpper(section->name), section);
    return section;
}

LINE_LIST* CSectionList::AddLine(const wchar_t* section, const wchar_t* text, bool replace, const wchar_t* afterKey) {
    if (IsEmpty(section) || IsEmpty(text)) return nullptr;
    return AddLine(FindSection(section), text, replace, afterKey);
}

LINE_LIST* CSectionList::AddLine(SECTION_LIST* section, const wchar_t* text, bool replace, const wchar_t* afterKey) {
    if (section == nullptr || IsEmpty(text)) return nullptr;
    const std::wstring_view whole(text);
    std::wstring key, value;
    const std::size_t equals = whole.find(L'=');
    if (equals == std::wstring_view::npos) {
        key = Clip(whole, kMaxNameChars);
    } else {
        key = Clip(TrimBlanks(whole.substr(0, equals)), kMaxNameChars);
        value = Clip(TrimBlanks(whole.substr(equals + 1)), kMaxValueChars);
    }

    if (replace && !key.empty()) {
        if (LINE_LIST* existing = FindKey(section, key.c_str(), 0)) {
            existing->value = std::move(value);
            return existing;
        }
    }

    auto* line = new LINE_LIST;
    ClearLineList(line);
    line->section = section;
    line->key = std::move(key);
    line->value = std::move(value);

    LINE_LIST* after = IsEmpty(afterKey) ? nullptr : FindKey(section, afterKey, 0);
    if (after == nullptr) after = section->lastLine;
    line->previous = after;
    line->next = after ? after->next : nullptr;
    if (after != nullptr) after->next = line; else section->lines = line;
    if (line->next != nullptr) line->next->previous = line; else section->lastLine = line;
    return line;
}

bool CSectionList::SetValue(const wchar_t* section, const wchar_t* key, const wchar_t* value, int index) {
    SECTION_LIST* found = FindSection(section ? section : L"");
    if (found == nullptr) found = AddSection(section);
    if (found == nullptr) return true;  // nothing can be stored under an empty name
    const std::wstring_view newValue = value ? value : L"";
    if (LINE_LIST* line = FindKey(found, key, index)) {
        line->value = Clip(newValue, kMaxValueChars);
        return true;
    }
    std::wstring text(key ? key : L"");
    if (!newValue.empty()) {
        text += L" = ";
        text += newValue;
    }
    AddLine(found, text.c_str(), true, nullptr);
    return true;
}

void CSectionList::FreeLines(LINE_LIST* line) {
    while (line != nullptr) {
        LINE_LIST* next = line->next;
        delete line;
        line = next;
    }
}

void CSectionList::Unlink(SECTION_LIST* section) {
    if (section->previous != nullptr) section->previous->next = section->next; else first_ = section->next;
    if (section->next != nullptr) section->next->previous = section->previous; else last_ = section->previous;
    index_.erase(FoldedUpper(section->name));
}

bool CSectionList::DeleteSection(const wchar_t* section) {
    if (IsEmpty(section)) return false;
    SECTION_LIST* found = FindSection(section);
    if (found == nullptr) return false;
    Unlink(found);
    FreeLines(found->lines);
    delete found;
    return true;
}

bool CSectionList::DeleteLine(const wchar_t* section, const wchar_t* key) {
    if (IsEmpty(section) || IsEmpty(key)) return false;
    SECTION_LIST* found = FindSection(section);
    LINE_LIST* line = FindKey(found, key, 0);
    if (line == nullptr) return false;
    if (line->previous != nullptr) line->previous->next = line->next; else found->lines = line->next;
    if (line->next != nullptr) line->next->previous = line->previous; else found->lastLine = line->previous;
    delete line;
    return true;
}

bool CSectionList::DeleteAllLines(const wchar_t* section) {
    SECTION_LIST* found = FindSection(section ? section : L"");
    if (found == nullptr) return false;
    FreeLines(found->lines);
    found->lines = nullptr;
    found->lastLine = nullptr;
    return true;
}

void CSectionList::DeleteLineList(LINE_LIST* line) {
    if (line == nullptr) return;
    SECTION_LIST* section = line->section;
    LINE_LIST* before = line->previous;
    if (before != nullptr) before->next = nullptr;
    if (section != nullptr) {
        if (before == nullptr) section->lines = nullptr;
        section->lastLine = before;
    }
    FreeLines(line);
}

void CSectionList::DeleteSectionList(SECTION_LIST* section) {
    if (section == nullptr) return;
    SECTION_LIST* before = section->previous;
    while (section != nullptr) {
        SECTION_LIST* next = section->next;
        index_.erase(FoldedUpper(section->name));
        FreeLines(section->lines);
        delete section;
        section = next;
    }
    if (before != nullptr) before->next = nullptr; else first_ = nullptr;
    last_ = before;
}

void CSectionList::ClearAll() { DeleteSectionList(first_); }

std::uint32_t CSectionList::SaveFile(CTextSink& sink) const {
    for (const SECTION_LIST* section = first_; section != nullptr; section = section->next) WriteSection(sink, section);
    return profile_error::kSuccess;
}

void CSectionList::WriteSection(CTextSink& sink, const SECTION_LIST* section) const {
    if (section == nullptr) return;
    std::wstring line = L"[" + section->name + L"]\r\n";
    sink.Write(line);
    for (const LINE_LIST* entry = section->lines; entry != nullptr; entry = entry->next) {
        line = entry->key;
        if (!entry->value.empty()) {
            line += L" = ";
            line += entry->value;
        }
        line += L"\r\n";
        sink.Write(line);
    }
    sink.Write(L"\r\n");
}
