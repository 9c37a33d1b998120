// Loading copy records from a records key of the test's own and copying them.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CopyFile.h"
#include "FileTestFixture.h"
#include "Log.h"
#include "LogReader.h"
#include "Registry.h"
#include "ScopedHandle.h"

namespace {

using qs_components_test::FileTestFixture;

struct COPY_RECORD {
    std::wstring name;
    std::wstring source;
    std::wstring destination;
    std::wstring description;
    DWORD copySubDir;
    DWORD deleteFlag;
};

class CopyFileTest : public FileTestFixture {
protected:
    void SetUp() override {
        FileTestFixture::SetUp();
        records_ = history_ + L"-CopyFiles";
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, records_.c_str());
        // The source tree: S\a.txt, S\b.txt, S\Sub\c.txt, and one file beside it.
        ASSERT_TRUE(CreateDirectoryW(Under(L"S").c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW(Under(L"S\\Sub").c_str(), nullptr));
        WriteFile(Under(L"S\\a.txt"), "a");
        WriteFile(Under(L"S\\b.txt"), "b");
        WriteFile(Under(L"S\\Sub\\c.txt"), "c");
        WriteFile(Under(L"one.txt"), "one");
    }
    void TearDown() override {
        SetGlobalLog(nullptr);
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, records_.c_str());
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, records_.c_str());
        FileTestFixture::TearDown();
    }

    void Write(const COPY_RECORD& record) const {
        const std::wstring key = records_ + L"\\" + record.name;
        ASSERT_EQ(CRegistry::SetValue(key.c_str(), L"Src", record.source.c_str(), HKEY_LOCAL_MACHINE), 0u);
        ASSERT_EQ(CRegistry::SetValue(key.c_str(), L"Dest", record.destination.c_str(), HKEY_LOCAL_MACHINE), 0u);
        if (!record.description.empty()) {
            ASSERT_EQ(CRegistry::SetValue(key.c_str(), L"Description", record.description.c_str(), HKEY_LOCAL_MACHINE),
                      0u);
        }
        ASSERT_EQ(CRegistry::SetValue(key.c_str(), L"CopySubDir", record.copySubDir, HKEY_LOCAL_MACHINE), 0u);
        ASSERT_EQ(CRegistry::SetValue(key.c_str(), L"Delete", record.deleteFlag, HKEY_LOCAL_MACHINE), 0u);
    }

    // The entries' destinations and descriptions, sorted (the file system's order is not ours).
    static std::vector<std::wstring> Entries(const CCopyFile& copy) {
        std::vector<std::wstring> entries;
        for (int i = 0; i < copy.GetEntryCount(); ++i)
            entries.push_back(copy.GetEntryDest(i) + L"|" + copy.GetEntryDescription(i));
        std::sort(entries.begin(), entries.end());
        return entries;
    }

    std::wstring records_;
};

TEST_F(CopyFileTest, RecordsExpandIntoSingleCopies) {
    struct LoadCase {
        const char* what;
        COPY_RECORD record;
        std::vector<std::wstring> entries;
    };
    const std::vector<LoadCase> cases = {
        {"a file", {L"R1", Under(L"one.txt"), Under(L"D\\one.txt"), L"One", 0, 0}, {Under(L"D\\one.txt") + L"|One"}},
        {"a directory without its sub-directories",
         {L"R2", Under(L"S"), Under(L"D"), L"", 0, 0},
         {Under(L"D\\a.txt") + L"|", Under(L"D\\b.txt") + L"|"}},
        {"a directory with its sub-directories",
         {L"R3", Under(L"S"), Under(L"D"), L"Tree", 1, 0},
         {Under(L"D\\Sub\\c.txt") + L"|Tree", Under(L"D\\a.txt") + L"|Tree", Under(L"D\\b.txt") + L"|Tree"}},
        {"a missing source", {L"R4", Under(L"none.txt"), Under(L"D\\none.txt"), L"", 0, 0}, {}},
        {"an empty source", {L"R5", L"", Under(L"D\\x.txt"), L"", 0, 0}, {}},
        {"an empty destination", {L"R6", Under(L"one.txt"), L"", L"", 0, 0}, {}},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.what);
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, records_.c_str());
        Write(c.record);
        CCopyFile copy;
        EXPECT_TRUE(copy.LoadRecords(records_.c_str()));
        EXPECT_EQ(Entries(copy), c.entries);
    }
}

TEST_F(CopyFileTest, LoadsAddUpAndBadIndexesAreRefused) {
    Write({L"R1", Under(L"one.txt"), Under(L"D\\one.txt"), L"One", 0, 0});
    CCopyFile copy;
    EXPECT_FALSE(copy.LoadRecords((records_ + L"-missing").c_str()));
    EXPECT_EQ(copy.GetEntryCount(), 0);
    EXPECT_TRUE(copy.LoadRecords(records_.c_str()));
    EXPECT_TRUE(copy.LoadRecords(records_.c_str()));
    EXPECT_EQ(copy.GetEntryCount(), 2);

    for (int index : {-1, 2}) {
        SCOPED_TRACE(index);
        EXPECT_FALSE(copy.CopyEntry(index));
        EXPECT_FALSE(copy.DeleteEntryTarget(index));
        EXPECT_EQ(copy.GetEntryDest(index), L"");
    }
    EXPECT_TRUE(copy.CopyEntry(0));
    EXPECT_EQ(ReadFile(Under(L"D\\one.txt")), "one");
    EXPECT_TRUE(copy.DeleteEntryTarget(0));
    EXPECT_FALSE(Exists(Under(L"D\\one.txt")));
}

TEST_F(CopyFileTest, CopyAllCopiesAndRecordsWhatIsAskedFor) {
    Write({L"Tree", Under(L"S"), Under(L"D"), L"", 1, 1});
    Write({L"Plain", Under(L"one.txt"), Under(L"P\\one.txt"), L"", 0, 0});
    CCopyFile copy;
    EXPECT_EQ(copy.CopyAll(records_.c_str()), CopyOutcome::kCopied);
    EXPECT_EQ(ReadFile(Under(L"D\\Sub\\c.txt")), "c");
    EXPECT_EQ(ReadFile(Under(L"P\\one.txt")), "one");
    std::vector<std::wstring> files = RecordedFiles();
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::wstring>{Under(L"D\\Sub\\c.txt"), Under(L"D\\a.txt"), Under(L"D\\b.txt")}));
    // P was made for a record without "Delete": not recorded.
    std::vector<std::wstring> dirs = RecordedDirs();
    std::sort(dirs.begin(), dirs.end());
    EXPECT_EQ(dirs, (std::vector<std::wstring>{Under(L"D\\"), Under(L"D\\Sub\\")}));
}

TEST_F(CopyFileTest, CopyAllOutcomes) {
    CLog log(base_ + L"\\", L"setup.exe");
    SetGlobalLog(&log);
    {
        CCopyFile copy;
        EXPECT_EQ(copy.CopyAll(records_.c_str()), CopyOutcome::kFailed);
    }
    qs_test::SetupLog read;
    ASSERT_TRUE(qs_test::ReadSetupLog(log.FilePath(), read));
    EXPECT_EQ(read.Count(L"Copy file Initial fail!!"), 1u);

    ASSERT_EQ(CRegistry::SetValue(records_.c_str(), L"Marker", DWORD{1}, HKEY_LOCAL_MACHINE), 0u);
    {
        CCopyFile copy;
        EXPECT_EQ(copy.CopyAll(records_.c_str()), CopyOutcome::kCopied);
        EXPECT_EQ(copy.GetEntryCount(), 0);
    }

    // One destination held open without delete sharing waits for the restart;
    // the others are copied now.
    WriteFile(Under(L"held.txt"), "old");
    const CKernelHandle held(
        CreateFileW(Under(L"held.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    Write({L"Held", Under(L"one.txt"), Under(L"held.txt"), L"", 0, 1});
    Write({L"Tree", Under(L"S"), Under(L"D"), L"", 0, 0});
    {
        CCopyFile copy;
        EXPECT_EQ(copy.CopyAll(records_.c_str()), CopyOutcome::kReplacedAtRestart);
        EXPECT_EQ(ReadFile(Under(L"D\\a.txt")), "a");
        EXPECT_TRUE(IsPendingRenameTo(Under(L"held.txt")));
    }

    // A copy that cannot be made either way is reported, and the rest still done.
    ASSERT_TRUE(CreateDirectoryW(Under(L"blocked").c_str(), nullptr));
    WriteFile(Under(L"blocked\\x"), "x");
    Write({L"Blocked", Under(L"one.txt"), Under(L"blocked"), L"", 0, 0});
    Write({L"Late", Under(L"one.txt"), Under(L"late.txt"), L"", 0, 0});
    {
        CCopyFile copy;
        EXPECT_EQ(copy.CopyAll(records_.c_str()), CopyOutcome::kFailed);
        EXPECT_EQ(ReadFile(Under(L"late.txt")), "one");
    }
}

}  // namespace
