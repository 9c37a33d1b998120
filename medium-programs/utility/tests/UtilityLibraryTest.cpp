// The utility library as setup meets it: loaded from a medium folder of its
// own, bound by name, with and without the test device setting beside it.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

#include "SupportLibraryContract.h"

using namespace support_library;

namespace {

class UtilityLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"vxutil-test-" + std::to_wstring(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr)) << GetLastError();
        library_ = folder_ + L"\\Vxutil.dll";
        ASSERT_TRUE(CopyFileW(QS_UTILITY_LIBRARY, library_.c_str(), FALSE)) << GetLastError();
    }

    void TearDown() override {
        if (module_ != nullptr) FreeLibrary(module_);
        DeleteFileW(library_.c_str());
        DeleteFileW((folder_ + L"\\Device.ini").c_str());
        RemoveDirectoryW(folder_.c_str());
    }

    void WriteSetting(const char* text) {
        const std::wstring file = folder_ + L"\\Device.ini";
        FILE* out = _wfopen(file.c_str(), L"wb");
        ASSERT_NE(out, nullptr);
        fputs(text, out);
        fclose(out);
    }

    template <typename Proc>
    Proc Bind(const char* name) {
        if (module_ == nullptr) module_ = LoadLibraryW(library_.c_str());
        if (module_ == nullptr) return nullptr;
        return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }

    struct PORT_ANSWER {
        BOOL result = FALSE;
        DWORD count = 12345;
        std::wstring port;
    };

    PORT_ANSWER AskPort() {
        PORT_ANSWER answer;
        auto getDevicePort = Bind<GetDevicePortProc>(kGetDevicePort);
        if (getDevicePort == nullptr) return answer;
        wchar_t port[kPortNameLength];
        wmemset(port, L'#', kPortNameLength);
        answer.result = getDevicePort(L"Quorvel", L"LX-3200MF", L"VID_3A17&PID_3200", port, &answer.count);
        answer.port = port;
        return answer;
    }

    std::wstring folder_;
    std::wstring library_;
    HMODULE module_ = nullptr;
};

const char kDeviceSetting[] =
    "[DEVICE]\r\nPORT=USB001\r\nDEVICE_ID=MFG:Quorvel;MDL:LX-3200MF;CMD:PCL,PS;\r\n";

TEST_F(UtilityLibraryTest, ExportsEveryUtilityEntryPointByItsPlainName) {
    for (const char* name : {kGetDevicePort, kStartPreventPnP, kEndPreventPnP, kRemoveHardwareWizardDialog,
                             kMySetForegroundNHWdDialog, kSystemRefresh, kRemoveUnknownDev, kMyGetDeviceIDFromPort,
                             kGetDiskFreeSpaceVX}) {
        EXPECT_NE(Bind<FARPROC>(name), nullptr) << name;
    }
}

TEST_F(UtilityLibraryTest, WithoutTheSettingReportsNoDeviceUnderWine) {
    const PORT_ANSWER answer = AskPort();
    EXPECT_TRUE(answer.result);
    EXPECT_EQ(answer.count, 0u);
    EXPECT_EQ(answer.port, L"");

    auto getDeviceId = Bind<MyGetDeviceIDFromPortProc>(kMyGetDeviceIDFromPort);
    ASSERT_NE(getDeviceId, nullptr);
    std::wstring id(kDeviceIdLength, L'#');
    EXPECT_EQ(getDeviceId(L"USB001", &id[0]), 0);
}

TEST_F(UtilityLibraryTest, TheSettingStandsForADeviceOnItsPort) {
    WriteSetting(kDeviceSetting);
    const PORT_ANSWER answer = AskPort();
    EXPECT_TRUE(answer.result);
    EXPECT_EQ(answer.count, 1u);
    EXPECT_EQ(answer.port, L"USB001");

    auto getDeviceId = Bind<MyGetDeviceIDFromPortProc>(kMyGetDeviceIDFromPort);
    ASSERT_NE(getDeviceId, nullptr);
    const struct {
        const wchar_t* port;
        const wchar_t* expected;  // null: no device ID
    } cases[] = {
        {L"USB001", L"MFG:Quorvel;MDL:LX-3200MF;CMD:PCL,PS;"},
        {L"usb001:", L"MFG:Quorvel;MDL:LX-3200MF;CMD:PCL,PS;"},
        {L"USB002", nullptr},
        {L"LPT1:", nullptr},
        {L"", nullptr},
    };
    for (const auto& c : cases) {
        std::wstring id(kDeviceIdLength, L'#');
        const int result = getDeviceId(c.port, &id[0]);
        if (c.expected != nullptr) {
            EXPECT_NE(result, 0) << c.port;
            EXPECT_STREQ(id.c_str(), c.expected) << c.port;
        } else {
            EXPECT_EQ(result, 0) << c.port;
        }
    }
}

TEST_F(UtilityLibraryTest, ASettingWithoutPortFailsTheDeviceCheck) {
    WriteSetting("[DEVICE]\r\nDEVICE_ID=MFG:Quorvel;MDL:LX-3200MF;\r\n");
    const PORT_ANSWER answer = AskPort();
    EXPECT_FALSE(answer.result);
    EXPECT_EQ(answer.count, static_cast<DWORD>(-1));
    EXPECT_EQ(answer.port, L"");
}

TEST_F(UtilityLibraryTest, WithTheSettingTheDeviceEntryPointsSucceed) {
    WriteSetting(kDeviceSetting);
    auto refresh = Bind<SystemRefreshProc>(kSystemRefresh);
    auto remove = Bind<RemoveUnknownDevProc>(kRemoveUnknownDev);
    auto start = Bind<StartPreventPnPProc>(kStartPreventPnP);
    auto end = Bind<EndPreventPnPProc>(kEndPreventPnP);
    auto close = Bind<RemoveHardwareWizardDialogProc>(kRemoveHardwareWizardDialog);
    ASSERT_TRUE(refresh && remove && start && end && close);
    EXPECT_TRUE(refresh(L"QuorvelLX-3200MF", L"VID_3A17&PID_3200"));
    EXPECT_TRUE(remove(L"QuorvelLX-3200MF", L"VID_3A17&PID_3200"));
    EXPECT_TRUE(start(L"QuorvelLX-3200MF"));
    EXPECT_TRUE(end(L"QuorvelLX-3200MF"));
    EXPECT_TRUE(close());  // no new-hardware dialog is open
}

TEST_F(UtilityLibraryTest, FreeSpaceIsTheDrivesFreeMegabytes) {
    auto freeSpace = Bind<GetDiskFreeSpaceVXProc>(kGetDiskFreeSpaceVX);
    ASSERT_NE(freeSpace, nullptr);
    ULARGE_INTEGER available = {};
    ASSERT_TRUE(GetDiskFreeSpaceExW(folder_.c_str(), &available, nullptr, nullptr));
    const unsigned long long megabytes = available.QuadPart / (1024ull * 1024ull);
    const unsigned long long slack = 256;  // other programs write to the same disk meanwhile

    for (const std::wstring& path : {folder_, folder_ + L"\\not\\made\\yet", folder_.substr(0, 3)}) {
        const DWORD figure = freeSpace(path.c_str());
        EXPECT_GT(figure, 0u) << path;
        EXPECT_LE(figure, megabytes + slack) << path;
        EXPECT_GE(figure + slack, megabytes) << path;
    }
    EXPECT_EQ(freeSpace(L""), 0u);

    // A drive that does not exist gives no figure.
    const DWORD drives = GetLogicalDrives();
    for (wchar_t letter = L'Y'; letter > L'D'; --letter) {
        if (drives & (1u << (letter - L'A'))) continue;
        const std::wstring path = std::wstring(1, letter) + L":\\Program Files\\Quorvel";
        EXPECT_EQ(freeSpace(path.c_str()), 0u) << path;
        break;
    }
}

}  // namespace
