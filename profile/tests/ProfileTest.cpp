// Typed reading, string references and writing through to the file.
#include <gtest/gtest.h>

#include <string>

#include "Profile.h"
#include "TestFiles.h"

namespace {

class ProfileTest : public ::testing::Test {
protected:
    std::wstring Write(const std::wstring& name, const std::wstring& text) {
        const std::wstring path = folder_.Path(name);
        WriteUnits(path, text);
        return path;
    }
    CTestFolder folder_;
};

TEST(ProfileNumbers, NumberRules) {
    const struct {
        const wchar_t* text;
        std::uint32_t value;
    } cases[] = {
        {L"0x1F", 31},        {L"0X1f", 31},         {L"12", 12},        {L"-1", 4294967295u},
        {L"abc", 0},          {L"0x123456789", 0x23456789}, {L"0xG1", 1}, {L"  +7x", 7},
        {L"", 0},             {L"1 0x10", 0x1010},    {L"0x", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(CProfile::StringToDword(c.text), c.value) << c.text;
}

TEST_F(ProfileTest, ControlsNeedTheirParts) {
    CProfile profile(Write(L"c.ini", L"[C]\nSIZE=640 , 480\nONE=640\nODD=,,640,,480,\nRED=255,0,0\n"
                                     L"MIX=1,2,3\nWRAP=257,258,259\nRECT=1,2,3,4\nSHORT=1,2,3\n").c_str(), nullptr);
    PROFILE_SIZE size;
    EXPECT_EQ(profile.GetControl(L"C", L"SIZE", &size), 0u);
    EXPECT_EQ(size.cx, 640);
    EXPECT_EQ(size.cy, 480);
    EXPECT_EQ(profile.GetControl(L"C", L"ONE", &size), 87u);
    EXPECT_EQ(profile.GetControl(L"C", L"ODD", &size), 0u);
    EXPECT_EQ(size.cx, 640);
    EXPECT_EQ(profile.GetControl(L"C", L"NONE", &size), 13u);
    PROFILE_POINT point;
    EXPECT_EQ(profile.GetControl(L"C", L"NONE", &point), 87u);
    EXPECT_EQ(profile.GetControl(L"C", L"SIZE", &point), 0u);
    EXPECT_EQ(point.y, 480);
    std::uint32_t colour = 0;
    EXPECT_EQ(profile.GetControl(L"C", L"RED", &colour), 0u);
    EXPECT_EQ(colour, 255u);
    EXPECT_EQ(profile.GetControl(L"C", L"MIX", &colour), 0u);
    EXPECT_EQ(colour, 1u + 2u * 256u + 3u * 65536u);
    EXPECT_EQ(profile.GetControl(L"C", L"WRAP", &colour), 0u);
    EXPECT_EQ(colour, 1u + 2u * 256u + 3u * 65536u);
    PROFILE_RECT rect;
    EXPECT_EQ(profile.GetControl(L"C", L"RECT", &rect), 0u);
    EXPECT_EQ(rect.bottom, 4);
    EXPECT_EQ(profile.GetControl(L"C", L"SHORT", &rect), 87u);
    EXPECT_EQ(profile.GetControl(L"C", L"NONE", &rect), 87u);
    EXPECT_EQ(profile.GetControl(L"", L"SIZE", &size), 87u);
    std::uint32_t number = 0;
    EXPECT_EQ(profile.GetDword(L"C", L"SIZE", &number), 0u);
    EXPECT_EQ(number, 640u);
}

TEST_F(ProfileTest, PercentReferencesComeFromTheStringsFileThenTheProfile) {
    const std::wstring strings = Write(L"s.dat", L"[STRINGS]\n%MAKER%=\"Quorvel\"\n%NEST%=%MAKER% Inc\n");
    CProfile profile(Write(L"p.ini", L"[STRINGS]\n%MAKER%=Local\n%OWN%=own\n[S]\nA=%MAKER% printer\n"
                                     L"B=%NEST%/%OWN%\nC=100%% %MISSING% 50%\nD=line\\nnext\n").c_str(),
                     strings.c_str());
    std::wstring text;
    EXPECT_EQ(profile.GetString(L"S", L"A", text, 8192, false), 0u);
    EXPECT_EQ(text, L"Quorvel printer");
    profile.GetString(L"S", L"B", text, 8192, false);
    EXPECT_EQ(text, L"Quorvel Inc/own");
    profile.GetString(L"S", L"C", text, 8192, false);
    EXPECT_EQ(text, L"100%% %MISSING% 50%");
    profile.GetString(L"S", L"D", text, 8192, false);
    EXPECT_EQ(text, L"line\\nnext");
    profile.GetString(L"S", L"D", text, 8192, true);
    EXPECT_EQ(text, L"line\nnext");
    EXPECT_EQ(profile.GetString(L"S", L"NONE", text, 8192, false), 13u);
}

TEST_F(ProfileTest, AReplacementThatOutgrowsTheBufferLeavesTheValueAsRead) {
    CProfile profile(Write(L"p.ini", L"[STRINGS]\n%L%=" + std::wstring(100, L'x') + L"\n[S]\nA=%L%\n").c_str(), nullptr);
    wchar_t buffer[50];
    EXPECT_EQ(profile.GetString(L"S", L"A", buffer, 50, false), 0u);
    EXPECT_EQ(std::wstring(buffer), L"%L%");
}

TEST_F(ProfileTest, SelfReferencesEnd) {
    CProfile profile(Write(L"p.ini", L"[STRINGS]\n%A%=%A%x\n%B%=%C%\n%C%=%B%\n%D%=%D%\n"
                                     L"[S]\nGROW=%A%\nLOOP=%B%!\nSAME=%D% and %E%\n").c_str(), nullptr);
    std::wstring text;
    EXPECT_EQ(profile.GetString(L"S", L"GROW", text, 8192, false), 0u);
    EXPECT_EQ(text.substr(0, 3), L"%A%");
    EXPECT_LT(text.size(), 100u);
    profile.GetString(L"S", L"LOOP", text, 8192, false);
    EXPECT_EQ(text.back(), L'!');
    profile.GetString(L"S", L"SAME", text, 8192, false);
    EXPECT_EQ(text, L"%D% and %E%");
}

TEST_F(ProfileTest, SectionNamesInBothFormsAndTooSmallABuffer) {
    CProfile profile(Write(L"p.ini", L"[ONE]\n[TWO]\n[THREE]\n").c_str(), nullptr);
    wchar_t buffer[64];
    EXPECT_EQ(profile.GetSectionName(buffer, 64, true), 0u);
    EXPECT_EQ(std::wstring(buffer, 15), std::wstring(L"ONE\0TWO\0THREE\0\0", 15));
    EXPECT_EQ(profile.GetSectionName(buffer, 16, false), 0u);
    EXPECT_EQ(std::wstring(buffer), L"ONE TWO THREE  ");
    EXPECT_EQ(profile.GetSectionName(buffer, 12, true), 14u);
    EXPECT_EQ(std::wstring(buffer, 8), std::wstring(L"ONE\0TWO\0", 8));
    CProfile empty;
    EXPECT_EQ(empty.GetSectionName(buffer, 64, true), 13u);
}

TEST_F(ProfileTest, GetAllKeyGivesEntriesAndBareLines) {
    CProfile profile(Write(L"p.ini", L"[STRINGS]\n%X%=ex\n[S]\nA=%X%\\n\nBARE\nB = 2\n").c_str(), nullptr);
    wchar_t buffer[64];
    EXPECT_EQ(profile.GetAllKey(L"S", buffer, 64, false), 0u);
    EXPECT_EQ(std::wstring(buffer, 20), std::wstring(L"A = ex\n\0BARE\0B = 2\0\0", 20));
    EXPECT_EQ(profile.GetAllKey(L"S", buffer, 64, true), 0u);
    EXPECT_EQ(std::wstring(buffer, 15), std::wstring(L"A = ex\n\0B = 2\0\0", 15));
    EXPECT_EQ(profile.GetAllKey(L"S", buffer, 10, false), 14u);
    EXPECT_EQ(profile.GetAllKey(L"NONE", buffer, 64, false), 13u);
}

TEST_F(ProfileTest, SetValueWritesTheFileInPlaceAndReadsSeeItAfterReload) {
    const std::wstring original = L"// vendor comment\r\n[S]\r\nA=1 \r\nB = two\r\n\r\n[T]\r\nC=3\r\n";
    const std::wstring path = Write(L"p.ini", original);
    CProfile profile(path.c_str(), nullptr);
    EXPECT_EQ(profile.SetValue(L"S", L"B", L"2"), 0u);
    EXPECT_EQ(profile.SetValue(L"S", L"NEW", 7), 0u);
    EXPECT_EQ(profile.SetValue(L"U", L"SIZE", PROFILE_SIZE{640, 480}), 0u);
    EXPECT_EQ(profile.SetValueColour(L"U", L"COLOUR", 0x030201u), 0u);
    EXPECT_EQ(profile.SetValue(L"U", L"RECT", PROFILE_RECT{1, 2, 3, 4}), 0u);
    std::wstring text;
    profile.GetString(L"S", L"B", text, 8192, false);
    EXPECT_EQ(text, L"two");
    EXPECT_EQ(ReadBytes(path), Utf16Bytes(L"// vendor comment\r\n[S]\r\nA=1 \r\nB = 2\r\nNEW=7\r\n\r\n[T]\r\nC=3\r\n"
                                          L"[U]\r\nSIZE=640,480\r\nCOLOUR=1,2,3\r\nRECT=1,2,3,4\r\n"));
    profile.Reload(path.c_str(), nullptr);
    profile.GetString(L"S", L"B", text, 8192, false);
    EXPECT_EQ(text, L"2");

    EXPECT_EQ(profile.SetValue(L"S", L"", L""), 0u);
    profile.Reload(path.c_str(), nullptr);
    EXPECT_EQ(profile.GetString(L"S", L"A", text, 8192, false), 13u);
    EXPECT_EQ(profile.GetString(L"T", L"C", text, 8192, false), 0u);
    EXPECT_EQ(profile.SetValue(nullptr, L"K", L"v"), 87u);
    EXPECT_EQ(profile.SetValue(L"S", L"K", static_cast<const wchar_t*>(nullptr)), 87u);
}

TEST_F(ProfileTest, UnreadableFilesLoadAsEmpty) {
    const std::wstring odd = folder_.Path(L"odd.ini");
    WriteBytes(odd, Utf16Bytes(L"[S]\nA=1\n") + "x");
    const std::wstring empty = Write(L"empty.ini", L"");
    const std::wstring bom = Write(L"bom.ini", L"\xFEFF[S]\nA=1\n[T]\nB=2\n");
    std::wstring text;

    CProfile fromOdd(odd.c_str(), nullptr);
    EXPECT_EQ(fromOdd.GetString(L"S", L"A", text, 8192, false), 0u);
    CProfile fromEmpty(empty.c_str(), nullptr);
    EXPECT_TRUE(fromEmpty.IsLoaded());
    EXPECT_EQ(fromEmpty.GetString(L"S", L"A", text, 8192, false), 13u);
    CProfile fromBom(bom.c_str(), nullptr);
    EXPECT_EQ(fromBom.GetString(L"S", L"A", text, 8192, false), 13u);
    EXPECT_EQ(fromBom.GetString(L"T", L"B", text, 8192, false), 0u);
    CProfile missing(folder_.Path(L"missing.ini").c_str(), nullptr);
    EXPECT_FALSE(missing.IsLoaded());
    EXPECT_EQ(missing.GetString(L"S", L"A", text, 8192, false), 13u);
    EXPECT_EQ(missing.SetValue(L"S", L"A", L"1"), 2u);
    CProfile directory(folder_.Path(L"").c_str(), nullptr);
    EXPECT_FALSE(directory.IsLoaded());
}

}  // namespace
