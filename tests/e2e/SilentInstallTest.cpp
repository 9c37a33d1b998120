// setup.exe without pages on the example medium: it installs the printer
// driver and printer, the status monitor through its own installer, the
// copies, shortcuts and the entry in the list of installed programs; it
// reinstalls; and a removal followed by a restart leaves files, registry and
// printers as they were. Failures end with 1603 and leave nothing behind that
// a removal cannot find. The printer it installs prints a page of the size
// its PPD names, rendered by ghostscript. Every case runs in a prefix of its
// own.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>
#include <shlobj.h>
#include <winspool.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <memory>
#include <sstream>
#include <type_traits>
#include <vector>

#include "HostFolder.h"
#include "LogReader.h"
#include "MachineState.h"
#include "Medium.h"
#include "Process.h"
#include "RegistrySnapshot.h"
#include "RenderedPage.h"
#include "SetupRun.h"
#include "TestPrinters.h"

namespace {

using namespace qs_test;

const std::wstring kProduct = L"HKLM\\Software\\Quorvel\\Quorvel LX-3200 Series Printer Software";
const std::wstring kDriver = L"Quorvel LX-3200 Series PS";
const std::wstring kUninstall = L"HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const std::wstring kProductEntry = kUninstall + L"Quorvel LX-3200 Series Printer Software";
const std::wstring kMonitorEntry = kUninstall + L"QvStatusMonitor";
const std::wstring kMonitorKey = L"HKLM\\Software\\Quorvel\\Status Monitor";
const std::wstring kDestination = L"C:\\Program Files\\Quorvel\\LX-3200 Series";
const wchar_t kPrinterSuccess[] = L" Quorvel LX-3200 Series PS printer driver Installation/ReInstallation/Uninstallation ==> Success";
const wchar_t kMonitorSuccess[] = L" Quorvel Status Monitor Installation/ReInstallation/Uninstallation ==> Success";
const wchar_t kMonitorFail[] = L" Quorvel Status Monitor Installation/ReInstallation/Uninstallation ==> Fail";

std::wstring WindowsPath(std::wstring path) {
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return L"Z:" + path;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

struct PrinterFacts {
    std::wstring name, port, driver;
};

// The local printers whose driver is |driver|.
std::vector<PrinterFacts> PrintersOf(const std::wstring& driver) {
    std::vector<PrinterFacts> found;
    DWORD needed = 0, count = 0;
    EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    if (needed == 0) return found;
    std::vector<BYTE> block(needed);
    if (!EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, block.data(), needed, &needed, &count)) return found;
    const auto* printers = reinterpret_cast<const PRINTER_INFO_2W*>(block.data());
    for (DWORD i = 0; i < count; ++i) {
        if (driver == printers[i].pDriverName)
            found.push_back({printers[i].pPrinterName, printers[i].pPortName, printers[i].pDriverName});
    }
    return found;
}

bool DriverInstalled(const std::wstring& driver) {
    DWORD needed = 0, count = 0;
    EnumPrinterDriversW(nullptr, nullptr, 3, nullptr, 0, &needed, &count);
    if (needed == 0) return false;
    std::vector<BYTE> block(needed);
    if (!EnumPrinterDriversW(nullptr, nullptr, 3, block.data(), needed, &needed, &count)) return false;
    const auto* drivers = reinterpret_cast<const DRIVER_INFO_3W*>(block.data());
    for (DWORD i = 0; i < count; ++i)
        if (driver == drivers[i].pName) return true;
    return false;
}

std::wstring DefaultPrinter() {
    wchar_t name[512] = {};
    DWORD size = 512;
    return GetDefaultPrinterW(name, &size) ? name : L"";
}

// The uninstaller that a removal starts waits for setup to end, then removes
// the install directory: wait for every copy of it (with a time limit).
void WaitForUninstallers() {
    std::vector<HANDLE> running;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    ASSERT_NE(snapshot, INVALID_HANDLE_VALUE);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (lstrcmpiW(entry.szExeFile, L"VXDelAll.exe") != 0 && lstrcmpiW(entry.szExeFile, L"UnInstEE.exe") != 0)
            continue;
        if (HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID)) running.push_back(process);
    }
    CloseHandle(snapshot);
    for (HANDLE process : running) {
        EXPECT_EQ(WaitForSingleObject(process, 90000), WAIT_OBJECT_0) << "the uninstaller ended";
        CloseHandle(process);
    }
}

// Runs setup.exe with |arguments| on |medium| and reads its log.
SetupRun Install(const std::wstring& medium, const std::wstring& arguments) {
    SetupRun run = RunSetup(medium, arguments);
    EXPECT_TRUE(run.finished) << std::string(arguments.begin(), arguments.end());
    EXPECT_TRUE(run.oneNewLog);
    return run;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// The example medium with its setup.dat changed: each pair replaces the first
// occurrence of its text.
std::wstring MediumWith(const std::wstring& name, const std::vector<std::pair<std::wstring, std::wstring>>& changes,
                        std::vector<OverlayFile> more = {}) {
    more.push_back({L"setup.dat", StagedProfileWith(L"setup.dat", changes), FileKind::Profile});
    return MakeMedium(name, more);
}

// A page size of a PPD, in points.
struct PaperSize {
    std::string name;
    int width = 0;
    int height = 0;
};

// The default page size of the PPD text |ppd|: its "*DefaultPageSize" key and
// the "*PaperDimension" of that key. Lines of a PPD:
//   *DefaultPageSize: <key>
//   *PaperDimension <key>[/<translation>]: "<width> <height>"
// False when either line is missing or malformed.
bool DefaultPaperSize(const std::string& ppd, PaperSize& size) {
    std::istringstream lines(ppd);
    std::string line;
    std::vector<std::string> dimensions;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string defaultKey = "*DefaultPageSize:";
        if (line.compare(0, defaultKey.size(), defaultKey) == 0) {
            std::istringstream value(line.substr(defaultKey.size()));
            value >> size.name;
        } else if (line.compare(0, 16, "*PaperDimension ") == 0) {
            dimensions.push_back(line.substr(16));
        }
    }
    if (size.name.empty()) return false;
    for (const std::string& dimension : dimensions) {
        const std::size_t end = dimension.find_first_of("/:");
        if (end == std::string::npos || dimension.substr(0, end) != size.name) continue;
        const std::size_t quote = dimension.find('"', end);
        if (quote == std::string::npos) return false;
        std::istringstream numbers(dimension.substr(quote + 1));
        return static_cast<bool>(numbers >> size.width >> size.height) && size.width > 0 && size.height > 0;
    }
    return false;
}

struct ClosePrinterHandle {
    void operator()(HANDLE printer) const { ClosePrinter(printer); }
};
using PrinterHandle = std::unique_ptr<void, ClosePrinterHandle>;
struct DeleteDeviceContext {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
using DeviceContext = std::unique_ptr<std::remove_pointer<HDC>::type, DeleteDeviceContext>;

PrinterHandle OpenPrinterFor(const std::wstring& printer, ACCESS_MASK access) {
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, access};
    HANDLE opened = nullptr;
    if (!OpenPrinterW(const_cast<wchar_t*>(printer.c_str()), &opened, &defaults)) return PrinterHandle();
    return PrinterHandle(opened);
}

// The path of the installed driver's data file (the PPD) of |printer|.
std::wstring DriverDataFile(const std::wstring& printer) {
    const PrinterHandle opened = OpenPrinterFor(printer, PRINTER_ACCESS_USE);
    if (!opened) return L"";
    DWORD needed = 0;
    GetPrinterDriverW(opened.get(), nullptr, 2, nullptr, 0, &needed);
    if (needed == 0) return L"";
    std::vector<BYTE> block(needed);
    if (!GetPrinterDriverW(opened.get(), nullptr, 2, block.data(), needed, &needed)) return L"";
    const auto* driver = reinterpret_cast<const DRIVER_INFO_2W*>(block.data());
    return driver->pDataFile != nullptr ? driver->pDataFile : L"";
}

// Moves |printer| to the port |port|. 0 or the system's error.
DWORD SetPrinterPort(const std::wstring& printer, const std::wstring& port) {
    const PrinterHandle opened = OpenPrinterFor(printer, PRINTER_ALL_ACCESS);
    if (!opened) return GetLastError();
    DWORD needed = 0;
    GetPrinterW(opened.get(), 2, nullptr, 0, &needed);
    if (needed == 0) return GetLastError();
    std::vector<BYTE> block(needed);
    if (!GetPrinterW(opened.get(), 2, block.data(), needed, &needed)) return GetLastError();
    auto* info = reinterpret_cast<PRINTER_INFO_2W*>(block.data());
    std::wstring portName = port;
    info->pPortName = &portName[0];
    info->pSecurityDescriptor = nullptr;
    if (!SetPrinterW(opened.get(), 2, block.data(), 0)) return GetLastError();
    return ERROR_SUCCESS;
}

// Prints one page with a framed rectangle and a line of text on |printer|
// through GDI. An empty text, or what failed.
std::string PrintOnePage(const std::wstring& printer) {
    const DeviceContext dc(CreateDCW(nullptr, printer.c_str(), nullptr, nullptr));
    if (!dc) return "CreateDCW failed with " + std::to_string(GetLastError());
    DOCINFOW document = {};
    document.cbSize = sizeof document;
    document.lpszDocName = L"One page";
    if (StartDocW(dc.get(), &document) <= 0) return "StartDocW failed with " + std::to_string(GetLastError());
    if (StartPage(dc.get()) <= 0) return "StartPage failed with " + std::to_string(GetLastError());
    const int dpiX = GetDeviceCaps(dc.get(), LOGPIXELSX);
    const int dpiY = GetDeviceCaps(dc.get(), LOGPIXELSY);
    const HGDIOBJ oldBrush = SelectObject(dc.get(), GetStockObject(BLACK_BRUSH));
    const BOOL drawn = Rectangle(dc.get(), dpiX, dpiY, 3 * dpiX, 2 * dpiY);
    SelectObject(dc.get(), oldBrush);
    if (!drawn) return "Rectangle failed with " + std::to_string(GetLastError());
    const wchar_t text[] = L"Quorvel LX-3200 Series PS";
    TextOutW(dc.get(), dpiX, 3 * dpiY, text, static_cast<int>(wcslen(text)));
    if (EndPage(dc.get()) <= 0) return "EndPage failed with " + std::to_string(GetLastError());
    if (EndDoc(dc.get()) <= 0) return "EndDoc failed with " + std::to_string(GetLastError());
    return "";
}

// Waits (with a time limit) until |path| holds a whole PostScript document.
bool WaitForPostScript(const std::wstring& path, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 100) {
        if (ReadFileBytes(path).find("%%EOF") != std::string::npos) return true;
        Sleep(100);
    }
    return false;
}

TEST(SilentInstall, InstallRepairAndRemovalLeaveTheMachineAsItWas) {
    const std::wstring medium = MakeMedium(L"example");
    ASSERT_FALSE(medium.empty());
    const MachineState before = MachineState::Take();

    SetupRun run = Install(medium, L"/S");
    EXPECT_EQ(run.exitCode, 0u) << Narrow(run.log.Normalised());
    EXPECT_TRUE(run.log.Contains(kPrinterSuccess)) << Narrow(run.log.Normalised());
    EXPECT_TRUE(run.log.Contains(kMonitorSuccess));
    EXPECT_TRUE(run.log.Contains(L"Printer was installed"));
    EXPECT_TRUE(run.log.Contains(L"Save Installed Registry Key"));
    const std::vector<PrinterFacts> printers = PrintersOf(kDriver);
    ASSERT_EQ(printers.size(), 1u);
    EXPECT_EQ(printers[0].name, kDriver);
    EXPECT_EQ(DefaultPrinter(), kDriver);
    EXPECT_TRUE(Exists(kDestination + L"\\Install\\setup.exe")) << "the medium's copy for maintenance";
    EXPECT_TRUE(Exists(kDestination + L"\\StatusMonitor\\QvStatus.exe"));
    const RegistrySnapshot installed = RegistrySnapshot::Take(L"HKLM\\Software");
    EXPECT_EQ(installed.Value(kProductEntry, L"DisplayName"), L"\"Quorvel LX-3200 Series Printer Software\"");
    EXPECT_TRUE(installed.HasKey(kMonitorEntry));
    EXPECT_EQ(installed.Value(kProduct + L"\\Installed\\Items\\QV_PS_DRIVER", L"InstallNow"), L"dword:00000002");
    EXPECT_FALSE(installed.HasKey(kProduct + L"\\Installing")) << "the run's records were carried over";
    for (const wchar_t* shortcut : {L"SC_MAINTENANCE", L"SC_UNINSTALL"}) {
        std::wstring path = installed.Value(kProduct + L"\\Installed\\Shortcut\\" + shortcut, L"Shortcut_Path");
        ASSERT_GT(path.size(), 2u) << Narrow(shortcut);
        path = path.substr(1, path.size() - 2);
        for (std::size_t at; (at = path.find(L"\\\\")) != std::wstring::npos;) path.erase(at, 1);
        EXPECT_TRUE(Exists(path)) << Narrow(path);
    }

    run = Install(medium, L"/R /S");
    EXPECT_EQ(run.exitCode, 0u) << Narrow(run.log.Normalised());
    EXPECT_EQ(PrintersOf(kDriver).size(), 1u) << "one printer of the product";
    const RegistrySnapshot repaired = RegistrySnapshot::Take(L"HKLM\\Software");
    EXPECT_EQ(repaired.Value(kMonitorKey, L"RepairCount"), L"dword:00000001") << "the utility's repair ran";
    EXPECT_TRUE(repaired.HasKey(kProductEntry));

    run = Install(medium, L"/U /S");
    EXPECT_EQ(run.exitCode, 0u) << Narrow(run.log.Normalised());
    WaitForUninstallers();
    EXPECT_TRUE(PrintersOf(kDriver).empty());
    EXPECT_FALSE(DriverInstalled(kDriver));
    const RunResult restart = RunProgram(L"wineboot.exe -r", L"", 120000);
    EXPECT_TRUE(restart.finished);
    EXPECT_EQ(MachineState::Diff(before, MachineState::Take()), std::vector<std::wstring>{});
}

TEST(SilentInstall, ASettingFileChoosesPortDefaultAndReinstallation) {
    const struct {
        const wchar_t* name;
        const wchar_t* setting;
        const wchar_t* port;      // the printer's port
        bool isDefault;
        const wchar_t* logged;    // a line the run logs
    } cases[] = {
        {L"port-lpt2", L"[INSTALL]\r\nSILENT=1\r\nDEFAULT =0\r\nPORT=LPT2:\r\n", L"LPT2:", false, L"Set Printer Port : LPT2:"},
        {L"empty-port", L"[INSTALL]\r\nSILENT=1\r\nPORT=\r\n", L"LPT1:", true, L"Set Printer Port : LPT1:"},
        {L"garbage", L"[INSTALL]\r\nSILENT=1\r\nREINST=yes\r\nDEFAULT =first\r\n", L"LPT1:", true,
         L"Setting file : [INSTALL] DEFAULT  = [first] is not a number, passed over"},
        {L"address", L"[INSTALL]\r\nSILENT=1\r\nPORT=127.0.0.5\r\n", nullptr, true,
         L"Set Printer Port : no network port library in this build, no port for [127.0.0.5]"},
    };
    for (const auto& c : cases) {
        const std::wstring medium = MakeMedium(c.name, {{L"Config.ini", c.setting, FileKind::Ansi}});
        ASSERT_FALSE(medium.empty()) << Narrow(c.name);
        const SetupRun run = Install(medium, L"");
        EXPECT_EQ(run.exitCode, 0u) << Narrow(c.name) << "\n" << Narrow(run.log.Normalised());
        EXPECT_TRUE(run.log.Contains(c.logged)) << Narrow(c.name) << "\n" << Narrow(run.log.Normalised());
        const std::vector<PrinterFacts> printers = PrintersOf(kDriver);
        ASSERT_EQ(printers.size(), 1u) << Narrow(c.name);
        if (c.port != nullptr) {
            EXPECT_EQ(printers[0].port, c.port) << Narrow(c.name);
        }
        EXPECT_EQ(DefaultPrinter() == kDriver, c.isDefault) << Narrow(c.name);

        const SetupRun removal = Install(medium, L"/U /S");
        EXPECT_EQ(removal.exitCode, 0u) << Narrow(c.name) << "\n" << Narrow(removal.log.Normalised());
        WaitForUninstallers();
        EXPECT_TRUE(PrintersOf(kDriver).empty()) << Narrow(c.name);
    }
}

TEST(SilentInstall, AFailingComponentIsLoggedTheOthersInstallAndTheRunEndsWith1603) {
    const std::wstring medium = MediumWith(L"failing", {{L"INST_PARAM = /S\n", L"INST_PARAM = /FAIL7\n"}});
    SetupRun run = Install(medium, L"/S");
    EXPECT_EQ(run.exitCode, 1603u);
    EXPECT_TRUE(run.log.Contains(kMonitorFail)) << Narrow(run.log.Normalised());
    EXPECT_TRUE(run.log.Contains(kPrinterSuccess));
    EXPECT_EQ(PrintersOf(kDriver).size(), 1u);

    // The removal still removes what was installed.
    run = Install(medium, L"/U /S");
    EXPECT_EQ(run.exitCode, 0u) << Narrow(run.log.Normalised());
    WaitForUninstallers();
    EXPECT_TRUE(PrintersOf(kDriver).empty());
    EXPECT_FALSE(Exists(kDestination));
}

TEST(SilentInstall, AnInstallerLibraryThatFaultsFailsEveryComponentWithoutEndingTheRun) {
    const std::wstring medium =
        MediumWith(L"faulting", {{L"INSTALLER_DLL = .\\data\\Vxrun.dll", L"INSTALLER_DLL = " + WindowsPath(QS_FAULTY_LIBRARY)}});
    const SetupRun run = Install(medium, L"/S");
    EXPECT_EQ(run.exitCode, 1603u);
    EXPECT_EQ(run.log.Count(L"Call MyInstall() ==> GPF!!!!"), 2u) << Narrow(run.log.Normalised());
    EXPECT_EQ(run.log.Count(L" Quorvel"), 2u);
    EXPECT_TRUE(run.log.Contains(L"End of installation"));
}

TEST(SilentInstall, AScriptInstallationInWhichEveryComponentFailsRemovesWhatItCopied) {
    const std::wstring medium = MakeMedium(L"nothing-installs", {{L"data\\Vxrun.dll", L"", FileKind::Remove},
                                                                 {L"Config.ini", L"[INSTALL]\r\nSILENT=1\r\n", FileKind::Ansi}});
    const MachineState before = MachineState::Take();
    const SetupRun run = Install(medium, L"");
    EXPECT_EQ(run.exitCode, 1603u);
    EXPECT_TRUE(run.log.Contains(L"No component was installed: remove what this run copied")) << Narrow(run.log.Normalised());
    EXPECT_FALSE(Exists(kDestination + L"\\Install\\setup.exe"));
    // Only the run's records stay (the installing root), as after any failed
    // script installation.
    std::vector<std::wstring> left = MachineState::Diff(before, MachineState::Take());
    left.erase(std::remove_if(left.begin(), left.end(),
                              [](const std::wstring& line) { return line.find(L"Printer Software\\Installing") != std::wstring::npos || line.find(L"HKEY_LOCAL_MACHINE\\Software\\Quorvel]") != std::wstring::npos || line.find(L"Printer Software]") != std::wstring::npos; }),
               left.end());
    EXPECT_EQ(left, std::vector<std::wstring>{});
}

TEST(SilentInstall, ARemovalAfterAKilledRunRemovesWhatThatRunMade) {
    // The status monitor's installer ends setup itself, right after the
    // printer was installed.
    const std::wstring medium = MediumWith(
        L"killed", {{L"INST_CMD = $SRC_DIR$\\Application\\StatusMonitor\\setup.exe",
                     L"INST_CMD = " + WindowsPath(QS_KILL_PARENT)}});
    const MachineState before = MachineState::Take();
    const RunResult killed = RunProgram(Quoted(medium + L"\\setup.exe") + L" /S", medium, 120000);
    EXPECT_TRUE(killed.finished);
    EXPECT_EQ(killed.exitCode, 255u) << "ended from outside";
    EXPECT_EQ(PrintersOf(kDriver).size(), 1u);
    EXPECT_TRUE(Exists(kDestination + L"\\Install\\setup.exe"));

    const SetupRun run = Install(medium, L"/U /S");
    EXPECT_EQ(run.exitCode, 0u) << Narrow(run.log.Normalised());
    EXPECT_EQ(run.log.Count(L"An interrupted installation left its history: carried over"), 1u);
    WaitForUninstallers();
    EXPECT_TRUE(PrintersOf(kDriver).empty());
    EXPECT_FALSE(DriverInstalled(kDriver));
    RunProgram(L"wineboot.exe -r", L"", 120000);
    EXPECT_EQ(MachineState::Diff(before, MachineState::Take()), std::vector<std::wstring>{});
}

TEST(SilentInstall, AComponentWhoseInstallerIsMissingIsNotOfferedAndTheRestInstalls) {
    const std::wstring medium = MediumWith(
        L"missing-installer", {{L"INST_CMD = $SRC_DIR$\\Application\\StatusMonitor\\setup.exe",
                                L"INST_CMD = $SRC_DIR$\\Application\\StatusMonitor\\missing.exe"},
                               {L"REINST_CMD = $SRC_DIR$\\Application\\StatusMonitor\\setup.exe",
                                L"REINST_CMD = $SRC_DIR$\\Application\\StatusMonitor\\missing.exe"},
                               {L"COMP_DIR = $SRC_DIR$\\Application\\StatusMonitor",
                                L"COMP_DIR = $SRC_DIR$\\Application\\Missing"}});
    const SetupRun run = Install(medium, L"/S");
    EXPECT_EQ(run.exitCode, 0u) << Narrow(run.log.Normalised());
    EXPECT_TRUE(run.log.Contains(kPrinterSuccess));
    EXPECT_FALSE(run.log.Contains(kMonitorSuccess));
    EXPECT_FALSE(Exists(kDestination + L"\\StatusMonitor"));
    EXPECT_TRUE(run.log.Contains(L"[" + medium + L"\\Application\\StatusMonitor\\missing.exe](0)  Command is not available"));
    EXPECT_TRUE(run.log.Contains(L"[QV_STATUS_MONITOR] Item is not available!!!!"));
}

TEST(SilentInstall, TheInstalledPrinterPrintsAPageOfThePpdsSize) {
    const std::wstring medium = MakeMedium(L"print");
    ASSERT_FALSE(medium.empty());
    const SetupRun run = Install(medium, L"/S");
    ASSERT_EQ(run.exitCode, 0u) << Narrow(run.log.Normalised());
    ASSERT_EQ(PrintersOf(kDriver).size(), 1u);

    // The size the page must have: the default of the PPD the driver was
    // installed with.
    const std::wstring ppdPath = DriverDataFile(kDriver);
    ASSERT_GE(ppdPath.size(), 12u) << "the driver has a data file";
    EXPECT_EQ(lstrcmpiW(ppdPath.substr(ppdPath.size() - 12).c_str(), L"QVLX3200.PPD"), 0) << Narrow(ppdPath);
    PaperSize paper;
    ASSERT_TRUE(DefaultPaperSize(ReadFileBytes(ppdPath), paper)) << Narrow(ppdPath);

    // Printed to a file the host reaches.
    HostFolder folder;
    const std::wstring output = folder.WindowsPath(L"page.ps");
    ASSERT_TRUE(LocalPortCommand(L"AddPort", output)) << Narrow(output);
    ASSERT_EQ(SetPrinterPort(kDriver, output), 0u);
    const std::string printed = PrintOnePage(kDriver);
    ASSERT_EQ(printed, "");
    ASSERT_TRUE(WaitForPostScript(output, 20000)) << "no PostScript document in " << Narrow(output);

    // Rendered at 72 dpi (a pixel a point). Ghostscript's own page size is
    // set to one other than the PPD's, so a document that does not set its
    // size shows up.
    const bool ppdIsLetter = std::abs(paper.width - 612) <= 2 && std::abs(paper.height - 792) <= 2;
    const std::string script = "timeout 60 gs -q -dSAFER -dBATCH -dNOPAUSE -r72 -sPAPERSIZE=" +
                               std::string(ppdIsLetter ? "a4" : "letter") + " -sDEVICE=ppmraw -o " +
                               folder.UnixPath("page.ppm") + " " + folder.UnixPath("page.ps");
    const int status = RunHostScript(folder, script, 90000);
    ASSERT_EQ(status, 0) << script << "\n" << ReadFileBytes(folder.WindowsPath(L"host-output"));
    RenderedPage page;
    ASSERT_TRUE(ReadPpm(ReadFileBytes(folder.WindowsPath(L"page.ppm")), page)) << "one page rendered";
    EXPECT_NEAR(page.width, paper.width, 2) << "the PPD's default " << paper.name;
    EXPECT_NEAR(page.height, paper.height, 2) << "the PPD's default " << paper.name;
    // The black 2 x 1 inch rectangle is on the page.
    EXPECT_GT(page.DarkPixels(), 144L * 72 * 9 / 10);
}

TEST(SilentInstall, ACopiedFileThatWaitsForTheRestartEndsTheRunWith3010) {
    const std::wstring medium = MakeMedium(L"in-use");
    ASSERT_FALSE(medium.empty());
    // A file of the installation, held open without sharing, as a running
    // program would hold it: its new copy can only go in at the restart.
    const std::wstring held = kDestination + L"\\Install\\Autorun.inf";
    ASSERT_EQ(SHCreateDirectoryExW(nullptr, (kDestination + L"\\Install").c_str(), nullptr), ERROR_SUCCESS);
    HANDLE file = CreateFileW(held.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const SetupRun run = Install(medium, L"/S");
    CloseHandle(file);
    EXPECT_EQ(run.exitCode, 3010u) << Narrow(run.log.Normalised());
    EXPECT_TRUE(run.log.Contains(kPrinterSuccess));
}

TEST(SilentInstall, ASilentRunShowsNoMessageBoxItLogsItsText) {
    // Not enough free space: the requirement check's message is logged, not
    // shown (a box would hold the run until the test's time limit).
    const std::wstring medium = MediumWith(L"no-space", {{L"FREE_SPACE = 200", L"FREE_SPACE = 999999999"}});
    const SetupRun run = Install(medium, L"/S");
    EXPECT_EQ(run.exitCode, 1603u);
    EXPECT_EQ(run.log.Count(L"Message box : "), 1u) << Narrow(run.log.Normalised());
    EXPECT_TRUE(run.log.Contains(L"This system could not satisfy the installer Minimum Requirement!"));
    EXPECT_TRUE(PrintersOf(kDriver).empty());
}

TEST(SilentInstall, ARemovalThatFailsEndsWith1603AndKeepsWhatItCouldNotRemove) {
    const std::wstring medium = MakeMedium(L"removal-fails");
    ASSERT_EQ(Install(medium, L"/S").exitCode, 0u);
    // The status monitor's own uninstaller is gone: its removal fails.
    ASSERT_TRUE(DeleteFileW((kDestination + L"\\StatusMonitor\\QvStatusUninst.exe").c_str()));
    const SetupRun run = Install(medium, L"/U /S");
    EXPECT_EQ(run.exitCode, 1603u);
    EXPECT_TRUE(run.log.Contains(L" Quorvel Status Monitor Installation/ReInstallation/Uninstallation ==> Fail"))
        << Narrow(run.log.Normalised());
    EXPECT_TRUE(run.log.Contains(kPrinterSuccess));
    EXPECT_TRUE(PrintersOf(kDriver).empty()) << "the printer's removal went on";
    // Nothing else was removed: the product stays listed and recorded, so
    // that a later removal can finish the work.
    const RegistrySnapshot left = RegistrySnapshot::Take(L"HKLM\\Software");
    EXPECT_TRUE(left.HasKey(kProductEntry));
    EXPECT_TRUE(left.HasKey(kProduct + L"\\Installed"));
}

}  // namespace
