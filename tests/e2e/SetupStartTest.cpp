// setup.exe started from a medium: its log and what it leaves behind.
#include <gtest/gtest.h>

#include "FileSnapshot.h"
#include "LogReader.h"
#include "Medium.h"
#include "Process.h"
#include "RegistrySnapshot.h"

namespace {

using namespace qs_test;

SetupLog RunSetup(const std::wstring& medium, const std::wstring& arguments, DWORD& exitCode) {
    const std::vector<std::wstring> before = LogFilesOf(TempDirectory(), L"setup.exe");
    const RunResult run = RunProgram(Quoted(medium + L"\\setup.exe") + L" " + arguments, medium);
    EXPECT_TRUE(run.started && run.finished);
    exitCode = run.exitCode;
    const std::vector<std::wstring> after = LogFilesOf(TempDirectory(), L"setup.exe");
    SetupLog log;
    EXPECT_EQ(after.size(), before.size() + 1) << "one new log per run";
    if (!after.empty()) {
        EXPECT_TRUE(ReadSetupLog(after.back(), log));
    }
    return log;
}

TEST(SetupStart, LogsItsCommandLineAndLoadsTheDataFile) {
    const std::wstring medium = MakeMedium(L"plain");
    ASSERT_FALSE(medium.empty()) << "QS_MEDIUM_DIR: " << StagedMediumDirectory();
    const RegistrySnapshot registryBefore = RegistrySnapshot::Take(L"HKLM\\Software");
    const FileSnapshot filesBefore = FileSnapshot::Take(medium);

    DWORD exitCode = 99;
    const SetupLog log = RunSetup(medium, L"/L0409 -S", exitCode);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_NE(log.banner.find(L"// Quorvel Printer Installer Program"), std::wstring::npos);
    ASSERT_FALSE(log.messages.empty());
    EXPECT_EQ(log.messages[0], L"Parameter : /L0409 -S");
    EXPECT_EQ(log.Count(L"Data file loaded [" + medium + L"\\setup.dat]"), 1u) << log.Normalised();

    // A second run gets the next log file name; nothing is written to the medium or the registry.
    RunSetup(medium, L"", exitCode);
    EXPECT_EQ(LogFilesOf(TempDirectory(), L"setup.exe").back(), TempDirectory() + L"setup.exe0.log");
    EXPECT_TRUE(FileSnapshot::Diff(filesBefore, FileSnapshot::Take(medium)).empty());
    EXPECT_TRUE(RegistrySnapshot::Diff(registryBefore, RegistrySnapshot::Take(L"HKLM\\Software")).empty());
}

TEST(SetupStart, WithoutItsDataFileFailsWithALogLine) {
    const std::wstring medium = MakeMedium(L"nodata", {{L"setup.dat", L"", FileKind::Remove}});
    ASSERT_FALSE(medium.empty());
    DWORD exitCode = 0;
    const SetupLog log = RunSetup(medium, L"", exitCode);
    EXPECT_NE(exitCode, 0u);
    EXPECT_TRUE(log.Contains(L"Initialize Profiles fail!!")) << log.Normalised();
}

}  // namespace
