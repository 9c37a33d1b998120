// Reading, writing and copying registry values against the real registry.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Registry.h"
#include "RegistryTestKey.h"

namespace {

using namespace records_test;

class RegistryTest : public RegistryTestKey {};

struct TextReadCase {
    const char* what;
    std::function<void(HKEY, const std::wstring&)> arrange;  // writes value "V" under the key
    DWORD limit;
    DWORD expected;
    std::wstring text;  // when read
};

TEST_F(RegistryTest, ReadsTextValuesWithTheirSizeRules) {
    const std::wstring ten = L"0123456789";
    const std::wstring longest(CRegistry::kValueBytes / sizeof(wchar_t), L'x');
    const std::vector<TextReadCase> cases = {
        {"text", [](HKEY r, const std::wstring& p) { PutText(r, p, L"V", L"abc"); }, CRegistry::kNoLimit, 0, L"abc"},
        {"empty text", [](HKEY r, const std::wstring& p) { PutText(r, p, L"V", L""); }, CRegistry::kNoLimit, 0, L""},
        {"10 characters, limit 10 bytes", [&](HKEY r, const std::wstring& p) { PutText(r, p, L"V", ten); }, 10,
         ERROR_INSUFFICIENT_BUFFER, L""},
        {"10 characters, limit 21 bytes", [&](HKEY r, const std::wstring& p) { PutText(r, p, L"V", ten); }, 21,
         ERROR_INSUFFICIENT_BUFFER, L""},
        {"10 characters, limit 22 bytes", [&](HKEY r, const std::wstring& p) { PutText(r, p, L"V", ten); }, 22, 0, ten},
        // Written by another program without the NUL: the reader still needs room for one.
        {"no NUL, limit of its size",
         [&](HKEY r, const std::wstring& p) { PutRaw(r, p, L"V", REG_SZ, ten.c_str(), 20); }, 20,
         ERROR_INSUFFICIENT_BUFFER, L""},
        {"no NUL, limit with room for one",
         [&](HKEY r, const std::wstring& p) { PutRaw(r, p, L"V", REG_SZ, ten.c_str(), 20); }, 22, 0, ten},
        {"4096 bytes of text without NUL",
         [&](HKEY r, const std::wstring& p) {
             PutRaw(r, p, L"V", REG_SZ, longest.c_str(), CRegistry::kValueBytes);
         },
         CRegistry::kNoLimit, 0, longest},
        {"4096 bytes of text and the NUL", [&](HKEY r, const std::wstring& p) { PutText(r, p, L"V", longest); },
         CRegistry::kNoLimit, 0, longest},
        {"4098 bytes of text without NUL",
         [&](HKEY r, const std::wstring& p) {
             const std::wstring more = longest + L"y";
             PutRaw(r, p, L"V", REG_SZ, more.c_str(), CRegistry::kTextBytes);
         },
         CRegistry::kNoLimit, ERROR_MORE_DATA, L""},
        {"more than 4098 bytes", [&](HKEY r, const std::wstring& p) { PutText(r, p, L"V", longest + L"y"); },
         CRegistry::kNoLimit, ERROR_MORE_DATA, L""},
        {"expandable string", [](HKEY r, const std::wstring& p) { PutRaw(r, p, L"V", REG_EXPAND_SZ, L"%X%", 8); },
         CRegistry::kNoLimit, ERROR_INVALID_PARAMETER, L""},
        {"number", [](HKEY r, const std::wstring& p) { PutNumber(r, p, L"V", 7); }, CRegistry::kNoLimit,
         ERROR_INVALID_PARAMETER, L""},
        {"missing value", [](HKEY, const std::wstring&) {}, CRegistry::kNoLimit, ERROR_FILE_NOT_FOUND, L""},
    };
    for (const TextReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteTree(root_, Path(L"K"));
        PutRaw(root_, Path(L"K"));
        c.arrange(root_, Path(L"K"));
        std::vector<wchar_t> out(CRegistry::kTextChars + 8, L'#');
        EXPECT_EQ(CRegistry::GetValue(Path(L"K").c_str(), L"V", out.data(), root_, c.limit), c.expected);
        if (c.expected == ERROR_SUCCESS) {
            EXPECT_EQ(std::wstring(out.data()), c.text);
        } else {
            EXPECT_EQ(out[0], L'#') << "output touched on failure";
        }
        // Nothing beyond the text and its NUL is written.
        if (c.expected == ERROR_SUCCESS) {
            EXPECT_EQ(out[c.text.size() + 1], L'#');
        }
    }
}

TEST_F(RegistryTest, WritesTextsWithTheirTerminatingNul) {
    for (const std::wstring& text : {std::wstring(L"abc"), std::wstring(L""), std::wstring(L"C:\\Program Files\\X")}) {
        ASSERT_EQ(CRegistry::SetValue(Path(L"New\\Key").c_str(), L"Dest_Dir", text.c_str(), root_), ERROR_SUCCESS);
        const RawValue raw = GetRaw(root_, Path(L"New\\Key"), L"Dest_Dir");
        EXPECT_EQ(raw.type, static_cast<DWORD>(REG_SZ));
        ASSERT_EQ(raw.data.size(), (text.size() + 1) * sizeof(wchar_t));
        EXPECT_EQ(raw.data[raw.data.size() - 1], 0);
        EXPECT_EQ(raw.data[raw.data.size() - 2], 0);
        wchar_t out[CRegistry::kTextChars];
        EXPECT_EQ(CRegistry::GetValue(Path(L"New\\Key").c_str(), L"Dest_Dir", out, root_), ERROR_SUCCESS);
        EXPECT_EQ(std::wstring(out), text);
    }
}

TEST_F(RegistryTest, ReadsAndWritesNumbers) {
    ASSERT_EQ(CRegistry::SetValue(Path(L"N").c_str(), L"Setup_Type", DWORD{0xFFFFFFFF}, root_), ERROR_SUCCESS);
    const RawValue raw = GetRaw(root_, Path(L"N"), L"Setup_Type");
    EXPECT_EQ(raw.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(raw.data.size(), 4u);

    DWORD number = 0;
    EXPECT_EQ(CRegistry::GetValue(Path(L"N").c_str(), L"Setup_Type", &number, root_), ERROR_SUCCESS);
    EXPECT_EQ(number, 0xFFFFFFFFu);

    PutText(root_, Path(L"N"), L"Text", L"1");
    const BYTE four[4] = {1, 0, 0, 0};
    PutRaw(root_, Path(L"N"), L"Binary", REG_BINARY, four, 4);
    number = 5;
    EXPECT_EQ(CRegistry::GetValue(Path(L"N").c_str(), L"Text", &number, root_), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(CRegistry::GetValue(Path(L"N").c_str(), L"Binary", &number, root_), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(CRegistry::GetValue(Path(L"N").c_str(), L"Missing", &number, root_), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(CRegistry::GetValue(Path(L"Missing").c_str(), L"Setup_Type", &number, root_), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(number, 5u);
}

struct BadArgumentCase {
    const char* what;
    const wchar_t* path;  // relative to the test key unless absent or empty
    const wchar_t* name;
    const wchar_t* text;
};

TEST_F(RegistryTest, BadArgumentsGive87AndCreateNothing) {
    const std::vector<BadArgumentCase> cases = {
        {"absent path", nullptr, L"V", L"t"},
        {"empty path", L"", L"V", L"t"},
        {"absent name", L"K", nullptr, L"t"},
        {"empty name", L"K", L"", L"t"},
        {"doubled backslash", L"A\\\\K", L"V", L"t"},
        {"leading backslash", L"\\K", L"V", L"t"},
        {"two trailing backslashes", L"K\\\\", L"V", L"t"},
        {"only a backslash", L"\\", L"V", L"t"},
    };
    for (const BadArgumentCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::wstring path;
        const wchar_t* pathArg = c.path;
        if (c.path != nullptr && *c.path != L'\0') {
            path = Path() + L"\\" + c.path;
            pathArg = path.c_str();
        }
        wchar_t text[CRegistry::kTextChars];
        DWORD number = 0;
        EXPECT_EQ(CRegistry::SetValue(pathArg, c.name, c.text, root_), ERROR_INVALID_PARAMETER);
        EXPECT_EQ(CRegistry::SetValue(pathArg, c.name, DWORD{1}, root_), ERROR_INVALID_PARAMETER);
        EXPECT_EQ(CRegistry::GetValue(pathArg, c.name, text, root_), ERROR_INVALID_PARAMETER);
        EXPECT_EQ(CRegistry::GetValue(pathArg, c.name, &number, root_), ERROR_INVALID_PARAMETER);
        EXPECT_EQ(CRegistry::DeleteValue(pathArg, c.name, root_), ERROR_INVALID_PARAMETER);
        if (c.name != nullptr && *c.name != L'\0') {
            EXPECT_EQ(CRegistry::DeleteKey(pathArg, true, root_), ERROR_INVALID_PARAMETER);
            EXPECT_EQ(CRegistry::DeleteKey(pathArg, false, root_), ERROR_INVALID_PARAMETER);
            EXPECT_EQ(CRegistry::CopyKey(pathArg, Path(L"To").c_str(), true, root_, root_), ERROR_INVALID_PARAMETER);
            EXPECT_EQ(CRegistry::CopyKey(Path().c_str(), pathArg, true, root_, root_), ERROR_INVALID_PARAMETER);
        }
    }
    EXPECT_EQ(CRegistry::SetValue(Path(L"K").c_str(), L"V", static_cast<const wchar_t*>(nullptr), root_),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(CRegistry::GetValue(Path().c_str(), L"V", static_cast<wchar_t*>(nullptr), root_),
              ERROR_INVALID_PARAMETER);
    // Nothing was created anywhere under the test key, and the test key itself still stands.
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(root_, Path().c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD subKeys = 1;
    DWORD values = 1;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    EXPECT_EQ(subKeys, 0u);
    EXPECT_EQ(values, 0u);
}

TEST_F(RegistryTest, LongPathsAndOneTrailingBackslash) {
    // One trailing backslash names the same key.
    EXPECT_EQ(CRegistry::SetValue(Path(L"T\\").c_str(), L"V", L"t", root_), ERROR_SUCCESS);
    EXPECT_EQ(GetText(root_, Path(L"T"), L"V"), L"t");
    EXPECT_EQ(CRegistry::DeleteKey(Path(L"T\\").c_str(), false, root_), ERROR_SUCCESS);
    EXPECT_FALSE(KeyExists(root_, Path(L"T")));

    // A path of 300 characters made of short parts is an ordinary key.
    std::wstring deep;
    while (deep.size() < 300) deep += deep.empty() ? L"abcdefghi" : L"\\abcdefghi";
    EXPECT_EQ(CRegistry::SetValue(Path(deep).c_str(), L"V", L"deep", root_), ERROR_SUCCESS);
    wchar_t text[CRegistry::kTextChars];
    EXPECT_EQ(CRegistry::GetValue(Path(deep).c_str(), L"V", text, root_), ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(text), L"deep");

    // One part of 300 characters is more than a key name may hold: the
    // system's error, nothing created.
    const std::wstring longName(300, L'n');
    const DWORD result = CRegistry::SetValue(Path(longName).c_str(), L"V", L"t", root_);
    RecordProperty("SetValue with a 300-character key name", static_cast<int>(result));
    EXPECT_NE(result, static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_FALSE(KeyExists(root_, Path(longName)));
    EXPECT_NE(CRegistry::GetValue(Path(longName).c_str(), L"V", text, root_), static_cast<DWORD>(ERROR_SUCCESS));
}

TEST_F(RegistryTest, DeletesValues) {
    PutText(root_, Path(L"K"), L"A", L"1");
    PutText(root_, Path(L"K"), L"B", L"2");
    EXPECT_EQ(CRegistry::DeleteValue(Path(L"K").c_str(), L"A", root_), ERROR_SUCCESS);
    EXPECT_EQ(GetRaw(root_, Path(L"K"), L"A").result, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetText(root_, Path(L"K"), L"B"), L"2");
    EXPECT_EQ(CRegistry::DeleteValue(Path(L"K").c_str(), L"A", root_), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(CRegistry::DeleteValue(Path(L"Missing").c_str(), L"B", root_), ERROR_FILE_NOT_FOUND);
}

class RegistryCopyTest : public RegistryTestKey {
protected:
    void SetUp() override {
        RegistryTestKey::SetUp();
        PutText(root_, Path(L"S"), L"Item_Name", L"Driver");
        PutNumber(root_, Path(L"S"), L"Setup_Type", 2);
        const BYTE blob[3] = {1, 2, 3};
        PutRaw(root_, Path(L"S"), L"Blob", REG_BINARY, blob, 3);
        PutText(root_, Path(L"S\\Sub"), L"Dest_Dir", L"C:\\X");
        PutNumber(root_, Path(L"S\\Sub\\Deeper"), L"Count", 3);
        PutRaw(root_, Path(L"S\\Empty"));
    }
};

TEST_F(RegistryCopyTest, CopiesTextsAndNumbersWithSubKeys) {
    ASSERT_EQ(CRegistry::CopyKey(Path(L"S").c_str(), Path(L"T").c_str(), true, root_, root_), ERROR_SUCCESS);
    EXPECT_EQ(GetText(root_, Path(L"T"), L"Item_Name"), L"Driver");
    const RawValue type = GetRaw(root_, Path(L"T"), L"Setup_Type");
    EXPECT_EQ(type.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(type.data, (std::vector<BYTE>{2, 0, 0, 0}));
    EXPECT_EQ(GetRaw(root_, Path(L"T"), L"Blob").result, ERROR_FILE_NOT_FOUND);  // other types are skipped
    EXPECT_EQ(GetText(root_, Path(L"T\\Sub"), L"Dest_Dir"), L"C:\\X");
    EXPECT_EQ(GetRaw(root_, Path(L"T\\Sub\\Deeper"), L"Count").data, (std::vector<BYTE>{3, 0, 0, 0}));
    EXPECT_TRUE(KeyExists(root_, Path(L"T\\Empty")));
    EXPECT_EQ(GetText(root_, Path(L"S"), L"Item_Name"), L"Driver");  // the source stays
}

TEST_F(RegistryCopyTest, WithoutSubKeysCopiesOnlyTheValues) {
    ASSERT_EQ(CRegistry::CopyKey(Path(L"S").c_str(), Path(L"T").c_str(), false, root_, root_), ERROR_SUCCESS);
    EXPECT_EQ(GetText(root_, Path(L"T"), L"Item_Name"), L"Driver");
    EXPECT_FALSE(KeyExists(root_, Path(L"T\\Sub")));
    EXPECT_FALSE(KeyExists(root_, Path(L"T\\Empty")));
}

TEST_F(RegistryCopyTest, FailuresEndTheCopy) {
    EXPECT_EQ(CRegistry::CopyKey(Path(L"Missing").c_str(), Path(L"T").c_str(), true, root_, root_),
              ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(KeyExists(root_, Path(L"T")));
    // Into its own tree.
    EXPECT_EQ(CRegistry::CopyKey(Path(L"S").c_str(), Path(L"S\\Sub\\Copy").c_str(), true, root_, root_),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(CRegistry::CopyKey(Path(L"S").c_str(), Path(L"s").c_str(), false, root_, root_),
              ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(KeyExists(root_, Path(L"S\\Sub\\Copy")));
    // A default value cannot be written by name.
    PutText(root_, Path(L"S\\Sub"), L"", L"default");
    EXPECT_EQ(CRegistry::CopyKey(Path(L"S").c_str(), Path(L"T").c_str(), true, root_, root_),
              ERROR_INVALID_PARAMETER);
}

}  // namespace
