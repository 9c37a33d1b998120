#pragma once
// The in-memory model of a profile file: a doubly linked list of sections in
// file order, each owning a doubly linked list of entry lines.
//
// Names and keys keep at most 255 characters and values at most 4095 (longer
// texts are cut to that length when stored and when looked up). Section names
// are stored normalised (see NormaliseSectionName). Behind the list an index
// of the folded section names makes a lookup by name take constant time; the
// list itself stays the order of record.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "TextSink.h"

struct LINE_LIST;

struct SECTION_LIST {
    std::uint32_t kind = 1;
    SECTION_LIST* previous = nullptr;
    SECTION_LIST* next = nullptr;
    LINE_LIST* lines = nullptr;
    std::uint32_t reserved = 0;
    std::wstring name;
    LINE_LIST* lastLine = nullptr;  // tail of |lines|, so that appending is cheap
};

struct LINE_LIST {
    std::uint32_t kind = 0;
    SECTION_LIST* section = nullptr;
    LINE_LIST* previous = nullptr;
    LINE_LIST* next = nullptr;
    std::wstring value;
    std::wstring key;
};

class CSectionList {
public:
    CSectionList() = default;
    virtual ~CSectionList();
    CSectionList(const CSectionList&) = delete;
    CSectionList& operator=(const CSectionList&) = delete;

    // No name: the first section. Otherwise the section whose normalised name
    // compares equal.
    SECTION_LIST* FindSection(const wchar_t* name = nullptr) const;
    // The n-th line (from 0) whose key compares equal, or the n-th line at all.
    LINE_LIST* FindKey(const SECTION_LIST* section, const wchar_t* key, int index) const;
    LINE_LIST* FindKey(const SECTION_LIST* section, int index) const;

    bool GetValue(const wchar_t* section, const wchar_t* key, wchar_t* buffer, std::size_t size, int index) const;
    std::uint32_t GetAllKey(const wchar_t* section, wchar_t* buffer, std::uint32_t* size, std::uint32_t* count) const;

    SECTION_LIST* AddSection(const wchar_t* name, const wchar_t* afterSection = nullptr);
    LINE_LIST* AddLine(const wchar_t* section, const wchar_t* text, bool replace, const wchar_t* afterKey = nullptr);
    LINE_LIST* AddLine(SECTION_LIST* section, const wchar_t* text, bool replace, const wchar_t* afterKey = nullptr);
    bool SetValue(const wchar_t* section, const wchar_t* key, const wchar_t* value, int index);

    bool DeleteSection(const wchar_t* section);
    bool DeleteLine(const wchar_t* section, const wchar_t* key);
    bool DeleteAllLines(const wchar_t* section);
    void DeleteLineList(LINE_LIST* line);
    void ClearAll();
    void Delete() { ClearAll(); }

    std::uint32_t SaveFile(CTextSink& sink) const;
    void WriteSection(CTextSink& sink, const SECTION_LIST* section) const;

    // Number of sections; walking them is FindSection() then next.
    std::size_t SectionCount() const { return index_.size(); }

protected:
    static void ClearSectionList(SECTION_LIST* section);
    static void ClearLineList(LINE_LIST* line);
    void DeleteSectionList(SECTION_LIST* section);

private:
    SECTION_LIST* FindNormalised(const std::wstring& normalised) const;
    void Unlink(SECTION_LIST* section);
    static void FreeLines(LINE_LIST* line);

    SECTION_LIST* first_ = nullptr;
    SECTION_LIST* last_ = nullptr;
    std::unordered_map<std::wstring, SECTION_LIST*> index_;  // folded name -> section
};
