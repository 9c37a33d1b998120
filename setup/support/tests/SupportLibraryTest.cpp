// CSupportLibrary against real libraries on a medium the test makes: which
// libraries it finds and how it says so, what reaches each entry point, and
// what every wrapper gives when a library is missing or crashes.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ConfigReader.h"
#include "Log.h"
#include "LogReader.h"
#include "Medium.h"
#include "SupportLibrary.h"

namespace {

const wchar_t kRoot[] = L"Software\\Quorvel\\Quorvel Printer Installer Program\\Installing";
const wchar_t kVidPid[] = L"VID_1234&PID_5678";

// The libraries built beside this program.
std::wstring BuiltLibrary(const wchar_t* name) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

void MakeParents(const std::wstring& path) {
    for (std::size_t pos = path.find(L'\\', 7); pos != std::wstring::npos; pos = path.find(L'\\', pos + 1)) {
        CreateDirectoryW(path.substr(0, pos).c_str(), nullptr);
    }
}

// Every library key of the data file pointing at one path.
std::wstring EveryLibraryAt(const std::wstring& path) {
    std::wstring text = L"[INSTALLER_FILE_INFO]\r\n";
    for (const wchar_t* key : {L"INSTALLER_DLL", L"UTILITY_DLL", L"REMOTE_INSTALL_DLL", L"DIAGNOSIS_DLL",
                               L"TESTPAGE_DLL", L"NETWORKMAN_DLL", L"RESOURCE_DLL", L"PREINSTALLER_DLL",
                               L"SETIP_DLL", L"VXWSP_DLL"}) {
        text += std::wstring(key) + L"=" + path + L"\r\n";
    }
    return text;
}

// What the discovery callback was given.
std::vector<std::wstring> gDiscovered;

int WINAPI OnPrinterFound(LPCWSTR name, LPCWSTR deviceId, LPCWSTR mac, LPCWSTR ipv4, LPCWSTR ipv6) {
    gDiscovered.push_back(std::wstring(name) + L"|" + deviceId + L"|" + mac + L"|" + ipv4 + L"|" + ipv6);
    return 1;
}

std::wstring Discovered() {
    std::wstring all;
    for (const std::wstring& entry : gDiscovered) all += entry;
    return all;
}

// One wrapper: how to call it, what it logs before the call, what the
// recording library receives and what comes back, and what the wrapper gives
// with no library and with a crashing one.
struct ENTRY_CASE {
    std::wstring name;
    std::function<long long(const CSupportLibrary&, std::wstring& out)> call;
    std::wstring callLine;              // logged before the call; empty: nothing
    std::wstring record;                // the recording library's line
    long long recorded;                 // the result with the recording library
    std::wstring out;                   // what the call's out buffers hold then
    long long missing;                  // the result with no library
    std::wstring fallback;              // an Adv form's plain form, as its NULL line names it
    std::optional<long long> fault;     // the result when the library crashes
};

std::vector<ENTRY_CASE> EntryCases(const std::wstring& medium) {
    const std::wstring item = std::wstring(kRoot) + L"\\Items\\Printer Driver";
    const std::wstring shortcut = std::wstring(kRoot) + L"\\Shortcut\\Manual";
    const std::wstring resource = medium + L"\\VXres.dll";
    return {
        {L"GetDevicePort",
         [](const CSupportLibrary& s, std::wstring& out) {
             wchar_t port[260] = L"unchanged";
             DWORD count = 77;
             const bool result = s.GetDevicePort(L"Quorvel", L"QX-1", kVidPid, port, &count);
             out = std::wstring(port) + L"/" + std::to_wstring(count);
             return result;
         },
         L"Call GetDevicePort(Quorvel,QX-1,VID_1234&PID_5678,lpPort,lpdwPortNum)",
         L"GetDevicePort(Quorvel|QX-1|VID_1234&PID_5678)", true, L"USB001/1", false, L"", false},
        {L"RemoveHardwareWizardDialog",
         [](const CSupportLibrary& s, std::wstring&) { return s.RemoveHardwareWizardDialog(); }, L"",
         L"RemoveHardwareWizardDialog()", true, L"", false, L"", false},
        // The library returns 0x200: only the lowest byte counts, so false.
        {L"MySetForegroundNHWdDialog",
         [](const CSupportLibrary& s, std::wstring&) { return s.MySetForegroundNHWdDialog(); }, L"",
         L"MySetForegroundNHWdDialog()", false, L"", false, L"", false},
        // 0x100: false; 0x101: true.
        {L"StartPreventPnP", [](const CSupportLibrary& s, std::wstring&) { return s.StartPreventPnP(L"QuorvelQX-1"); },
         L"Call StartPreventPnP(QuorvelQX-1)", L"StartPreventPnP(QuorvelQX-1)", false, L"", false, L"", false},
        {L"EndPreventPnP", [](const CSupportLibrary& s, std::wstring&) { return s.EndPreventPnP(L"QuorvelQX-1"); },
         L"Call EndPreventPnP(QuorvelQX-1)", L"EndPreventPnP(QuorvelQX-1)", true, L"", false, L"", false},
        {L"SystemRefresh",
         [](const CSupportLibrary& s, std::wstring&) { return s.SystemRefresh(L"QuorvelQX-1", kVidPid); },
         L"Call SystemRefresh(QuorvelQX-1,VID_1234&PID_5678)", L"SystemRefresh(QuorvelQX-1|VID_1234&PID_5678)", true,
         L"", false, L"", false},
        {L"RemoveUnknownDev",
         [](const CSupportLibrary& s, std::wstring&) { return s.RemoveUnknownDev(L"QuorvelQX-1", kVidPid); },
         L"Call RemoveUnknownDev(QuorvelQX-1,VID_1234&PID_5678)", L"RemoveUnknownDev(QuorvelQX-1|VID_1234&PID_5678)",
         true, L"", false, L"", false},
        {L"MyGetDeviceIDFromPort",
         [](const CSupportLibrary& s, std::wstring& out) {
             std::vector<wchar_t> id(support_library::kDeviceIdLength, L'\0');
             const int result = s.MyGetDeviceIDFromPort(L"USB001", id.data());
             out = id.data();
             return result;
         },
         L"Call MyGetDeviceIDFromPort", L"MyGetDeviceIDFromPort(USB001)", 5, L"MFG:Quorvel;MDL:QX-1;", 0, L"", 0},
        {L"SaveFile",
         [](const CSupportLibrary& s, std::wstring&) { return s.SaveFile(L"C:\\Temp\\RtReg.reg", kRoot, 0); },
         std::wstring(L"Call SaveFile(C:\\Temp\\RtReg.reg,") + kRoot + L",0)",
         std::wstring(L"SaveFile(C:\\Temp\\RtReg.reg|") + kRoot + L"|0)", 6, L"", 0, L"", 0},
        {L"GetDiskFreeSpaceVX", [](const CSupportLibrary& s, std::wstring&) { return s.GetDiskFreeSpaceVX(L"C:\\"); },
         L"Call GetDiskFreeSpaceVX(C:\\)", L"GetDiskFreeSpaceVX(C:\\)", 4242, L"", 0, L"", 0},
        {L"MyInstall",
         [item](const CSupportLibrary& s, std::wstring&) { return s.MyInstall(0, kRoot, item.c_str(), 1); },
         std::wstring(L"Call MyInstall(0,") + kRoot + L"," + item + L",1)",
         std::wstring(L"MyInstall(0|") + kRoot + L"|" + item + L"|1)", 2, L"", 0, L"", 0},
        // The crashing library's MyCreateShortCut works: no fault case.
        {L"MyCreateShortCut",
         [shortcut](const CSupportLibrary& s, std::wstring&) { return s.MyCreateShortCut(0, kRoot, shortcut.c_str()); },
         std::wstring(L"Call MyCreateShortCut(0,") + kRoot + L"," + shortcut + L")",
         std::wstring(L"MyCreateShortCut(0|") + kRoot + L"|" + shortcut + L")", 3, L"", 0, L"", std::nullopt},
        {L"PrintTestPage",
         [resource](const CSupportLibrary& s, std::wstring&) {
             return s.PrintTestPage(L"Quorvel QX-1", L"Hello", L"http://127.0.0.1/", resource.c_str(), L"logo.bmp");
         },
         L"Call PrintTestPage(Quorvel QX-1,Hello,http://127.0.0.1/," + resource + L",logo.bmp)",
         L"PrintTestPage(Quorvel QX-1|Hello|http://127.0.0.1/|" + resource + L"|logo.bmp)", 11, L"", -1, L"", -1},
        {L"MetaTestPage",
         [](const CSupportLibrary& s, std::wstring&) { return s.MetaTestPage(L"Quorvel QX-1", L"C:\\page.emf"); },
         L"Call MetaTestPage(Quorvel QX-1,C:\\page.emf)", L"MetaTestPage(Quorvel QX-1|C:\\page.emf)", 12, L"", -1, L"",
         -1},
        // Not printed is -1 here too, so that the system's test page is printed instead.
        {L"PrintPrnFile",
         [](const CSupportLibrary& s, std::wstring&) { return s.PrintPrnFile(L"Quorvel QX-1", L"C:\\page.prn"); },
         L"Call PrintPrnFile(Quorvel QX-1,C:\\page.prn)", L"PrintPrnFile(Quorvel QX-1|C:\\page.prn)", 13, L"", -1, L"",
         -1},
        {L"Diagnosis",
         [](const CSupportLibrary& s, std::wstring&) { return s.Diagnosis(L"Quorvel", L"Office", L"QX-1", kVidPid); },
         L"Call Diagnosis(Quorvel,Office,QX-1,VID_1234&PID_5678)", L"Diagnosis(Quorvel|Office|QX-1|VID_1234&PID_5678)",
         9, L"", 1, L"", 1},
        {L"DiagnosisEx",
         [](const CSupportLibrary& s, std::wstring&) {
             return s.DiagnosisEx(L"Quorvel", L"Office", L"QX-1", kVidPid, 0);
         },
         L"Call DiagnosisEx(Quorvel,Office,QX-1,VID_1234&PID_5678,0)",
         L"DiagnosisEx(Quorvel|Office|QX-1|VID_1234&PID_5678|0)", 10, L"", 1, L"", 1},
        {L"MyGetPrinterDesc",
         [](const CSupportLibrary& s, std::wstring& out) {
             std::vector<wchar_t> id(support_library::kDeviceIdLength, L'\0');
             const int result = s.MyGetPrinterDesc(L"127.0.0.20", id.data(), 0);
             out = id.data();
             return result;
         },
         L"Call MyGetPrinterDesc(127.0.0.20)", L"MyGetPrinterDesc(127.0.0.20|0)", 0, L"MFG:Quorvel;MDL:QX-N;", 4096,
         L"", 4096},
        {L"MyGetPrinterDescAdv",
         [](const CSupportLibrary& s, std::wstring& out) {
             std::vector<wchar_t> id(support_library::kDeviceIdLength, L'\0');
             const int result = s.MyGetPrinterDescAdv(L"127.0.0.20", id.data(), 1, L"public");
             out = id.data();
             return result;
         },
         L"Call MyGetPrinterDescAdv", L"MyGetPrinterDescAdv(127.0.0.20|1|public)", 0, L"MFG:Quorvel;MDL:QX-A;", 4096,
         L"MyGetPrinterDesc", 1},
        {L"MyGetIPX",
         [](const CSupportLibrary& s, std::wstring& out) {
             wchar_t ipx[support_library::kIpxAddressLength] = {};
             const int result = s.MyGetIPX(L"127.0.0.20", ipx);
             out = ipx;
             return result;
         },
         L"Call MyGetIPX(127.0.0.20)", L"MyGetIPX(127.0.0.20)", 14, L"00000001:001122334455", 0, L"", 0},
        // Non-zero is success: a crash must not count as one.
        {L"MyGetIPXAdv",
         [](const CSupportLibrary& s, std::wstring& out) {
             wchar_t ipx[support_library::kIpxAddressLength] = {};
             const int result = s.MyGetIPXAdv(L"127.0.0.20", ipx, L"public");
             out = ipx;
             return result;
         },
         L"Call MyGetIPXAdv", L"MyGetIPXAdv(127.0.0.20|public)", 15, L"00000002:001122334455", 0, L"MyGetIPX", 0},
        {L"MySetNetworkPortEx",
         [](const CSupportLibrary& s, std::wstring&) {
             return s.MySetNetworkPortEx(L"IP_127.0.0.20", L"127.0.0.20", L"00:11:22:33:44:55", L"", L"Quorvel Port",
                                         L"qport.dll", L"QuorvelNet", 1);
         },
         L"Call MySetNetworkPortEx(IP_127.0.0.20,127.0.0.20,00:11:22:33:44:55,,Quorvel Port,qport.dll,QuorvelNet,1)",
         L"MySetNetworkPortEx(IP_127.0.0.20|127.0.0.20|00:11:22:33:44:55||Quorvel Port|qport.dll|QuorvelNet|1)", 16,
         L"", 0, L"", 0},
        {L"MySetNetworkPortAdv",
         [](const CSupportLibrary& s, std::wstring&) {
             return s.MySetNetworkPortAdv(L"IP_127.0.0.20", L"127.0.0.20", L"00:11:22:33:44:55", L"", L"Quorvel Port",
                                          L"qport.dll", L"QuorvelNet", 1, L"public");
         },
         L"Call MySetNetworkPortAdv",
         L"MySetNetworkPortAdv(IP_127.0.0.20|127.0.0.20|00:11:22:33:44:55||Quorvel Port|qport.dll|QuorvelNet|1|public)",
         17, L"", 0, L"MySetNetworkPortEx", 0},
        {L"MyDelNetworkPort",
         [](const CSupportLibrary& s, std::wstring&) { return s.MyDelNetworkPort(L"IP_127.0.0.20", L"settings", 1); },
         L"Call MyDelNetworkPort(IP_127.0.0.20,settings,1)", L"MyDelNetworkPort(IP_127.0.0.20|settings|1)", 18, L"", 0,
         L"", 0},
        {L"SnmpDiscovery",
         [](const CSupportLibrary& s, std::wstring& out) {
             gDiscovered.clear();
             const int result = s.SnmpDiscovery(OnPrinterFound);
             out = Discovered();
             return result;
         },
         L"Call SnmpDiscovery()", L"SnmpDiscovery(callback)", 101,
         L"first|MFG:Quorvel;MDL:QX-N;|00:11:22:33:44:55|127.0.0.20|", 0, L"", 0},
        {L"SnmpDiscoveryAdv",
         [](const CSupportLibrary& s, std::wstring& out) {
             gDiscovered.clear();
             const int result = s.SnmpDiscoveryAdv(OnPrinterFound, L"public");
             out = Discovered();
             return result;
         },
         L"Call SnmpDiscoveryAdv", L"SnmpDiscoveryAdv(callback|public)", 101,
         L"first|MFG:Quorvel;MDL:QX-A;|00:11:22:33:44:66|127.0.0.21|::1", 0, L"SnmpDisvoery", 1},
        {L"GetNetPrinter",
         [](const CSupportLibrary& s, std::wstring& out) {
             DWORD size = 0;
             DWORD count = 0;
             const int result = s.GetNetPrinter(nullptr, &size, &count);
             out = std::to_wstring(size) + L"/" + std::to_wstring(count);
             return result;
         },
         L"Call GetNetPrinter", L"GetNetPrinter(<null>|0)", 0, L"260/2", 1, L"", 1},
        {L"SetIP",
         [](const CSupportLibrary& s, std::wstring&) {
             return s.SetIP(L"127.0.0.20", L"127.0.0.1", L"255.0.0.0", L"00:11:22:33:44:55");
         },
         L"Call SetIP(127.0.0.20,127.0.0.1,255.0.0.0,00:11:22:33:44:55)",
         L"SetIP(127.0.0.20|127.0.0.1|255.0.0.0|00:11:22:33:44:55)", 22, L"", 1, L"", 1},
        {L"Preinstall",
         [](const CSupportLibrary& s, std::wstring&) { return s.Preinstall(L"/P setup.dat /A EN", nullptr); },
         L"Call Preinstall(/P setup.dat /A EN,0)", L"Preinstall(/P setup.dat /A EN|0)", 21, L"", -1, L"", -1},
        {L"WSP_Start",
         [](const CSupportLibrary& s, std::wstring& out) {
             wchar_t address[support_library::kWirelessResultLength] = {};
             const int result = s.WSP_Start(L"EN", L"public", address, support_library::kWirelessResultLength);
             out = address;
             return result;
         },
         L"Call WSP_Start (" + medium + L"\\Data,Quorvel,QX-1,EN,1,public)",
         L"WSP_Start(" + medium + L"\\Data|Quorvel|QX-1|EN|1|public|520)", 0, L"127.0.0.30", 1, L"", 1},
    };
}

class SupportLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string name = info->name();
        medium_ = qs_test::TempDirectory() + L"qs-support-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                  std::wstring(name.begin(), name.end());
        qs_test::DeleteTree(medium_);
        CreateDirectoryW(medium_.c_str(), nullptr);
        log_ = std::make_unique<CLog>(medium_ + L"\\", L"setup.exe");
        SetGlobalLog(log_.get());
        context_.osDefine = L"WINXP";
        context_.SetVariable(L"OS_DIR", L"data");
        data_.SetContext(&context_);
    }
    void TearDown() override {
        support_.reset();
        SetGlobalLog(nullptr);
        log_.reset();
        qs_test::DeleteTree(medium_);
    }

    // Puts a built library (or any file) on the medium.
    void Put(const wchar_t* built, const std::wstring& relativePath) {
        const std::wstring target = medium_ + L"\\" + relativePath;
        MakeParents(target);
        ASSERT_TRUE(CopyFileW(BuiltLibrary(built).c_str(), target.c_str(), FALSE)) << GetLastError();
    }

    void LoadWith(const std::wstring& dataFile, const std::wstring& manufacturer = L"Quorvel",
                  const std::wstring& model = L"QX-1") {
        const std::wstring file = medium_ + L"\\setup.dat";
        ASSERT_TRUE(qs_test::WriteProfileFile(file, dataFile));
        ASSERT_TRUE(data_.Load(file.c_str(), file.c_str(), nullptr, false));
        SUPPORT_LIBRARY_SOURCE source;
        source.data = &data_;
        source.sourceDirectory = medium_;
        source.manufacturer = manufacturer;
        source.model = model;
        support_ = std::make_unique<CSupportLibrary>();
        EXPECT_TRUE(support_->Load(L"INSTALLER_FILE_INFO", source));
    }

    std::vector<std::wstring> Messages() const {
        qs_test::SetupLog log;
        qs_test::ReadSetupLog(log_->FilePath(), log);
        return log.messages;
    }

    // The messages logged since |from| messages were there.
    std::vector<std::wstring> MessagesSince(std::size_t from) const {
        const std::vector<std::wstring> all = Messages();
        return from < all.size() ? std::vector<std::wstring>(all.begin() + static_cast<std::ptrdiff_t>(from), all.end())
                                 : std::vector<std::wstring>();
    }

    // The calls a recording library on the medium has written down.
    std::vector<std::wstring> Calls(const std::wstring& relativePath) const {
        std::vector<std::wstring> lines;
        HANDLE file = CreateFileW((medium_ + L"\\" + relativePath + L".calls.txt").c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return lines;
        std::wstring text(GetFileSize(file, nullptr) / sizeof(wchar_t), L'\0');
        DWORD read = 0;
        ReadFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &read, nullptr);
        CloseHandle(file);
        for (std::size_t start = 0, end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2) {
            lines.push_back(text.substr(start, end - start));
        }
        return lines;
    }

    std::wstring medium_;
    std::unique_ptr<CLog> log_;
    CFixedConfigContext context_;
    CConfigReader data_;
    std::unique_ptr<CSupportLibrary> support_;
};

TEST_F(SupportLibraryTest, WithNoLibrariesOnTheMediumEveryKeyLogsItsFailureInOrder) {
    LoadWith(L"[INSTALLER_FILE_INFO]\r\nVERSION=1\r\n");
    const std::wstring m = medium_;
    const std::vector<std::wstring> expected = {
        L"(" + m + L"\\data\\Vxrun.dll) file does not exist.",   L"Load installer DLL fail ()",
        L"(" + m + L"\\data\\Vxutil.dll) file does not exist.",  L"Load Utility DLL fail ()",
        L"(" + m + L"\\data\\Vxrmtint.dll) file does not exist.", L"Load Remote DLL fail ()",
        L"(" + m + L"\\data\\Vxdiag.dll) file does not exist.",  L"Load Diagnosis DLL fail ()",
        L"(" + m + L"\\data\\Vxdiag.dll) file does not exist.",  L"Load TestPage DLL fail ()",
        L"(" + m + L"\\data\\VxNetMan.dll) file does not exist.", L"Get network Netmanager DLL fail",
        L"(" + m + L"\\VXres.dll) file does not exist.",         L"Load Resource DLL fail ()",
        L"(" + m + L"\\data\\VXDelAll.exe) file does not exist.", L"(" + m + L"\\data\\Vxopen.exe) file does not exist.",
        L"(" + m + L"\\data\\VXpre.dll) file does not exist.",   L"",
        L"(" + m + L"\\data\\Setip.dll) file does not exist.",   L"Load SetIP DLL fail ()",
        L"(" + m + L"\\data\\Setup\\Bin\\vxwsp.dll) file does not exist.", L"Load WSP DLL fail ()",
    };
    // Each load failure is followed by the system's text for "file not found".
    std::vector<std::wstring> messages;
    std::size_t errorLines = 0;
    for (const std::wstring& message : Messages()) {
        if (message.rfind(L"Error Code = 2 :", 0) == 0) {
            ++errorLines;
        } else {
            messages.push_back(message);
        }
    }
    EXPECT_EQ(messages, expected);
    EXPECT_EQ(errorLines, 9u);

    for (unsigned i = 0; i < static_cast<unsigned>(CSupportLibrary::Library::kCount); ++i) {
        EXPECT_FALSE(support_->IsLoaded(static_cast<CSupportLibrary::Library>(i))) << i;
    }
    EXPECT_EQ(support_->ResourceModule(), nullptr);
    EXPECT_EQ(support_->ResourceLibraryPath(), L"");
    EXPECT_EQ(support_->NetworkLibraryPath(), L"");
    EXPECT_EQ(support_->UninstallerPath(), L"");
    EXPECT_EQ(support_->DocumentOpenerPath(), L"");
    EXPECT_EQ(support_->WirelessSetupDirectory(), medium_ + L"\\Data");
}

TEST_F(SupportLibraryTest, WithNoLibrariesEveryWrapperLogsNullAndGivesItsMissingResult) {
    LoadWith(L"[INSTALLER_FILE_INFO]\r\n");
    for (const ENTRY_CASE& c : EntryCases(medium_)) {
        const std::size_t before = Messages().size();
        std::wstring out;
        EXPECT_EQ(c.call(*support_, out), c.missing) << c.name;
        // The discovery's line has always spelt its name so.
        const std::wstring nullName = c.name == L"SnmpDiscovery" ? L"SnmpDisvoery" : c.name;
        std::vector<std::wstring> expected = {L"Call " + nullName + L" ==> NULL"};
        if (!c.fallback.empty()) expected.push_back(L"Call " + c.fallback + L" ==> NULL");
        EXPECT_EQ(MessagesSince(before), expected) << c.name;
    }
    // No device: the outputs say so, whatever the caller had in them.
    wchar_t port[260] = L"LPT1:";
    DWORD count = 3;
    EXPECT_FALSE(support_->GetDevicePort(L"Quorvel", L"QX-1", kVidPid, port, &count));
    EXPECT_STREQ(port, L"");
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(support_->DoRemoteInstallEntry(), nullptr);
}

TEST_F(SupportLibraryTest, ArgumentsReachTheLibraryInOrderAndItsResultsComeBack) {
    Put(L"RecordingLibrary.dll", L"data\\Recording.dll");
    LoadWith(EveryLibraryAt(L".\\data\\Recording.dll"));
    for (const ENTRY_CASE& c : EntryCases(medium_)) {
        const std::size_t before = Messages().size();
        std::wstring out;
        EXPECT_EQ(c.call(*support_, out), c.recorded) << c.name;
        EXPECT_EQ(out, c.out) << c.name;
        const std::vector<std::wstring> calls = Calls(L"data\\Recording.dll");
        ASSERT_FALSE(calls.empty()) << c.name;
        EXPECT_EQ(calls.back(), c.record);
        EXPECT_EQ(MessagesSince(before),
                  c.callLine.empty() ? std::vector<std::wstring>{} : std::vector<std::wstring>{c.callLine})
            << c.name;
    }

    // The remote-install worker calls its entry point itself.
    const support_library::DoRemoteInstallProc remote = support_->DoRemoteInstallEntry();
    ASSERT_NE(remote, nullptr);
    support_library::REMOTE_INSTALL_RECORD record{};
    const auto set = [](wchar_t(&field)[support_library::kRemoteFieldLength], const wchar_t* text) {
        wcscpy(field, text);
    };
    set(record.computer, L"127.0.0.40");
    set(record.userName, L"admin");
    set(record.password, L"secret");
    set(record.domain, L"WORKGROUP");
    set(record.sourceDirectory, L"D:\\Setup");
    set(record.registryFile, L"C:\\Temp\\RtReg.reg");
    set(record.commandLine, L"setup.exe /Remote");
    EXPECT_EQ(remote(&record), 8);
    EXPECT_EQ(Calls(L"data\\Recording.dll").back(),
              L"DoRemoteInstall(127.0.0.40||admin|secret|WORKGROUP|D:\\Setup|C:\\Temp\\RtReg.reg|setup.exe /Remote)");
}

TEST_F(SupportLibraryTest, WSP_StartGetsItsTextsCutTo519Characters) {
    Put(L"RecordingLibrary.dll", L"data\\Setup\\Bin\\vxwsp.dll");
    LoadWith(L"[INSTALLER_FILE_INFO]\r\n", std::wstring(600, L'm'), std::wstring(520, L'n'));
    wchar_t address[support_library::kWirelessResultLength] = {};
    EXPECT_EQ(support_->WSP_Start(std::wstring(1000, L'x').c_str(), L"public", address,
                                  support_library::kWirelessResultLength),
              0);
    EXPECT_EQ(Calls(L"data\\Setup\\Bin\\vxwsp.dll").back(),
              L"WSP_Start(" + medium_ + L"\\Data|" + std::wstring(519, L'm') + L"|" + std::wstring(519, L'n') + L"|" +
                  std::wstring(519, L'x') + L"|1|public|520)");
    EXPECT_STREQ(address, L"127.0.0.30");
}

TEST_F(SupportLibraryTest, AFaultInsideMyInstallIsSurvivedThreeTimesInARow) {
    Put(L"FaultyLibrary.dll", L"data\\Vxrun.dll");
    LoadWith(L"[INSTALLER_FILE_INFO]\r\n");
    const std::wstring item = std::wstring(kRoot) + L"\\Items\\Printer Driver";
    const std::size_t before = Messages().size();
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(support_->MyInstall(0, kRoot, item.c_str(), 0), 0) << round;
    }
    const std::wstring call = std::wstring(L"Call MyInstall(0,") + kRoot + L"," + item + L",0)";
    const std::vector<std::wstring> expected = {call, L"Call MyInstall() ==> GPF!!!!", call,
                                                L"Call MyInstall() ==> GPF!!!!", call, L"Call MyInstall() ==> GPF!!!!"};
    EXPECT_EQ(MessagesSince(before), expected);

    // Afterwards the library's working entry point answers, and C++ exceptions still work.
    EXPECT_EQ(support_->MyCreateShortCut(0, kRoot, L"Shortcut"), 7);
    EXPECT_THROW(throw std::runtime_error("after the faults"), std::runtime_error);
}

TEST_F(SupportLibraryTest, EveryWrapperSurvivesACrashingLibraryAndGivesItsFaultResult) {
    Put(L"FaultyLibrary.dll", L"data\\Faulty.dll");
    LoadWith(EveryLibraryAt(L".\\data\\Faulty.dll"));
    for (const ENTRY_CASE& c : EntryCases(medium_)) {
        if (!c.fault) continue;
        const std::size_t before = Messages().size();
        std::wstring out;
        EXPECT_EQ(c.call(*support_, out), *c.fault) << c.name;
        std::vector<std::wstring> expected;
        if (!c.callLine.empty()) expected.push_back(c.callLine);
        expected.push_back(L"Call " + c.name + L"() ==> GPF!!!!");
        EXPECT_EQ(MessagesSince(before), expected) << c.name;
    }
    // What the library wrote before crashing is not taken for an answer.
    wchar_t port[260] = L"LPT1:";
    DWORD count = 3;
    EXPECT_FALSE(support_->GetDevicePort(L"Quorvel", L"QX-1", kVidPid, port, &count));
    EXPECT_STREQ(port, L"");
    EXPECT_EQ(count, 0u);
}

TEST_F(SupportLibraryTest, AdvFormsMissingFallBackToThePlainForms) {
    Put(L"PlainNetworkLibrary.dll", L"data\\VxNetMan.dll");
    LoadWith(L"[INSTALLER_FILE_INFO]\r\n");
    struct FALLBACK_CASE {
        std::function<long long(wchar_t* buffer)> call;
        std::vector<std::wstring> lines;
        std::wstring record;
        long long result;
    };
    const FALLBACK_CASE cases[] = {
        {[&](wchar_t* buffer) { return support_->MyGetPrinterDescAdv(L"127.0.0.20", buffer, 1, L"public"); },
         {L"Call MyGetPrinterDescAdv ==> NULL", L"Call MyGetPrinterDesc(127.0.0.20)"},
         L"MyGetPrinterDesc(127.0.0.20|0)", 0},
        {[&](wchar_t* buffer) { return support_->MyGetIPXAdv(L"127.0.0.20", buffer, L"public"); },
         {L"Call MyGetIPXAdv ==> NULL", L"Call MyGetIPX(127.0.0.20)"}, L"MyGetIPX(127.0.0.20)", 14},
        {[&](wchar_t*) {
             return support_->MySetNetworkPortAdv(L"IP_127.0.0.20", L"127.0.0.20", L"mac", L"ipx", L"Quorvel Port",
                                                  L"qport.dll", L"QuorvelNet", 0, L"public");
         },
         {L"Call MySetNetworkPortAdv ==> NULL",
          L"Call MySetNetworkPortEx(IP_127.0.0.20,127.0.0.20,mac,ipx,Quorvel Port,qport.dll,QuorvelNet,0)"},
         L"MySetNetworkPortEx(IP_127.0.0.20|127.0.0.20|mac|ipx|Quorvel Port|qport.dll|QuorvelNet|0)", 16},
        {[&](wchar_t*) { return support_->SnmpDiscoveryAdv(OnPrinterFound, L"public"); },
         {L"Call SnmpDiscoveryAdv ==> NULL", L"Call SnmpDiscovery()"}, L"SnmpDiscovery(callback)", 101},
    };
    for (const FALLBACK_CASE& c : cases) {
        const std::size_t before = Messages().size();
        std::vector<wchar_t> buffer(support_library::kDeviceIdLength, L'\0');
        EXPECT_EQ(c.call(buffer.data()), c.result) << c.record;
        EXPECT_EQ(MessagesSince(before), c.lines);
        EXPECT_EQ(Calls(L"data\\VxNetMan.dll").back(), c.record);
    }
}

TEST_F(SupportLibraryTest, TheDefaultPathsFindEveryLibraryAndProgramOnTheMedium) {
    for (const wchar_t* path : {L"data\\Vxrun.dll", L"data\\Vxutil.dll", L"data\\Vxrmtint.dll", L"data\\Vxdiag.dll",
                                L"data\\VxNetMan.dll", L"VXres.dll", L"data\\VXpre.dll", L"data\\Setip.dll",
                                L"data\\Setup\\Bin\\vxwsp.dll"}) {
        Put(L"RecordingLibrary.dll", path);
    }
    Put(L"support_tests.exe", L"data\\VXDelAll.exe");
    Put(L"support_tests.exe", L"data\\Vxopen.exe");
    const std::size_t before = Messages().size();
    LoadWith(L"[INSTALLER_FILE_INFO]\r\n");
    EXPECT_EQ(MessagesSince(before), std::vector<std::wstring>{});

    for (unsigned i = 0; i < static_cast<unsigned>(CSupportLibrary::Library::kCount); ++i) {
        EXPECT_TRUE(support_->IsLoaded(static_cast<CSupportLibrary::Library>(i))) << i;
    }
    EXPECT_EQ(support_->ResourceModule(), GetModuleHandleW((medium_ + L"\\VXres.dll").c_str()));
    EXPECT_EQ(support_->ResourceLibraryPath(), medium_ + L"\\VXres.dll");
    EXPECT_EQ(support_->NetworkLibraryPath(), medium_ + L"\\data\\VxNetMan.dll");
    EXPECT_EQ(support_->UninstallerPath(), medium_ + L"\\data\\VXDelAll.exe");
    EXPECT_EQ(support_->DocumentOpenerPath(), medium_ + L"\\data\\Vxopen.exe");
    EXPECT_EQ(support_->WirelessSetupDirectory(), medium_ + L"\\Data");

    // The test pages come from the diagnosis library.
    EXPECT_EQ(support_->MetaTestPage(L"Office", L"page.emf"), 12);
    EXPECT_EQ(Calls(L"data\\Vxdiag.dll").back(), L"MetaTestPage(Office|page.emf)");
}

TEST_F(SupportLibraryTest, KeysComeFromTheSystemsVariantThenTheSectionThenTheDefault) {
    Put(L"RecordingLibrary.dll", L"data\\Recording.dll");
    Put(L"support_tests.exe", L"data\\Remove.exe");
    LoadWith(
        L"[INSTALLER_FILE_INFO]\r\n"
        L"INSTALLER_DLL=.\\data\\Missing.dll\r\n"
        L"UTILITY_DLL=.\\$OS_DIR$\\Recording.dll\r\n"
        L"DIAGNOSIS_DLL=.\\data\\Recording.dll\r\n"
        L"SETIP_DLL=.\\data\\NoSetIp.dll\r\n"
        L"UNINSTALLER_EXE=.\\data\\Remove.exe\r\n"
        L"[INSTALLER_FILE_INFO.WINXP]\r\n"
        L"INSTALLER_DLL=.\\data\\Recording.dll\r\n"
        L"VXOPEN_EXE=.\\data\\Nowhere.exe\r\n"
        L"WSP_DIR=..\\Wireless\r\n");
    const std::vector<std::wstring> messages = Messages();
    const auto has = [&](const std::wstring& m) { return std::find(messages.begin(), messages.end(), m) != messages.end(); };

    // The variant's value wins; the section's value is taken when the variant has none.
    EXPECT_EQ(support_->MyInstall(0, kRoot, L"Item", 0), 2);
    EXPECT_FALSE(has(L"(" + medium_ + L"\\data\\Missing.dll) file does not exist."));
    EXPECT_TRUE(support_->SystemRefresh(L"QuorvelQX-1", kVidPid));  // path variables expanded
    EXPECT_EQ(support_->UninstallerPath(), medium_ + L"\\data\\Remove.exe");
    // No TESTPAGE_DLL anywhere: the diagnosis library's path.
    EXPECT_EQ(support_->PrintPrnFile(L"Office", L"page.prn"), 13);
    EXPECT_EQ(Calls(L"data\\Recording.dll").back(), L"PrintPrnFile(Office|page.prn)");
    // A directory need not exist; ".." is the source directory's parent.
    EXPECT_EQ(support_->WirelessSetupDirectory(), medium_.substr(0, medium_.find_last_of(L'\\')) + L"\\Wireless");

    // A configured file that does not exist: its line, then the load failure with an empty path.
    const auto setIp = std::find(messages.begin(), messages.end(),
                                 L"(" + medium_ + L"\\data\\NoSetIp.dll) file does not exist.");
    ASSERT_NE(setIp, messages.end());
    ASSERT_NE(setIp + 1, messages.end());
    EXPECT_EQ(*(setIp + 1), L"Load SetIP DLL fail ()");
    EXPECT_TRUE(has(L"(" + medium_ + L"\\data\\Nowhere.exe) file does not exist."));
    EXPECT_EQ(support_->DocumentOpenerPath(), L"");
}

TEST_F(SupportLibraryTest, PathsLongerThan259CharactersAreKeptCut) {
    std::wstring directory = medium_ + L"\\long";
    while (directory.size() < 300) directory += L"\\" + std::wstring(40, L'd');
    for (std::size_t pos = directory.find(L'\\', medium_.size() + 1); pos != std::wstring::npos;
         pos = directory.find(L'\\', pos + 1)) {
        CreateDirectoryW((L"\\\\?\\" + directory.substr(0, pos)).c_str(), nullptr);
    }
    ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + directory).c_str(), nullptr)) << GetLastError();
    const std::wstring library = directory + L"\\Recording.dll";
    const std::wstring program = directory + L"\\Remove.exe";
    ASSERT_TRUE(CopyFileW(BuiltLibrary(L"RecordingLibrary.dll").c_str(), (L"\\\\?\\" + library).c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(BuiltLibrary(L"support_tests.exe").c_str(), (L"\\\\?\\" + program).c_str(), FALSE));

    LoadWith(L"[INSTALLER_FILE_INFO]\r\n"
             L"INSTALLER_DLL=" + directory + L"\\Missing.dll\r\n"
             L"NETWORKMAN_DLL=" + library + L"\r\n"
             L"RESOURCE_DLL=" + library + L"\r\n"
             L"UNINSTALLER_EXE=" + program + L"\r\n"
             L"WSP_DIR=" + directory + L"\r\n");

    EXPECT_EQ(support_->ResourceLibraryPath(), library.substr(0, 259));
    EXPECT_EQ(support_->NetworkLibraryPath(), library.substr(0, 259));
    EXPECT_EQ(support_->UninstallerPath(), program.substr(0, 259));
    EXPECT_EQ(support_->WirelessSetupDirectory(), directory.substr(0, 259));
    const std::vector<std::wstring> messages = Messages();
    const auto has = [&](const std::wstring& m) { return std::find(messages.begin(), messages.end(), m) != messages.end(); };
    EXPECT_TRUE(has(L"RESOURCE_DLL path longer than 259 characters, kept cut (" + library + L")"));
    EXPECT_TRUE(has(L"WSP_DIR path longer than 259 characters, kept cut (" + directory + L")"));
    EXPECT_TRUE(has(L"(" + directory + L"\\Missing.dll) file does not exist."));
    EXPECT_TRUE(has(L"Load installer DLL fail ()"));
    // The library itself was loaded from its whole path.
    EXPECT_TRUE(support_->IsLoaded(CSupportLibrary::Library::kResource));
    EXPECT_EQ(support_->MyDelNetworkPort(L"IP_127.0.0.20", L"settings", 0), 18);
}

TEST_F(SupportLibraryTest, DestroyingTheObjectReleasesEveryLibrary) {
    Put(L"RecordingLibrary.dll", L"data\\Recording.dll");
    LoadWith(EveryLibraryAt(L".\\data\\Recording.dll"));
    const std::wstring path = medium_ + L"\\data\\Recording.dll";
    ASSERT_NE(GetModuleHandleW(path.c_str()), nullptr);
    support_.reset();
    EXPECT_EQ(GetModuleHandleW(path.c_str()), nullptr);
}

}  // namespace
