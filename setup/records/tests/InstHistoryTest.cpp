// Recording into the installation history against the real registry.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "InstHistory.h"
#include "RegistryTestKey.h"

namespace {

using namespace records_test;

class InstHistoryTest : public RegistryTestKey {
protected:
    InstHistoryTest() { root_ = HKEY_LOCAL_MACHINE; }
    void SetUp() override {
        RegistryTestKey::SetUp();
        history_ = Path(L"InstHistory");
    }
    void TearDown() override {
        CInstHistory::SetDefaultKey(L"");
        RegistryTestKey::TearDown();
    }

    DWORD Number(const wchar_t* name) const {
        const RawValue value = GetRaw(root_, history_, name);
        if (value.result != ERROR_SUCCESS || value.type != REG_DWORD || value.data.size() != sizeof(DWORD))
            return MAXDWORD;
        return *reinterpret_cast<const DWORD*>(value.data.data());
    }
    std::wstring Text(const std::wstring& name) const { return GetText(root_, history_, name.c_str()); }

    std::wstring history_;
};

TEST_F(InstHistoryTest, EntriesAreNumberedFromZeroAndStoredWithTheirNul) {
    const std::vector<std::wstring> files = {L"C:\\P\\a.dll", L"C:\\P\\b.dll", L"C:\\P\\c.dll"};
    for (const std::wstring& file : files)
        ASSERT_EQ(CInstHistory::Record(file.c_str(), 0, history_.c_str()), ERROR_SUCCESS) << file;

    EXPECT_EQ(Number(L"NumOfFiles"), 3u);
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::wstring name = L"File" + std::to_wstring(i);
        const RawValue raw = GetRaw(root_, history_, name.c_str());
        ASSERT_EQ(raw.result, ERROR_SUCCESS) << name;
        EXPECT_EQ(raw.type, static_cast<DWORD>(REG_SZ));
        const std::wstring withNul = files[i] + L'\0';
        EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(raw.data.data()), raw.data.size() / sizeof(wchar_t)),
                  withNul);
    }
    EXPECT_EQ(Text(L"File3"), L"<missing>");
}

// The key stays open between records; a key deleted in between (a
// carry-over, a removal) must not swallow the next record.
TEST_F(InstHistoryTest, AKeyDeletedBetweenRecordsIsMadeAgain) {
    ASSERT_EQ(CInstHistory::Record(L"C:\\P\\old.dll", 0, history_.c_str()), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteTreeW(root_, history_.c_str()), ERROR_SUCCESS);
    ASSERT_EQ(CInstHistory::Record(L"C:\\P\\new.dll", 0, history_.c_str()), ERROR_SUCCESS);
    EXPECT_EQ(Number(L"NumOfFiles"), 1u);
    EXPECT_EQ(Text(L"File0"), L"C:\\P\\new.dll");
}

TEST_F(InstHistoryTest, EachKindHasItsOwnList) {
    struct KindCase {
        DWORD kind;
        const wchar_t* entry;
        const wchar_t* count;
        const wchar_t* text;
    };
    const std::vector<KindCase> cases = {
        {0, L"File0", L"NumOfFiles", L"C:\\P\\f.txt"},
        {1, L"Dir0", L"NumOfDirs", L"C:\\P\\D\\"},
        {2, L"Key0", L"NumOfKeys", L"HKEY_LOCAL_MACHINE\\Software\\X"},
        {3, L"Value0", L"NumOfValues", L"HKEY_CURRENT_USER\\Software\\A\\Name"},
        {4, L"Shortcut0", L"NumOfShortcuts", L"C:\\Menu\\P.lnk"},
        {5, L"DestDir0", L"NumOfDestDirs", L"C:\\Program Files\\P"},
    };
    for (const KindCase& c : cases) ASSERT_EQ(CInstHistory::Record(c.text, c.kind, history_.c_str()), ERROR_SUCCESS);
    for (const KindCase& c : cases) {
        SCOPED_TRACE(c.entry);
        EXPECT_EQ(Text(c.entry), c.text);
        EXPECT_EQ(Number(c.count), 1u);
        EXPECT_EQ(CInstHistory::EntryName(c.kind, 7), std::wstring(c.entry, wcslen(c.entry) - 1) + L"7");
    }
}

TEST_F(InstHistoryTest, AnExistingCountGivesTheNextNumber) {
    PutNumber(root_, history_, L"NumOfDirs", 5);
    ASSERT_EQ(CInstHistory::Record(L"C:\\P\\", 1, history_.c_str()), ERROR_SUCCESS);
    EXPECT_EQ(Text(L"Dir5"), L"C:\\P\\");
    EXPECT_EQ(Number(L"NumOfDirs"), 6u);
    EXPECT_EQ(Text(L"Dir0"), L"<missing>");

    // A count that is no number counts as absent.
    PutText(root_, history_, L"NumOfKeys", L"4");
    ASSERT_EQ(CInstHistory::Record(L"HKEY_USERS\\X", 2, history_.c_str()), ERROR_SUCCESS);
    EXPECT_EQ(Text(L"Key0"), L"HKEY_USERS\\X");
    EXPECT_EQ(Number(L"NumOfKeys"), 1u);
}

TEST_F(InstHistoryTest, RefusedRecordsWriteNothing) {
    struct RefusedCase {
        const char* what;
        const wchar_t* text;
        DWORD kind;
        const wchar_t* key;  // nullptr: the default key, which is not set
        DWORD expected;
    };
    const std::wstring malformed = history_ + L"\\\\Inner";
    const std::vector<RefusedCase> cases = {
        {"kind 6", L"C:\\x", 6, history_.c_str(), ERROR_INVALID_PARAMETER},
        {"kind -1", L"C:\\x", MAXDWORD, history_.c_str(), ERROR_INVALID_PARAMETER},
        {"no text", nullptr, 0, history_.c_str(), ERROR_INVALID_PARAMETER},
        {"empty text", L"", 0, history_.c_str(), ERROR_INVALID_PARAMETER},
        {"no key and no default", L"C:\\x", 0, nullptr, ERROR_INVALID_PARAMETER},
        {"empty key and no default", L"C:\\x", 0, L"", ERROR_INVALID_PARAMETER},
        {"key that cannot be made", L"C:\\x", 0, malformed.c_str(), ERROR_INVALID_PARAMETER},
    };
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CInstHistory::Record(c.text, c.kind, c.key), c.expected);
        EXPECT_FALSE(KeyExists(root_, history_));
    }
}

TEST_F(InstHistoryTest, WithoutAKeyTheDefaultKeyIsUsed) {
    CInstHistory::SetDefaultKey(history_);
    ASSERT_EQ(CInstHistory::Record(L"C:\\P\\a\\", 1), ERROR_SUCCESS);
    ASSERT_EQ(CInstHistory::Record(L"C:\\P\\b\\", 1, L""), ERROR_SUCCESS);
    EXPECT_EQ(Text(L"Dir0"), L"C:\\P\\a\\");
    EXPECT_EQ(Text(L"Dir1"), L"C:\\P\\b\\");
    EXPECT_EQ(Number(L"NumOfDirs"), 2u);

    // A named key wins over the default.
    const std::wstring other = Path(L"Other");
    ASSERT_EQ(CInstHistory::Record(L"C:\\P\\c\\", 1, other.c_str()), ERROR_SUCCESS);
    EXPECT_EQ(GetText(root_, other, L"Dir0"), L"C:\\P\\c\\");
    EXPECT_EQ(Number(L"NumOfDirs"), 2u);
}

TEST_F(InstHistoryTest, FilesOfARedirectedProcessNameTheirRealDirectory) {
    struct RedirectCase {
        DWORD kind;
        const wchar_t* text;
        bool redirected;
        const wchar_t* stored;
    };
    const std::vector<RedirectCase> cases = {
        {0, L"C:\\Windows\\System32\\x.dll", true, L"C:\\WINDOWS\\SYSWOW64\\X.DLL"},
        {0, L"c:\\windows\\system32\\drivers\\y.sys", true, L"C:\\WINDOWS\\SYSWOW64\\DRIVERS\\Y.SYS"},
        {0, L"C:\\Tools\\System32x\\z.dll", true, L"C:\\TOOLS\\SYSTEM32X\\Z.DLL"},
        {0, L"C:\\Windows\\System32\\x.dll", false, L"C:\\Windows\\System32\\x.dll"},
        // Only files are rewritten.
        {1, L"C:\\Windows\\System32\\New\\", true, L"C:\\Windows\\System32\\New\\"},
        {5, L"C:\\Windows\\System32\\New", true, L"C:\\Windows\\System32\\New"},
    };
    for (const RedirectCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << " " << std::string(c.text, c.text + wcslen(c.text)));
        DeleteTree(root_, history_);
        ASSERT_EQ(CInstHistory::Record(c.text, c.kind, history_.c_str(), c.redirected), ERROR_SUCCESS);
        EXPECT_EQ(Text(CInstHistory::EntryName(c.kind, 0)), c.stored);
    }

    // A 64-bit process is never redirected: its files are recorded as given.
    ASSERT_EQ(CInstHistory::Record(L"C:\\Windows\\System32\\w.dll", 0, history_.c_str()), ERROR_SUCCESS);
#if defined(_WIN64)
    EXPECT_EQ(Text(L"File0"), L"C:\\Windows\\System32\\w.dll");
#endif
}

}  // namespace
