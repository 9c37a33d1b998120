// A file held open without delete sharing is replaced when the system next
// starts. Runs in a prefix of its own: the test restarts it (wineboot -r).
#include <gtest/gtest.h>

#include <windows.h>

#include "FileOperations.h"
#include "FileTestFixture.h"
#include "Process.h"
#include "ScopedHandle.h"

namespace {

using qs_components_test::FileTestFixture;

class ReplaceAtRestartTest : public FileTestFixture {};

TEST_F(ReplaceAtRestartTest, NewContentIsInPlaceAfterTheRestart) {
    WriteFile(Under(L"src.dll"), "new");
    WriteFile(Under(L"held.dll"), "old");
    {
        const CKernelHandle held(CreateFileW(Under(L"held.dll").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                             OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        ASSERT_EQ(CopySingleFileOutcome(Under(L"src.dll").c_str(), Under(L"held.dll").c_str(), true),
                  CopyOutcome::kReplacedAtRestart);
    }
    EXPECT_EQ(ReadFile(Under(L"held.dll")), "old");

    const qs_test::RunResult restart = qs_test::RunProgram(L"wineboot.exe -r", L"", 120000);
    ASSERT_TRUE(restart.started);
    ASSERT_TRUE(restart.finished);

    EXPECT_EQ(ReadFile(Under(L"held.dll")), "new");
    EXPECT_TRUE(PendingRenames().empty());
    EXPECT_EQ(RecordedFiles(), (std::vector<std::wstring>{Under(L"held.dll")}));
}

}  // namespace
