// Numbers written in the configuration, hexadecimal texts, separated lists and
// the system's error texts.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "Utl.h"

namespace {

TEST(StringToNumber, DecimalAndHexadecimalTexts) {
    struct Case {
        const wchar_t* text;
        DWORD value;
    };
    const Case cases[] = {
        {L"12", 12},
        {L"0x10", 16},
        {L"0XFF", 255},
        {L"0x1f", 31},
        {L"abc", 0},
        {L"12abc", 12},
        {L"  42", 42},
        {L"-1", 0xFFFFFFFFu},
        {L"", 0},
        {L"0x", 0},
        {L"0xFFFFFFFF", 0xFFFFFFFFu},
        {L"0x123456789", 0x23456789u},  // only the last eight digits count
        {L"0x1G", 0x10},                // a character that is no digit counts 0
        {L"0x0x10", 16},                // every "0x" goes
        {L"10 0x", 0x100},              // "10 " read right to left: ' ' 0, '0' 0, '1' 1
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CUtl::StringToNumber(c.text), c.value) << "text \"" << std::string(c.text, c.text + wcslen(c.text)) << "\"";
    }
    EXPECT_EQ(CUtl::StringToNumber(nullptr), 0u);
}

TEST(BytesToHex, UpperCasePairsWithoutSeparators) {
    const BYTE mac[] = {0x00, 0x1B, 0xA9, 0xFF, 0x10, 0x0C};
    wchar_t text[13] = {};
    ASSERT_TRUE(CUtl::BytesToHex(mac, 2, text, 13));
    EXPECT_STREQ(text, L"001B");
    ASSERT_TRUE(CUtl::BytesToHex(mac, 6, text, 13));
    EXPECT_STREQ(text, L"001BA9FF100C");
}

TEST(BytesToHex, RefusesMissingArgumentsAndShortOutputs) {
    const BYTE bytes[] = {0xAB, 0xCD};
    wchar_t text[8] = L"keep";
    EXPECT_FALSE(CUtl::BytesToHex(nullptr, 2, text, 8));
    EXPECT_FALSE(CUtl::BytesToHex(bytes, 0, text, 8));
    EXPECT_FALSE(CUtl::BytesToHex(bytes, 2, nullptr, 8));
    EXPECT_FALSE(CUtl::BytesToHex(bytes, 2, text, 4));  // "ABCD" needs five characters
    EXPECT_STREQ(text, L"keep");
    EXPECT_TRUE(CUtl::BytesToHex(bytes, 2, text, 5));
    EXPECT_STREQ(text, L"ABCD");
}

TEST(IsInCommaList, TrimmedEntriesComparedWithoutCase) {
    struct Case {
        const wchar_t* list;
        const wchar_t* item;
        const wchar_t* separator;
        bool found;
    };
    const Case cases[] = {
        {L"WIN2K,WINXP,VISTA", L"WINXP", L",", true},
        {L"win2k, winxp ,vista", L"WinXP", L",", true},
        {L"\tWINXP\t", L"winxp", L",", true},
        {L"WIN2K,,VISTA", L"VISTA", L",", true},
        {L"WIN2K;VISTA", L"VISTA", L";", true},
        {L"WIN2K::VISTA", L"VISTA", L"::", true},
        {L"WINXP64", L"WINXP", L",", false},
        {L"WINXP", L"WINXP64", L",", false},
        {L"WIN 2K", L"WIN2K", L",", false},
        {L"WIN2K;VISTA", L"VISTA", L",", false},
        {L"", L"WINXP", L",", false},
        {L"WINXP", L"", L",", false},
        {L"WINXP", L"WINXP", L"", false},
        {nullptr, L"WINXP", L",", false},
        {L"WINXP", nullptr, L",", false},
        {L"WINXP", L"WINXP", nullptr, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CUtl::IsInCommaList(c.list, c.item, c.separator), c.found)
            << "list " << (c.list ? std::string(c.list, c.list + wcslen(c.list)) : "null") << ", item "
            << (c.item ? std::string(c.item, c.item + wcslen(c.item)) : "null");
    }
}

std::wstring SystemMessage(DWORD code) {
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = text ? text : L"";
    if (text) LocalFree(text);
    return message;
}

// A code the system has no text for.
constexpr DWORD kCodeWithoutText = 0x2FFF1234;

TEST(GetSystemErrorText, CopiesTheSystemsTextOrLeavesTheOutput) {
    const std::wstring expected = SystemMessage(ERROR_FILE_NOT_FOUND);
    ASSERT_GT(expected.size(), 4u);
    ASSERT_TRUE(SystemMessage(kCodeWithoutText).empty());

    wchar_t text[512] = L"unchanged";
    EXPECT_TRUE(CUtl::GetSystemErrorText(kCodeWithoutText, text, 512));
    EXPECT_STREQ(text, L"unchanged");

    EXPECT_TRUE(CUtl::GetSystemErrorText(ERROR_FILE_NOT_FOUND, text, 512));
    EXPECT_EQ(std::wstring(text), expected);

    // Cut to the room given, always ended.
    wchar_t small[5] = {L'x', L'x', L'x', L'x', L'x'};
    EXPECT_TRUE(CUtl::GetSystemErrorText(ERROR_FILE_NOT_FOUND, small, 5));
    EXPECT_EQ(std::wstring(small), expected.substr(0, 4));
    EXPECT_TRUE(CUtl::GetSystemErrorText(ERROR_FILE_NOT_FOUND, nullptr, 0));
}

struct ShownBox {
    HWND owner;
    std::wstring text;
    std::wstring caption;
    UINT type;
};

TEST(ShowSystemErrorBox, WarningWithoutOwnerOnlyWhenTheSystemHasAText) {
    std::vector<ShownBox> shown;
    const CUtl::MessageBoxFunction record = [&shown](HWND owner, const wchar_t* text, const wchar_t* caption,
                                                     UINT type) {
        shown.push_back({owner, text, caption ? caption : L"(null)", type});
        return IDOK;
    };
    CUtl::ShowSystemErrorBox(kCodeWithoutText, L"C:\\medium\\tool.exe", record);
    EXPECT_TRUE(shown.empty());

    CUtl::ShowSystemErrorBox(ERROR_ACCESS_DENIED, L"C:\\medium\\tool.exe", record);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].owner, nullptr);
    EXPECT_EQ(shown[0].text, SystemMessage(ERROR_ACCESS_DENIED));
    EXPECT_EQ(shown[0].caption, L"C:\\medium\\tool.exe");
    EXPECT_EQ(shown[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_EQ(shown[0].type & MB_TYPEMASK, static_cast<UINT>(MB_OK));
}

TEST(ShowSystemErrorBox, AFailingBoxDoesNotEscape) {
    const CUtl::MessageBoxFunction failing = [](HWND, const wchar_t*, const wchar_t*, UINT) -> int {
        throw std::runtime_error("no desktop");
    };
    EXPECT_NO_THROW(CUtl::ShowSystemErrorBox(ERROR_ACCESS_DENIED, L"", failing));
}

TEST(IsAdministrator, TheTestUserIsAnAdministratorAndTheThreadStopsImpersonating) {
    // Wine gives every user the Administrators group.
    EXPECT_TRUE(CUtl::IsAdministrator());
    HANDLE token = nullptr;
    EXPECT_FALSE(OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_TOKEN));
    if (token) CloseHandle(token);
}

}  // namespace
