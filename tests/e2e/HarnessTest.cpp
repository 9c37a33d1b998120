// The end-to-end harness itself: registry and file snapshots see changes.
#include <gtest/gtest.h>

#include <windows.h>

#include "FileSnapshot.h"
#include "Medium.h"
#include "Process.h"
#include "RegistrySnapshot.h"

namespace {

using namespace qs_test;

TEST(Harness, RegistrySnapshotsShowAddedChangedAndRemovedValues) {
    const std::wstring key = L"HKCU\\Software\\QsHarness";
    RunProgram(L"reg.exe add " + key + L"\\Sub /v Kept /t REG_SZ /d same /f");
    RunProgram(L"reg.exe add " + key + L" /v Changed /t REG_DWORD /d 1 /f");
    RunProgram(L"reg.exe add " + key + L" /v Gone /t REG_SZ /d \"with \\\"quotes\\\"\" /f");
    const RegistrySnapshot before = RegistrySnapshot::Take(key);
    EXPECT_EQ(before.Value(key + L"\\Sub", L"Kept"), L"\"same\"");

    RunProgram(L"reg.exe add " + key + L" /v Changed /t REG_DWORD /d 2 /f");
    RunProgram(L"reg.exe delete " + key + L" /v Gone /f");
    RunProgram(L"reg.exe add " + key + L"\\New /v Binary /t REG_BINARY /d " + std::wstring(200, L'a') + L" /f");
    const RegistrySnapshot after = RegistrySnapshot::Take(key);
    const std::vector<std::wstring> diff = RegistrySnapshot::Diff(before, after);
    ASSERT_EQ(diff.size(), 4u) << (diff.empty() ? L"" : diff[0]);
    EXPECT_EQ(diff[0], L"+ [HKEY_CURRENT_USER\\Software\\QsHarness\\New]");
    EXPECT_EQ(diff[1].rfind(L"+ [HKEY_CURRENT_USER\\Software\\QsHarness\\New] Binary=hex:aa,aa,", 0), 0u);
    const std::size_t hex = diff[1].find(L"hex:");
    EXPECT_EQ(diff[1].size(), hex + 4 + 100 * 3 - 1);  // continued lines are joined
    EXPECT_EQ(diff[1].find(L'\\', hex), std::wstring::npos);
    EXPECT_EQ(diff[2], L"- [HKEY_CURRENT_USER\\Software\\QsHarness] Gone=\"with \\\"quotes\\\"\"");
    EXPECT_EQ(diff[3], L"~ [HKEY_CURRENT_USER\\Software\\QsHarness] Changed=dword:00000001 -> dword:00000002");
    RunProgram(L"reg.exe delete " + key + L" /f");
    EXPECT_EQ(RegistrySnapshot::Take(key).KeyCount(), 0u);
}

TEST(Harness, FileSnapshotsAndMediaWithOverlays) {
    const std::wstring medium = MakeMedium(L"overlay", {{L"data\\extra.vxi", L"[A]\r\nB=1\r\n", FileKind::Profile},
                                                        {L"Config.ini", L"[X]\r\nY=1\r\n", FileKind::Ansi}});
    ASSERT_FALSE(medium.empty());
    const FileSnapshot before = FileSnapshot::Take(medium);
    EXPECT_TRUE(before.Has(L"setup.exe"));
    EXPECT_TRUE(before.Has(L"data\\extra.vxi"));
    wchar_t value[16] = {};
    GetPrivateProfileStringW(L"X", L"Y", L"", value, 16, (medium + L"\\Config.ini").c_str());
    EXPECT_STREQ(value, L"1");

    DeleteFileW((medium + L"\\data\\extra.vxi").c_str());
    WriteProfileFile(medium + L"\\new.dat", L"[N]\r\n");
    WriteAnsiFile(medium + L"\\Config.ini", L"[X]\r\nY=12\r\n");
    EXPECT_EQ(FileSnapshot::Diff(before, FileSnapshot::Take(medium)),
              (std::vector<std::wstring>{L"+ NEW.DAT", L"- DATA\\EXTRA.VXI", L"~ CONFIG.INI"}));
    EXPECT_TRUE(DeleteTree(medium));
}

}  // namespace
