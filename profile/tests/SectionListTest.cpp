// Lookups, edits and writing of the section list.
#include <gtest/gtest.h>

#include <string>

#include "ProfileReader.h"
#include "SectionList.h"

namespace {

std::wstring Keys(const CSectionList& list, const wchar_t* section) {
    std::wstring keys;
    for (const LINE_LIST* line = list.FindSection(section)->lines; line; line = line->next) keys += line->key + L";";
    return keys;
}

std::wstring KeysBackwards(const CSectionList& list, const wchar_t* section) {
    const SECTION_LIST* s = list.FindSection(section);
    std::wstring keys;
    for (const LINE_LIST* line = s->lastLine; line; line = line->previous) keys += line->key + L";";
    return keys;
}

TEST(SectionList, AddSectionReturnsTheExistingOneAndPlacesNewOnesAfterANamedSection) {
    CSectionList list;
    SECTION_LIST* a = list.AddSection(L"A");
    list.AddSection(L"C");
    EXPECT_EQ(list.AddSection(L"\"a\""), a);
    SECTION_LIST* b = list.AddSection(L"B", L"A");
    EXPECT_EQ(a->next, b);
    EXPECT_EQ(b->next->name, L"C");
    EXPECT_EQ(b->next->previous, b);
    EXPECT_EQ(list.AddSection(L""), nullptr);
    EXPECT_EQ(list.AddSection(L"D", L"NO SUCH")->previous->name, L"C");
}

TEST(SectionList, AddLineSplitsReplacesAndInsertsAfterAKey) {
    CSectionList list;
    list.AddSection(L"S");
    list.AddLine(L"S", L"A = 1", false);
    list.AddLine(L"S", L"C=3", false);
    list.AddLine(L"S", L"B=2", false, L"a");
    EXPECT_EQ(Keys(list, L"S"), L"A;B;C;");
    EXPECT_EQ(KeysBackwards(list, L"S"), L"C;B;A;");
    EXPECT_EQ(list.AddLine(L"S", L"a=9", true)->value, L"9");
    EXPECT_EQ(Keys(list, L"S"), L"A;B;C;");
    EXPECT_EQ(list.AddLine(L"S", L"A=10", false)->previous->key, L"C");
    EXPECT_EQ(list.AddLine(L"MISSING", L"A=1", false), nullptr);
    EXPECT_EQ(list.AddLine(L"S", L"", false), nullptr);
}

TEST(SectionList, SetValueReplacesTheNthOrAddsAndCreatesTheSection) {
    CSectionList list;
    list.SetValue(L"NEW", L"K", L"  spaced  ", 0);
    EXPECT_EQ(list.FindKey(list.FindSection(L"NEW"), L"K", 0)->value, L"spaced");  // added lines are trimmed
    list.SetValue(L"NEW", L"K", L"  kept  ", 0);
    EXPECT_EQ(list.FindKey(list.FindSection(L"NEW"), L"K", 0)->value, L"  kept  ");  // replaced values are not
    list.SetValue(L"NEW", L"BARE", L"", 0);
    EXPECT_EQ(Keys(list, L"NEW"), L"K;BARE;");
    // A missing second occurrence overwrites the first one's value.
    list.SetValue(L"NEW", L"K", L"x", 1);
    EXPECT_EQ(Keys(list, L"NEW"), L"K;BARE;");
    EXPECT_EQ(list.FindKey(list.FindSection(L"NEW"), L"K", 0)->value, L"x");
    const std::wstring longValue(5000, L'v');
    list.SetValue(L"NEW", L"LONG", longValue.c_str(), 0);
    EXPECT_EQ(list.FindKey(list.FindSection(L"NEW"), L"LONG", 0)->value.size(), 4095u);
}

TEST(SectionList, DeletionsKeepTheChainsWhole) {
    CSectionList list;
    ParseProfileText(L"[A]\nK1=1\nK2=2\nK3=3\nK2=4\n[B]\nX=1\n[C]\nY=1\n", list);
    EXPECT_TRUE(list.DeleteLine(L"A", L"k2"));
    EXPECT_EQ(Keys(list, L"A"), L"K1;K3;K2;");
    EXPECT_FALSE(list.DeleteLine(L"A", L"NONE"));
    list.DeleteLineList(list.FindKey(list.FindSection(L"A"), L"K3", 0));
    EXPECT_EQ(Keys(list, L"A"), L"K1;");
    list.AddLine(L"A", L"K5=5", false);
    EXPECT_EQ(KeysBackwards(list, L"A"), L"K5;K1;");
    EXPECT_TRUE(list.DeleteSection(L"B"));
    EXPECT_EQ(list.FindSection(L"B"), nullptr);
    EXPECT_EQ(list.FindSection(L"A")->next->name, L"C");
    EXPECT_FALSE(list.DeleteSection(L"B"));
    EXPECT_TRUE(list.DeleteAllLines(L"C"));
    EXPECT_EQ(list.FindSection(L"C")->lines, nullptr);
    list.AddLine(L"C", L"Z=1", false);
    EXPECT_EQ(Keys(list, L"C"), L"Z;");
    list.ClearAll();
    EXPECT_EQ(list.FindSection(), nullptr);
    EXPECT_EQ(list.AddSection(L"A")->lines, nullptr);
}

TEST(SectionList, GetValueCopiesTheNthValueWithinTheBuffer) {
    CSectionList list;
    ParseProfileText(L"[S]\nK=first\nK=second\n", list);
    wchar_t buffer[4];
    EXPECT_TRUE(list.GetValue(L"S", L"K", buffer, 4, 1));
    EXPECT_EQ(std::wstring(buffer), L"sec");
    EXPECT_FALSE(list.GetValue(L"S", L"K", buffer, 4, 2));
    EXPECT_FALSE(list.GetValue(L"T", L"K", buffer, 4, 0));
}

TEST(SectionList, GetAllKeyReportsTheSizeNeeded) {
    CSectionList list;
    ParseProfileText(L"[S]\nAB=1\nC\nDEF=2\n", list);  // keys need 3 + 2 + 4 = 9 characters
    wchar_t buffer[16];
    std::uint32_t size = 10, count = 99;
    EXPECT_EQ(list.GetAllKey(L"S", buffer, &size, &count), 0u);
    EXPECT_EQ(size, 9u);
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(std::wstring(buffer, 9), std::wstring(L"AB\0C\0DEF\0", 9));

    size = 9;  // just too small for the last key
    EXPECT_EQ(list.GetAllKey(L"S", buffer, &size, &count), 14u);
    EXPECT_EQ(size, 9u);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(buffer[0], L'\0');

    EXPECT_EQ(list.GetAllKey(L"NONE", buffer, &size, nullptr), 13u);
    EXPECT_EQ(list.GetAllKey(nullptr, buffer, &size, nullptr), 87u);
}

TEST(SectionList, WritesSectionsInTheirOwnFormat) {
    CSectionList list;
    ParseProfileText(L"// dropped\n[S]\nA=1\nB\n[T]\nC = 3\n", list);
    CStringSink sink;
    EXPECT_EQ(list.SaveFile(sink), 0u);
    EXPECT_EQ(sink.text, L"[S]\r\nA = 1\r\nB\r\n\r\n[T]\r\nC = 3\r\n\r\n");
    CSectionList again;
    ParseProfileText(sink.text, again);
    CStringSink second;
    again.SaveFile(second);
    EXPECT_EQ(second.text, sink.text);
}

}  // namespace
