// The reader: text of a profile file in, section list out.
#include <gtest/gtest.h>

#include <string>

#include "ProfileReader.h"
#include "SectionList.h"

namespace {

std::wstring Value(const CSectionList& list, const wchar_t* section, const wchar_t* key, int index = 0) {
    const LINE_LIST* line = list.FindKey(list.FindSection(section), key, index);
    return line ? line->value : L"<missing>";
}

TEST(ProfileReader, HeaderSpellingsNameTheSameSection) {
    for (const wchar_t* header : {L"[NAME]", L"[[NAME]]", L"[\"NAME\"]", L"[  NAME  ]", L"  [NAME]\t"}) {
        CSectionList list;
        ParseProfileText(std::wstring(header) + L"\r\nK=V\r\n", list);
        const SECTION_LIST* section = list.FindSection(L"name");
        ASSERT_NE(section, nullptr) << header;
        EXPECT_EQ(section->name, L"NAME") << header;
        EXPECT_EQ(Value(list, L"Name", L"k"), L"V") << header;
    }
}

struct EntryCase {
    const wchar_t* text;
    const wchar_t* key;
    const wchar_t* value;
};

TEST(ProfileReader, EntriesSplitAtTheFirstEqualsAndKeepTheirComments) {
    const EntryCase cases[] = {
        {L"KEY=VALUE", L"KEY", L"VALUE"},
        {L"KEY = VALUE", L"KEY", L"VALUE"},
        {L" \tKEY \t=\t VALUE \t", L"KEY", L"VALUE"},
        {L"KEY=A=B", L"KEY", L"A=B"},
        {L"KEY=\"quoted value\"", L"KEY", L"\"quoted value\""},
        {L"KEY=VALUE // a note", L"KEY", L"VALUE"},
        {L"KEY=\"http://127.0.0.5/\"", L"KEY", L"\"http://127.0.0.5/\""},
        {L"KEY=A/* inside */B", L"KEY", L"AB"},
        {L"KEY=A/* across\r\nlines */B", L"KEY", L"AB"},
        {L"A BARE LINE", L"A BARE LINE", L""},
        {L"KEY=", L"KEY", L""},
    };
    for (const EntryCase& c : cases) {
        CSectionList list;
        ParseProfileText(std::wstring(L"[S]\r\n") + c.text + L"\r\n", list);
        const LINE_LIST* line = list.FindKey(list.FindSection(L"S"), 0);
        ASSERT_NE(line, nullptr) << c.text;
        EXPECT_EQ(line->key, c.key) << c.text;
        EXPECT_EQ(line->value, c.value) << c.text;
        EXPECT_EQ(list.FindKey(line->section, c.key, 0), line) << c.text;
        EXPECT_EQ(line->next, nullptr) << c.text;
    }
}

TEST(ProfileReader, UnbalancedQuoteKeepsCommentsUnrecognisedUntilTheNextQuote) {
    CSectionList list;
    ParseProfileText(L"[S]\nA=\"open\nB=//kept\"\nC=x // cut\n", list);
    EXPECT_EQ(Value(list, L"S", L"A"), L"\"open");
    EXPECT_EQ(Value(list, L"S", L"B"), L"//kept\"");
    EXPECT_EQ(Value(list, L"S", L"C"), L"x");
}

TEST(ProfileReader, RepeatedHeadersAndKeysKeepEveryEntryInOrder) {
    CSectionList list;
    ParseProfileText(L"[S]\nK=1\n[T]\nX=0\n[s]\nK=2\nL=3\n", list);
    EXPECT_EQ(Value(list, L"S", L"K", 0), L"1");
    EXPECT_EQ(Value(list, L"S", L"K", 1), L"2");
    EXPECT_EQ(list.FindKey(list.FindSection(L"S"), 2)->key, L"L");
    EXPECT_EQ(list.SectionCount(), 2u);
    EXPECT_EQ(list.FindSection()->next->name, L"T");
}

TEST(ProfileReader, LineBreaksCommentsAndTheLastLine) {
    CSectionList list;
    ParseProfileText(L"ORPHAN=1\r\n\r\n\r[S]\n\n\r\nA=1 // note\r\n// whole line\r\nB=2", list);
    EXPECT_EQ(list.SectionCount(), 1u);
    EXPECT_EQ(Value(list, L"S", L"A"), L"1");
    EXPECT_EQ(Value(list, L"S", L"B"), L"2");
    EXPECT_EQ(list.FindKey(list.FindSection(L"S"), 2), nullptr);
}

TEST(ProfileReader, ByteOrderMarkHidesTheFirstHeader) {
    CSectionList list;
    ParseProfileText(L"\xFEFF[FIRST]\r\nA=1\r\n[SECOND]\r\nB=2\r\n", list);
    EXPECT_EQ(list.FindSection(L"FIRST"), nullptr);
    EXPECT_EQ(Value(list, L"SECOND", L"B"), L"2");
    EXPECT_EQ(list.SectionCount(), 1u);
}

TEST(ProfileReader, ALineLongerThan4096EndsTheReading) {
    for (std::size_t length : {4096u, 4097u, 5000u}) {
        CSectionList list;
        ParseProfileText(L"[S]\r\nA=1\r\nL=" + std::wstring(length - 2, L'x') + L"\r\nB=2\r\n[T]\r\nC=3\r\n", list);
        EXPECT_EQ(Value(list, L"S", L"A"), L"1") << length;
        const bool kept = length <= 4096;
        EXPECT_EQ(list.FindKey(list.FindSection(L"S"), L"L", 0) != nullptr, kept) << length;
        EXPECT_EQ(list.FindSection(L"T") != nullptr, kept) << length;
    }
}

TEST(ProfileReader, UnclosedBlockCommentEndsTheText) {
    CSectionList list;
    ParseProfileText(L"[S]\r\nA=1\r\nB=2 /* never closed\r\n[T]\r\nC=3\r\n", list);
    EXPECT_EQ(Value(list, L"S", L"B"), L"2");
    EXPECT_EQ(list.FindSection(L"T"), nullptr);
}

TEST(ProfileReader, OverlongNamesAndKeysAreCutAndStillFound) {
    const std::wstring name(300, L'N');
    const std::wstring key(300, L'K');
    CSectionList list;
    ParseProfileText(L"[" + name + L"]\r\n" + key + L"=v\r\n", list);
    const SECTION_LIST* section = list.FindSection(name.c_str());
    ASSERT_NE(section, nullptr);
    EXPECT_EQ(section->name.size(), 255u);
    ASSERT_NE(list.FindKey(section, key.c_str(), 0), nullptr);
    EXPECT_EQ(list.FindKey(section, 0)->key.size(), 255u);
}

TEST(ProfileReader, EmptyHeaderTakesNoEntries) {
    CSectionList list;
    ParseProfileText(L"[S]\r\nA=1\r\n[]\r\nB=2\r\n[ \"\" ]\r\nC=3\r\n", list);
    EXPECT_EQ(list.SectionCount(), 1u);
    EXPECT_EQ(list.FindKey(list.FindSection(L"S"), L"B", 0), nullptr);
    EXPECT_EQ(list.FindKey(list.FindSection(L"S"), L"C", 0), nullptr);
}

}  // namespace
