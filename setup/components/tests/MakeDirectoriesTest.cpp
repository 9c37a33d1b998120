// Making directory paths in a folder of the test's own, with the directories
// made recorded in a history key of the test's own.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "InstHistory.h"
#include "LogReader.h"
#include "MakeDirectories.h"

namespace {

class MakeDirectoriesTest : public ::testing::Test {
protected:
    void SetUp() override {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string name = std::string(info->name()) + "-" + std::to_string(GetCurrentProcessId());
        const std::wstring unique(name.begin(), name.end());
        base_ = qs_test::TempDirectory() + L"MkDir-" + unique;
        std::filesystem::remove_all(base_);
        ASSERT_TRUE(CreateDirectoryW(base_.c_str(), nullptr));
        history_ = L"Software\\QsTest\\MkDir-" + unique;
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, history_.c_str());
        CInstHistory::SetDefaultKey(history_);
    }
    void TearDown() override {
        CInstHistory::SetDefaultKey(L"");
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, history_.c_str());
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, history_.c_str());
        std::error_code ignored;
        std::filesystem::remove_all(base_, ignored);
    }

    std::wstring Under(const std::wstring& relative) const { return base_ + L"\\" + relative; }

    static bool IsDirectory(const std::wstring& path) {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    static bool IsFile(const std::wstring& path) {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }
    void MakeFile(const std::wstring& path) const {
        const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
    }

    // The directory list of the history, in entry order ("NumOfDirs" entries).
    std::vector<std::wstring> RecordedDirectories() const {
        std::vector<std::wstring> texts;
        DWORD count = 0;
        DWORD size = sizeof(count);
        if (RegGetValueW(HKEY_LOCAL_MACHINE, history_.c_str(), L"NumOfDirs", RRF_RT_REG_DWORD, nullptr, &count,
                         &size) != ERROR_SUCCESS)
            return texts;
        for (DWORD i = 0; i < count; ++i) {
            wchar_t text[1024] = L"<unreadable>";
            DWORD bytes = sizeof(text);
            const std::wstring name = L"Dir" + std::to_wstring(i);
            RegGetValueW(HKEY_LOCAL_MACHINE, history_.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, text, &bytes);
            texts.emplace_back(text);
        }
        return texts;
    }

    std::wstring base_;  // no trailing backslash
    std::wstring history_;
};

TEST_F(MakeDirectoriesTest, CreatesWhatIsMissingAndRecordsItInOrder) {
    ASSERT_TRUE(CreateDirectoryW(Under(L"A").c_str(), nullptr));

    EXPECT_TRUE(MakeDirectories(Under(L"A\\B\\C").c_str(), true));
    EXPECT_TRUE(IsDirectory(Under(L"A\\B\\C")));
    // The directories above the test's folder and A existed: only B and C are recorded.
    const std::vector<std::wstring> made = {Under(L"A\\B\\"), Under(L"A\\B\\C\\")};
    EXPECT_EQ(RecordedDirectories(), made);

    // Once the tree is there, nothing more is created or recorded.
    EXPECT_TRUE(MakeDirectories(Under(L"A\\B\\C").c_str(), true));
    EXPECT_TRUE(MakeDirectories(Under(L"A\\B").c_str(), true));
    EXPECT_EQ(RecordedDirectories(), made);
}

TEST_F(MakeDirectoriesTest, PathForms) {
    struct FormCase {
        const char* what;
        std::wstring path;
        bool record;
        std::vector<std::wstring> created;   // relative to the test's folder
        std::vector<std::wstring> recorded;  // full paths
    };
    const std::vector<FormCase> cases = {
        {"trailing backslash", Under(L"T\\U\\"), true, {L"T\\U"}, {Under(L"T\\"), Under(L"T\\U\\")}},
        {"without recording", Under(L"N\\O"), false, {L"N\\O"}, {}},
        {"no backslash", L"MkDirRelative", true, {}, {}},
        {"empty", L"", true, {}, {}},
    };
    for (const FormCase& c : cases) {
        SCOPED_TRACE(c.what);
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, history_.c_str());
        EXPECT_TRUE(MakeDirectories(c.path.c_str(), c.record));
        for (const std::wstring& relative : c.created) EXPECT_TRUE(IsDirectory(Under(relative)));
        EXPECT_EQ(RecordedDirectories(), c.recorded);
    }
    EXPECT_FALSE(IsDirectory(L"MkDirRelative"));
    EXPECT_TRUE(MakeDirectories(nullptr, true));
}

TEST_F(MakeDirectoriesTest, AFileInTheWayFails) {
    ASSERT_TRUE(CreateDirectoryW(Under(L"A").c_str(), nullptr));
    MakeFile(Under(L"A\\F"));
    struct BlockedCase {
        const char* what;
        std::wstring path;
    };
    const std::vector<BlockedCase> cases = {
        {"the file is the last part", Under(L"A\\F")},
        {"the file is a parent", Under(L"A\\F\\X\\Y")},
    };
    for (const BlockedCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(MakeDirectories(c.path.c_str(), true));
        EXPECT_TRUE(IsFile(Under(L"A\\F")));
        EXPECT_TRUE(RecordedDirectories().empty());
    }

    // What was made before a failure stays, and stays recorded; the record
    // written for the directory that could not be made is taken back.
    EXPECT_FALSE(MakeDirectories(Under(L"A\\New\\Sub\\bad<name>\\X").c_str(), true));
    EXPECT_TRUE(IsDirectory(Under(L"A\\New\\Sub")));
    EXPECT_EQ(RecordedDirectories(), (std::vector<std::wstring>{Under(L"A\\New\\"), Under(L"A\\New\\Sub\\")}));
}

TEST_F(MakeDirectoriesTest, LongPaths) {
    // Parts of ten characters under the test's folder (the first one longer to
    // make up the rest), |length| characters in all.
    const auto pathOf = [this](std::size_t length) {
        const std::size_t rest = length - base_.size();
        std::wstring path = base_ + L"\\" + std::wstring(9 + rest % 10, L'd');
        while (path.size() < length) path += L"\\" + std::wstring(9, L'd');
        return path;
    };
    const auto firstPartOf = [this](const std::wstring& path) {
        return path.substr(0, path.find(L'\\', base_.size() + 1));
    };

    const std::wstring longest = pathOf(kMaxDirectoryPathChars - 1);
    ASSERT_EQ(longest.size(), kMaxDirectoryPathChars - 1);
    EXPECT_TRUE(MakeDirectories(longest.c_str(), true));
    EXPECT_TRUE(IsDirectory(longest));
    std::filesystem::remove_all(firstPartOf(longest));
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, history_.c_str());

    // Too long for the platform: nothing is begun.
    for (std::size_t length : {kMaxDirectoryPathChars, std::size_t{300}}) {
        SCOPED_TRACE(length);
        const std::wstring path = pathOf(length);
        ASSERT_EQ(path.size(), length);
        EXPECT_FALSE(MakeDirectories(path.c_str(), true));
        EXPECT_FALSE(IsDirectory(firstPartOf(path)));
        EXPECT_TRUE(RecordedDirectories().empty());
    }
}

}  // namespace
