// The table of system functions bound at run time: what Load binds, what each
// wrapper answers when its function is missing, that a found function is the
// real one, and that every library is freed exactly once.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "APIFunction.h"
#include "LogReader.h"
#include "Medium.h"

namespace {

using Entry = CAPIFunction::Entry;
using Library = CAPIFunction::Library;

// Opens the table's seams: an entry bound by another name, a library refused.
class TestTable : public CAPIFunction {
public:
    using CAPIFunction::BindEntry;
    std::wstring refused;  // a library file name that does not load
    std::vector<std::wstring> loaded;

protected:
    HMODULE LoadSystemLibrary(const wchar_t* fileName) override {
        loaded.push_back(fileName);
        if (_wcsicmp(fileName, refused.c_str()) == 0) return nullptr;
        return CAPIFunction::LoadSystemLibrary(fileName);
    }
};

struct MissingCase {
    Entry entry;
    std::function<std::intptr_t(const CAPIFunction&)> call;
    std::intptr_t expected;
};

#define QS_ROW(entry, expected, ...) \
    MissingCase{Entry::entry, [](const CAPIFunction& t) { return (std::intptr_t)(__VA_ARGS__); }, (std::intptr_t)(expected)}

std::vector<MissingCase> MissingCases() {
    return {
        QS_ROW(kRegisterDeviceNotification, 0, t.RegisterDeviceNotification(nullptr, nullptr, 0)),
        QS_ROW(kUnregisterDeviceNotification, 0, t.UnregisterDeviceNotification(nullptr)),
        QS_ROW(kGetWindowModuleFileName, 0, t.GetWindowModuleFileName(nullptr, nullptr, 0)),
        QS_ROW(kMoveFileEx, 0, t.MoveFileEx(L"C:\\qs-no-such-file", L"C:\\qs-no-such-target", 0)),
        QS_ROW(kSetupDiEnumDeviceInterfaces, 0, t.SetupDiEnumDeviceInterfaces(nullptr, nullptr, nullptr, 0, nullptr)),
        QS_ROW(kSetupDiGetDeviceInterfaceDetail, 0,
               t.SetupDiGetDeviceInterfaceDetail(nullptr, nullptr, nullptr, 0, nullptr, nullptr)),
        QS_ROW(kSetupDiOpenDeviceInterfaceRegKey, 0, t.SetupDiOpenDeviceInterfaceRegKey(nullptr, nullptr, 0, 0)),
        QS_ROW(kSetupDiGetClassDevs, 0, t.SetupDiGetClassDevs(nullptr, nullptr, nullptr, 0)),
        QS_ROW(kSetupDiDestroyDeviceInfoList, 0, t.SetupDiDestroyDeviceInfoList(nullptr)),
        QS_ROW(kSetupDiEnumDeviceInfo, 0, t.SetupDiEnumDeviceInfo(nullptr, 0, nullptr)),
        QS_ROW(kSetupDiGetDeviceRegistryProperty, 0,
               t.SetupDiGetDeviceRegistryProperty(nullptr, nullptr, 0, nullptr, nullptr, 0, nullptr)),
        QS_ROW(kSetupDiSetDeviceRegistryProperty, 0,
               t.SetupDiSetDeviceRegistryProperty(nullptr, nullptr, 0, nullptr, 0)),
        QS_ROW(kSetupDiRemoveDevice, 0, t.SetupDiRemoveDevice(nullptr, nullptr)),
        QS_ROW(kSetupOpenInfFile, -1, t.SetupOpenInfFile(L"C:\\qs-no-such.inf", nullptr, INF_STYLE_WIN4, nullptr)),
        QS_ROW(kSetupGetLineByIndex, 0, t.SetupGetLineByIndex(nullptr, L"S", 0, nullptr)),
        QS_ROW(kSetupGetStringField, 0, t.SetupGetStringField(nullptr, 0, nullptr, 0, nullptr)),
        QS_ROW(kSetupCloseInfFile, 0, (t.SetupCloseInfFile(nullptr), 0)),
        QS_ROW(kSetupGetLineCount, -1, t.SetupGetLineCount(nullptr, L"S")),
        QS_ROW(kSetupGetInfFileList, 0, t.SetupGetInfFileList(nullptr, 0, nullptr, 0, nullptr)),
        QS_ROW(kSetupGetInfInformation, 0, t.SetupGetInfInformation(nullptr, 0, nullptr, 0, nullptr)),
        QS_ROW(kSetupQueryInfFileInformation, 0, t.SetupQueryInfFileInformation(nullptr, 0, nullptr, 0, nullptr)),
        QS_ROW(kSetupQueryInfVersionInformation, 0,
               t.SetupQueryInfVersionInformation(nullptr, 0, nullptr, nullptr, 0, nullptr)),
        QS_ROW(kCMP_WaitNoPendingInstallEvents, WAIT_FAILED, t.CMP_WaitNoPendingInstallEvents(0)),
        QS_ROW(kNetWkstaGetInfo, 1, t.NetWkstaGetInfo(nullptr, 100, nullptr)),
        QS_ROW(kInitializeSecurityDescriptor, 0, t.InitializeSecurityDescriptor(nullptr, 1)),
        QS_ROW(kAllocateAndInitializeSid, 0, t.AllocateAndInitializeSid(nullptr, 1, 0, 0, 0, 0, 0, 0, 0, 0, nullptr)),
        QS_ROW(kInitializeAcl, 0, t.InitializeAcl(nullptr, 0, ACL_REVISION)),
        QS_ROW(kAddAccessAllowedObjectAce, 0,
               t.AddAccessAllowedObjectAce(nullptr, ACL_REVISION_DS, 0, 0, nullptr, nullptr, nullptr)),
        QS_ROW(kSetSecurityDescriptorDacl, 0, t.SetSecurityDescriptorDacl(nullptr, TRUE, nullptr, FALSE)),
        QS_ROW(kSetSecurityDescriptorControl, 0, t.SetSecurityDescriptorControl(nullptr, 0, 0)),
        QS_ROW(kFreeSid, 0, t.FreeSid(nullptr)),
        QS_ROW(kGradientFill, 0, t.GradientFill(nullptr, nullptr, 0, nullptr, 0, GRADIENT_FILL_RECT_H)),
        QS_ROW(kWNetAddConnection2, 1, t.WNetAddConnection2(nullptr, nullptr, nullptr, 0)),
    };
}
#undef QS_ROW

TEST(APIFunctionTest, LoadBindsEveryEntryFromItsLibrary) {
    TestTable table;
    EXPECT_TRUE(table.Load());
    EXPECT_EQ(table.loaded, (std::vector<std::wstring>{L"MPR.dll", L"Msimg32.dll", L"Kernel32.dll", L"User32.dll",
                                                        L"SetupAPI.dll", L"Netapi32.dll", L"ADVAPI32.dll"}));
    for (std::size_t i = 0; i < CAPIFunction::kLibraryCount; ++i)
        EXPECT_NE(table.Module(static_cast<Library>(i)), nullptr) << CAPIFunction::FileNameOf(static_cast<Library>(i));
    for (std::size_t i = 0; i < CAPIFunction::kEntryCount; ++i)
        EXPECT_TRUE(table.IsBound(static_cast<Entry>(i))) << CAPIFunction::ExportNameOf(static_cast<Entry>(i));
}

TEST(APIFunctionTest, EveryWrapperHasARow) {
    std::vector<bool> seen(CAPIFunction::kEntryCount, false);
    for (const MissingCase& row : MissingCases()) seen[static_cast<std::size_t>(row.entry)] = true;
    for (std::size_t i = 0; i < CAPIFunction::kEntryCount; ++i)
        EXPECT_EQ(seen[i], static_cast<Entry>(i) != Entry::kGetDiskFreeSpaceEx)  // bound, but has no wrapper
            << CAPIFunction::ExportNameOf(static_cast<Entry>(i));
}

TEST(APIFunctionTest, MissingFunctionsGiveTheirFixedResults) {
    const TestTable unloaded;
    for (const MissingCase& row : MissingCases()) {
        const char* name = CAPIFunction::ExportNameOf(row.entry);
        EXPECT_FALSE(unloaded.IsBound(row.entry)) << name;
        EXPECT_EQ(row.call(unloaded), row.expected) << name << " before Load";

        // A loaded table whose library lacks the function.
        TestTable table;
        table.Load();
        EXPECT_FALSE(table.BindEntry(row.entry, "QsNoSuchExport")) << name;
        EXPECT_FALSE(table.IsBound(row.entry)) << name;
        EXPECT_EQ(row.call(table), row.expected) << name << " missing from its library";
        EXPECT_TRUE(table.BindEntry(row.entry, name)) << name << " bound again";
    }
}

TEST(APIFunctionTest, ALibraryThatDoesNotLoadLeavesItsEntriesEmpty) {
    TestTable table;
    table.refused = L"Msimg32.dll";
    table.Load();
    EXPECT_EQ(table.Module(Library::kMsimg32), nullptr);
    EXPECT_FALSE(table.IsBound(Entry::kGradientFill));
    EXPECT_FALSE(table.BindEntry(Entry::kGradientFill, "GradientFill"));  // nothing to bind from

    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    TRIVERTEX vertices[2] = {{0, 0, 0xFF00, 0, 0, 0}, {8, 8, 0, 0, 0xFF00, 0}};
    GRADIENT_RECT rect = {0, 1};
    EXPECT_FALSE(table.GradientFill(dc, vertices, 2, &rect, 1, GRADIENT_FILL_RECT_H));
    DeleteDC(dc);

    EXPECT_NE(table.Module(Library::kMpr), nullptr);  // the others still load
    EXPECT_TRUE(table.IsBound(Entry::kWNetAddConnection2));
}

class APIFunctionFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = qs_test::TempDirectory() + L"qs-api-" + std::to_wstring(GetCurrentProcessId());
        qs_test::DeleteTree(folder_);
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
    }
    void TearDown() override { qs_test::DeleteTree(folder_); }
    std::wstring folder_;
};

TEST_F(APIFunctionFileTest, FoundMoveFileExMovesTheFile) {
    const std::wstring from = folder_ + L"\\a.txt";
    const std::wstring to = folder_ + L"\\b.txt";
    HANDLE file = CreateFileW(from.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    CAPIFunction table;
    table.Load();
    EXPECT_TRUE(table.MoveFileEx(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(GetFileAttributesW(from.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesW(to.c_str()), INVALID_FILE_ATTRIBUTES);
    // The system's own failure comes through as it is.
    EXPECT_FALSE(table.MoveFileEx(from.c_str(), to.c_str(), 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST(APIFunctionTest, FoundGradientFillPaintsFromStartToEndColour) {
    CAPIFunction table;
    table.Load();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 64;
    info.bmiHeader.biHeight = -1;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap, nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);

    TRIVERTEX vertices[2] = {{0, 0, 0xFF00, 0, 0, 0}, {64, 1, 0, 0, 0xFF00, 0}};  // red to blue
    GRADIENT_RECT rect = {0, 1};
    EXPECT_TRUE(table.GradientFill(dc, vertices, 2, &rect, 1, GRADIENT_FILL_RECT_H));
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);  // 0x00RRGGBB
    EXPECT_GE((pixels[0] >> 16) & 0xFF, 0xF0u);
    EXPECT_LE(pixels[0] & 0xFF, 0x0Fu);
    EXPECT_LE((pixels[63] >> 16) & 0xFF, 0x0Fu);
    EXPECT_GE(pixels[63] & 0xFF, 0xF0u);

    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST(APIFunctionTest, FoundInstallEventWaitAnswersNothingPending) {
    CAPIFunction table;
    table.Load();
    const DWORD result = table.CMP_WaitNoPendingInstallEvents(0);
    RecordProperty("CMP_WaitNoPendingInstallEvents", static_cast<int>(result));
    EXPECT_EQ(result, static_cast<DWORD>(WAIT_OBJECT_0));
}

// Libraries this process does not otherwise use: their reference counts show
// how often the table took and gave back each one.
TEST(APIFunctionTest, DestroyingFreesEachLoadedLibraryOnce) {
    const wchar_t* files[] = {L"Msimg32.dll", L"MPR.dll", L"Netapi32.dll"};
    int checked = 0;
    for (const wchar_t* file : files) {
        if (GetModuleHandleW(file) != nullptr) continue;
        HMODULE own = LoadLibraryW(file);
        ASSERT_NE(own, nullptr) << file;
        {
            CAPIFunction table;
            table.Load();
            table.Load();  // a second load takes no second reference
        }
        EXPECT_EQ(GetModuleHandleW(file), own) << file << ": freed more than once";
        FreeLibrary(own);
        EXPECT_EQ(GetModuleHandleW(file), nullptr) << file << ": not freed";
        ++checked;
    }
    if (checked == 0) GTEST_SKIP() << "every library is already in use by the process";
}

TEST(APIFunctionTest, GlobalTableIsLoadedOnFirstUseUntilOneIsSet) {
    CAPIFunction& standing = GlobalApiTable();
    EXPECT_TRUE(standing.IsBound(Entry::kMoveFileEx));
    EXPECT_EQ(&GlobalApiTable(), &standing);

    CAPIFunction own;
    SetGlobalApiTable(&own);
    EXPECT_EQ(&GlobalApiTable(), &own);
    EXPECT_FALSE(GlobalApiTable().IsBound(Entry::kMoveFileEx));
    SetGlobalApiTable(nullptr);
    EXPECT_EQ(&GlobalApiTable(), &standing);
}

}  // namespace
