// The installer library and the driver installer as setup meets them: the
// built Vxrun.dll bound by name, component records written as setup writes
// them, Wine's real spooler, registry, files and processes. Each test runs in
// a fresh prefix and still removes what it made.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <winspool.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Process.h"
#include "SupportLibraryContract.h"
#include "TestPrinters.h"

using namespace support_library;

namespace {

const wchar_t kProduct[] = L"Software\\QsInstallerTest\\LX-3200";
const wchar_t kDriver[] = L"Quorvel LX-3200 Series PS";
const wchar_t kPort[] = L"QSTEST1:";

std::wstring Root() { return std::wstring(kProduct) + L"\\Installing"; }
std::wstring Item(const wchar_t* name) { return Root() + L"\\Items\\" + name; }

void SetText(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
}

void SetNumber(const std::wstring& key, const wchar_t* name, DWORD value) {
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(handle, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    RegCloseKey(handle);
}

bool ReadNumber(const std::wstring& key, const wchar_t* name, DWORD* value) {
    DWORD size = sizeof(*value);
    return RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, value, &size) ==
           ERROR_SUCCESS;
}

std::wstring ReadText(const std::wstring& key, const wchar_t* name) {
    wchar_t text[1024] = {};
    DWORD size = sizeof(text);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return L"";
    return text;
}

std::string ReadBytes(const std::wstring& path) {
    std::string bytes;
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (file == nullptr) return bytes;
    char block[4096];
    for (std::size_t read = fread(block, 1, sizeof(block), file); read > 0; read = fread(block, 1, sizeof(block), file))
        bytes.append(block, read);
    fclose(file);
    return bytes;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (file == nullptr) return false;
    const bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    fclose(file);
    return written;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring EnvironmentText(const wchar_t* name) {
    wchar_t text[MAX_PATH] = {};
    GetEnvironmentVariableW(name, text, MAX_PATH);
    return text;
}

struct DRIVER_SEEN {
    bool found = false;
    std::wstring dataFile;
    std::vector<std::wstring> files;
};

DRIVER_SEEN FindDriver(const std::wstring& name) {
    DRIVER_SEEN seen;
    DWORD needed = 0;
    DWORD count = 0;
    EnumPrinterDriversW(nullptr, nullptr, 3, nullptr, 0, &needed, &count);
    if (needed == 0) return seen;
    std::vector<BYTE> buffer(needed);
    if (!EnumPrinterDriversW(nullptr, nullptr, 3, buffer.data(), needed, &needed, &count)) return seen;
    const auto* drivers = reinterpret_cast<const DRIVER_INFO_3W*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        if (_wcsicmp(drivers[i].pName, name.c_str()) != 0) continue;
        seen.found = true;
        seen.dataFile = drivers[i].pDataFile;
        for (const wchar_t* file : {drivers[i].pDriverPath, drivers[i].pDataFile, drivers[i].pConfigFile})
            if (file != nullptr && *file != L'\0') seen.files.push_back(file);
    }
    return seen;
}

// The driver and port of printer |name|; false when there is none.
bool FindPrinter(const std::wstring& name, std::wstring* driver, std::wstring* port) {
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ACCESS_USE};
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &printer, &defaults)) return false;
    DWORD needed = 0;
    GetPrinterW(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed + 1);
    const bool read = needed != 0 && GetPrinterW(printer, 2, buffer.data(), needed, &needed);
    ClosePrinter(printer);
    if (!read) return false;
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
    *driver = info->pDriverName;
    *port = info->pPortName;
    return true;
}

std::wstring InfFolder() {
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    return std::wstring(windows) + L"\\inf\\";
}

class InstallerLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"vxrun-test-" + std::to_wstring(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr)) << GetLastError();
        // The medium's printer files, in a folder of the test's own.
        const std::wstring medium = EnvironmentText(L"QS_MEDIUM_DIR");
        ASSERT_FALSE(medium.empty()) << "QS_MEDIUM_DIR is not set";
        const std::wstring source = medium + L"\\Printer\\PS\\WinXP_VISTA_64\\";
        for (const wchar_t* file : {L"QVLX3200.INF", L"QVLX3200.PPD", L"QVLX3200.GPD"})
            ASSERT_TRUE(CopyFileW((source + file).c_str(), (folder_ + L"\\" + file).c_str(), FALSE)) << file;
        inf_ = folder_ + L"\\QVLX3200.INF";
        scannerInf_ = medium + L"\\Scanner\\WinXP_VISTA_64\\QVLX32SC.INF";
        module_ = LoadLibraryW(QS_INSTALLER_LIBRARY);
        ASSERT_NE(module_, nullptr) << GetLastError();
        myInstall_ = reinterpret_cast<MyInstallProc>(reinterpret_cast<void*>(GetProcAddress(module_, kMyInstall)));
        myCreateShortCut_ = reinterpret_cast<MyCreateShortCutProc>(
            reinterpret_cast<void*>(GetProcAddress(module_, kMyCreateShortCut)));
        ASSERT_NE(myInstall_, nullptr);
        ASSERT_NE(myCreateShortCut_, nullptr);
    }

    void TearDown() override {
        if (module_ != nullptr) FreeLibrary(module_);
        for (const wchar_t* printer : {kDriver, L"QS kept printer"}) {
            PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
            HANDLE handle = nullptr;
            if (OpenPrinterW(const_cast<wchar_t*>(printer), &handle, &defaults)) {
                DeletePrinter(handle);
                ClosePrinter(handle);
            }
        }
        for (const wchar_t* driver : {kDriver, L"QS other driver"})
            DeletePrinterDriverW(nullptr, nullptr, const_cast<wchar_t*>(driver));
        qs_test::LocalPortCommand(L"DeletePort", kPort);
        for (const wchar_t* file : {L"QVLX3200.INF", L"QVLX3200.pnf", L"QVLX32SC.INF", L"QVLX32SC.pnf"})
            DeleteFileW((InfFolder() + file).c_str());
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\QsInstallerTest");
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QsTestTool");
        for (const std::wstring& path : made_) DeleteFileW(path.c_str());
        for (const wchar_t* file : {L"QVLX3200.INF", L"QVLX3200.PPD", L"QVLX3200.GPD", L"QVOTHER.PPD", L"marker.txt"})
            DeleteFileW((folder_ + L"\\" + file).c_str());
        RemoveDirectoryW(folder_.c_str());
    }

    // A printer component's record, as setup writes it.
    void WritePrinterRecord(const std::wstring& port) {
        const std::wstring item = Item(L"QV_PS_DRIVER");
        const std::wstring installer = QS_DRIVER_INSTALLER;
        SetText(item, L"Item_Name", L"QV_PS_DRIVER");
        SetText(item, L"Driver_Name", kDriver);
        SetText(item, L"Printer_Name", kDriver);
        SetNumber(item, L"Printer", 1);
        SetText(item, L"Inf_Path", inf_);
        SetText(item, L"InstCmd", installer);
        SetText(item, L"InstParam", L"/IP /INF \"" + inf_ + L"\" /I 0" + (port.empty() ? L"" : L" /P\"" + port + L"\""));
        SetText(item, L"ReinstParam", L"/RP /INF \"" + inf_ + L"\" /I 0");
        SetText(item, L"UninstCmd", installer);
        SetText(item, L"UninstParam", L"/UP /INF \"" + inf_ + L"\" /I 0");
        SetNumber(item, L"Share", 0);
        SetText(item, L"Share_Name", L"LX3200PS");
        SetNumber(item, L"Success_Return", 0);
        SetNumber(item, L"UniDrv", 1);
        SetNumber(item, L"InstallNow", 1);
    }

    int Install(const wchar_t* name, DWORD setupType, int installed) {
        SetNumber(Root(), L"Setup_Type", setupType);
        return myInstall_(0, Root().c_str(), Item(name).c_str(), installed);
    }

    std::wstring LogText() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        const std::string raw = ReadBytes(std::wstring(temp) + L"Vxrun.log");
        std::wstring text;
        for (std::size_t i = 2; i + 1 < raw.size(); i += 2)
            text += static_cast<wchar_t>(static_cast<unsigned char>(raw[i]) | (static_cast<unsigned char>(raw[i + 1]) << 8));
        return text;
    }

    std::wstring folder_;
    std::wstring inf_;
    std::wstring scannerInf_;
    std::vector<std::wstring> made_;
    HMODULE module_ = nullptr;
    MyInstallProc myInstall_ = nullptr;
    MyCreateShortCutProc myCreateShortCut_ = nullptr;
};

TEST_F(InstallerLibraryTest, APrinterComponentGetsItsDriverPrinterPortAndMark) {
    WritePrinterRecord(kPort);
    ASSERT_NE(Install(L"QV_PS_DRIVER", 1, 0), 0) << LogText();

    const DRIVER_SEEN driver = FindDriver(kDriver);
    ASSERT_TRUE(driver.found);
    EXPECT_NE(driver.dataFile.find(L"QVLX3200.PPD"), std::wstring::npos) << driver.dataFile;
    EXPECT_TRUE(Exists(driver.dataFile)) << driver.dataFile;
    std::wstring printerDriver;
    std::wstring port;
    ASSERT_TRUE(FindPrinter(kDriver, &printerDriver, &port));
    EXPECT_EQ(printerDriver, kDriver);
    EXPECT_EQ(port, kPort);
    DWORD mark = 0;
    ASSERT_TRUE(ReadNumber(Item(L"QV_PS_DRIVER"), L"InstallNow", &mark));
    EXPECT_EQ(mark, 2u);
    EXPECT_TRUE(Exists(ReadText(Item(L"QV_PS_DRIVER"), L"Staged_Inf")));
    EXPECT_NE(LogText().find(L"AddPrinterDriverEx"), std::wstring::npos);
}

TEST_F(InstallerLibraryTest, WithoutAPortTheRecordsRootsPortOrLpt1IsUsed) {
    WritePrinterRecord(L"");
    ASSERT_NE(Install(L"QV_PS_DRIVER", 1, 0), 0) << LogText();
    std::wstring driver;
    std::wstring port;
    ASSERT_TRUE(FindPrinter(kDriver, &driver, &port));
    EXPECT_EQ(port, L"LPT1:");

    SetText(Root(), L"Printer_Port", kPort);
    DeletePrinterDriverW(nullptr, nullptr, const_cast<wchar_t*>(kDriver));
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE handle = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<wchar_t*>(kDriver), &handle, &defaults));
    DeletePrinter(handle);
    ClosePrinter(handle);
    ASSERT_NE(Install(L"QV_PS_DRIVER", 1, 0), 0) << LogText();
    ASSERT_TRUE(FindPrinter(kDriver, &driver, &port));
    EXPECT_EQ(port, kPort);
}

TEST_F(InstallerLibraryTest, AnInfWithAnotherDataFileInstallsThatFile) {
    ASSERT_TRUE(MoveFileW((folder_ + L"\\QVLX3200.PPD").c_str(), (folder_ + L"\\QVOTHER.PPD").c_str()));
    std::string edited = ReadBytes(inf_);
    for (std::size_t at = edited.find("QVLX3200.PPD"); at != std::string::npos; at = edited.find("QVLX3200.PPD"))
        edited.replace(at, 12, "QVOTHER.PPD");
    ASSERT_TRUE(WriteBytes(inf_, edited));

    WritePrinterRecord(kPort);
    ASSERT_NE(Install(L"QV_PS_DRIVER", 1, 0), 0) << LogText();
    const DRIVER_SEEN driver = FindDriver(kDriver);
    ASSERT_TRUE(driver.found);
    EXPECT_NE(driver.dataFile.find(L"QVOTHER.PPD"), std::wstring::npos) << driver.dataFile;
}

TEST_F(InstallerLibraryTest, ReinstallingKeepsAPrinterThatExists) {
    // A printer of that name on another port and another driver, made before.
    ASSERT_EQ(qs_test::AddPostScriptDriver(L"QS other driver", folder_ + L"\\QVLX3200.PPD"), 0u);
    ASSERT_EQ(qs_test::AddPlainPrinter(kDriver, L"QS other driver", L"LPT1:"), 0u);
    WritePrinterRecord(kPort);
    for (const DWORD setupType : {1u, 3u}) {
        ASSERT_NE(Install(L"QV_PS_DRIVER", setupType, 1), 0) << LogText();
        std::wstring driver;
        std::wstring port;
        ASSERT_TRUE(FindPrinter(kDriver, &driver, &port));
        EXPECT_EQ(driver, kDriver);
        EXPECT_EQ(port, L"LPT1:");
    }
    EXPECT_NE(LogText().find(L"kept"), std::wstring::npos);
}

TEST_F(InstallerLibraryTest, RemovalLeavesNoPrinterDriverFilesStagedInfOrMark) {
    // Wine's own wineps.drv may be in the driver folder before: it must stay.
    const std::wstring wineDriver = L"C:\\windows\\system32\\spool\\drivers\\x64\\3\\wineps.drv";
    const bool wineDriverBefore = Exists(wineDriver);
    WritePrinterRecord(kPort);
    ASSERT_NE(Install(L"QV_PS_DRIVER", 1, 0), 0) << LogText();
    const DRIVER_SEEN installed = FindDriver(kDriver);
    const std::wstring staged = ReadText(Item(L"QV_PS_DRIVER"), L"Staged_Inf");
    ASSERT_TRUE(Exists(staged));
    // The installed root's copy of the record, as setup carries it over.
    const std::wstring installedRecord = std::wstring(kProduct) + L"\\Installed\\Items\\QV_PS_DRIVER";
    SetNumber(installedRecord, L"InstallNow", 2);
    SetText(installedRecord, L"Staged_Inf", staged);
    SetText(installedRecord, L"Driver_Files", ReadText(Item(L"QV_PS_DRIVER"), L"Driver_Files"));
    // A removal run writes a new record without the installation's notes.
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, Item(L"QV_PS_DRIVER").c_str());
    WritePrinterRecord(L"");

    ASSERT_NE(Install(L"QV_PS_DRIVER", 2, 1), 0) << LogText();
    std::wstring driver;
    std::wstring port;
    EXPECT_FALSE(FindPrinter(kDriver, &driver, &port));
    EXPECT_FALSE(FindDriver(kDriver).found);
    for (const std::wstring& file : installed.files)
        if (file.find(L"spool") != std::wstring::npos) {
            EXPECT_EQ(Exists(file), wineDriverBefore && _wcsicmp(file.c_str(), wineDriver.c_str()) == 0) << file;
        }
    EXPECT_FALSE(Exists(staged));
    EXPECT_FALSE(Exists(staged.substr(0, staged.size() - 4) + L".pnf"));
    DWORD mark = 0;
    EXPECT_FALSE(ReadNumber(Item(L"QV_PS_DRIVER"), L"InstallNow", &mark));
    EXPECT_FALSE(ReadNumber(installedRecord, L"InstallNow", &mark));

    // Again, with everything gone already.
    EXPECT_NE(Install(L"QV_PS_DRIVER", 2, 1), 0) << LogText();
    EXPECT_NE(LogText().find(L"not installed"), std::wstring::npos);
}

// Every copy of |name| below the system's catalog folder.
std::vector<std::wstring> CatalogCopies(const std::wstring& folder, const std::wstring& name) {
    std::vector<std::wstring> copies;
    WIN32_FIND_DATAW found = {};
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return copies;
    do {
        const std::wstring entry = found.cFileName;
        if (entry == L"." || entry == L"..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            for (const std::wstring& copy : CatalogCopies(folder + L"\\" + entry, name)) copies.push_back(copy);
        } else if (_wcsicmp(entry.c_str(), name.c_str()) == 0) {
            copies.push_back(folder + L"\\" + entry);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return copies;
}

TEST_F(InstallerLibraryTest, RemovalTakesTheStagedCatalogToo) {
    std::string inf = ReadBytes(inf_);
    const std::size_t version = inf.find("[Version]");
    ASSERT_NE(version, std::string::npos);
    inf.insert(version + 9, "\r\nCatalogFile=QSTEST.CAT");
    ASSERT_TRUE(WriteBytes(inf_, inf));
    ASSERT_TRUE(WriteBytes(folder_ + L"\\QSTEST.CAT", "not a real catalog"));
    made_.push_back(folder_ + L"\\QSTEST.CAT");
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring catalogs = std::wstring(system) + L"\\catroot";

    WritePrinterRecord(kPort);
    ASSERT_NE(Install(L"QV_PS_DRIVER", 1, 0), 0) << LogText();
    const std::vector<std::wstring> staged = CatalogCopies(catalogs, L"QSTEST.CAT");
    ASSERT_FALSE(staged.empty()) << "the catalog was not staged";
    for (const std::wstring& copy : staged) made_.push_back(copy);
    ASSERT_NE(Install(L"QV_PS_DRIVER", 2, 1), 0) << LogText();
    EXPECT_TRUE(CatalogCopies(catalogs, L"QSTEST.CAT").empty());
}

TEST_F(InstallerLibraryTest, AProgramComponentIsJudgedBySuccessReturn) {
    const std::wstring marker = folder_ + L"\\marker.txt";
    const struct {
        const wchar_t* exitCode;
        DWORD successReturn;
        bool succeeds;
    } cases[] = {{L"0", 0, true}, {L"3", 3, true}, {L"1", 0, false}};
    for (const auto& c : cases) {
        DeleteFileW(marker.c_str());
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, Item(L"QV_TOOL").c_str());
        SetText(Item(L"QV_TOOL"), L"Item_Name", L"QV_TOOL");
        SetText(Item(L"QV_TOOL"), L"InstCmd", QS_EXIT_WITH);
        SetText(Item(L"QV_TOOL"), L"InstParam", std::wstring(c.exitCode) + L" \"" + marker + L"\" /S");
        SetNumber(Item(L"QV_TOOL"), L"Success_Return", c.successReturn);
        SetNumber(Item(L"QV_TOOL"), L"InstallNow", 1);
        EXPECT_EQ(Install(L"QV_TOOL", 1, 0) != 0, c.succeeds) << c.exitCode;
        EXPECT_TRUE(Exists(marker)) << c.exitCode;
        DWORD mark = 0;
        ASSERT_TRUE(ReadNumber(Item(L"QV_TOOL"), L"InstallNow", &mark));
        EXPECT_EQ(mark, c.succeeds ? 2u : 1u) << c.exitCode;
    }
}

TEST_F(InstallerLibraryTest, AMissingProgramFailsWithALogLine) {
    SetText(Item(L"QV_TOOL"), L"InstCmd", folder_ + L"\\missing\\setup.exe");
    SetText(Item(L"QV_TOOL"), L"InstParam", L"/S");
    EXPECT_EQ(Install(L"QV_TOOL", 1, 0), 0);
    EXPECT_NE(LogText().find(L"cannot start"), std::wstring::npos) << LogText();
    EXPECT_EQ(Install(L"QV_NO_RECORD", 1, 0), 0);
}

TEST_F(InstallerLibraryTest, TheProgramsOwnUninstallEntryIsRecordedAndRunForRemoval) {
    const std::wstring marker = folder_ + L"\\marker.txt";
    SetText(Item(L"QV_TOOL"), L"InstCmd", QS_EXIT_WITH);
    SetText(Item(L"QV_TOOL"), L"InstParam", L"0 \"" + marker + L"\" install");
    SetText(Item(L"QV_TOOL"), L"Uninstall_Value_Name", L"QsTestTool");
    // What the program registers for itself while it installs.
    const std::wstring uninstallString = L"\"" + std::wstring(QS_EXIT_WITH) + L"\" 0 \"" + marker + L"\" remove";
    SetText(L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QsTestTool", L"UninstallString",
            uninstallString);
    ASSERT_NE(Install(L"QV_TOOL", 1, 0), 0) << LogText();
    const std::wstring info = std::wstring(kProduct) + L"\\UninstallInfo";
    EXPECT_EQ(ReadText(info, L"QsTestTool"), uninstallString);

    ASSERT_NE(Install(L"QV_TOOL", 2, 1), 0) << LogText();
    const std::string lines = ReadBytes(marker);
    EXPECT_NE(lines.find("remove"), std::string::npos) << lines;
    EXPECT_EQ(ReadText(info, L"QsTestTool"), L"");
    DWORD mark = 0;
    EXPECT_FALSE(ReadNumber(Item(L"QV_TOOL"), L"InstallNow", &mark));
}

TEST_F(InstallerLibraryTest, AScannerComponentRunsTheDriverInstaller) {
    const std::wstring item = Item(L"QV_SCAN_DRIVER");
    SetText(item, L"Driver_Name", L"Quorvel LX-3200MF Scanner");
    SetNumber(item, L"Printer", 1);
    SetText(item, L"InstCmd", QS_DRIVER_INSTALLER);
    SetText(item, L"InstParam", L"/IS /INF \"" + scannerInf_ + L"\"");
    SetText(item, L"UninstCmd", QS_DRIVER_INSTALLER);
    SetText(item, L"UninstParam", L"/US /INF \"" + scannerInf_ + L"\"");
    ASSERT_NE(Install(L"QV_SCAN_DRIVER", 1, 0), 0) << LogText();
    EXPECT_TRUE(Exists(InfFolder() + L"QVLX32SC.INF"));
    ASSERT_NE(Install(L"QV_SCAN_DRIVER", 2, 1), 0) << LogText();
    EXPECT_FALSE(Exists(InfFolder() + L"QVLX32SC.INF"));
    EXPECT_FALSE(Exists(InfFolder() + L"QVLX32SC.pnf"));
}

TEST_F(InstallerLibraryTest, TheDriverInstallerProgramInstallsAndRemovesAPrinter) {
    const std::wstring program = qs_test::Quoted(QS_DRIVER_INSTALLER);
    const std::wstring install = program + L" /IP /INF " + qs_test::Quoted(inf_) + L" /N " +
                                 qs_test::Quoted(kDriver) + L" /P\"" + kPort + L"\"";
    qs_test::RunResult run = qs_test::RunProgram(install);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u) << LogText();
    std::wstring driver;
    std::wstring port;
    ASSERT_TRUE(FindPrinter(kDriver, &driver, &port));
    EXPECT_EQ(port, kPort);

    run = qs_test::RunProgram(program + L" /UP /INF " + qs_test::Quoted(inf_) + L" /I 0");
    EXPECT_EQ(run.exitCode, 0u) << LogText();
    EXPECT_FALSE(FindPrinter(kDriver, &driver, &port));
    EXPECT_FALSE(FindDriver(kDriver).found);
    EXPECT_FALSE(Exists(InfFolder() + L"QVLX3200.INF"));

    EXPECT_EQ(qs_test::RunProgram(program + L" /XX /INF a.inf").exitCode, 2u);
    EXPECT_EQ(qs_test::RunProgram(program + L" /IP /INF " + qs_test::Quoted(folder_ + L"\\none.inf")).exitCode, 1u);
}

TEST_F(InstallerLibraryTest, AShortcutRecordBecomesALinkWhosePathIsRecorded) {
    const struct {
        DWORD group;
        int folder;
        const wchar_t* folderName;
    } cases[] = {{0, CSIDL_COMMON_PROGRAMS, L"QsTest Maker\\QsTest Product"}, {1, CSIDL_COMMON_DESKTOPDIRECTORY, L"X"}};
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    for (const auto& c : cases) {
        const std::wstring key = Root() + L"\\Shortcut\\SC_TEST" + std::to_wstring(c.group);
        SetText(key, L"Name", L"QsTest Maintenance");
        SetText(key, L"Target", L"C:\\Program Files\\QsTest\\setup.exe");
        SetText(key, L"Argument", L"/R");
        SetText(key, L"Start_in", L"C:\\Program Files\\QsTest");
        SetText(key, L"Icon_File", L"C:\\Program Files\\QsTest\\setup.exe");
        SetText(key, L"Folder_Name", c.folderName);
        SetNumber(key, L"Group", c.group);
        SetNumber(key, L"Delete", 1);
        ASSERT_NE(myCreateShortCut_(0, Root().c_str(), key.c_str()), 0) << LogText();

        wchar_t base[MAX_PATH] = {};
        ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, c.folder, nullptr, 0, base)));
        const std::wstring expected = std::wstring(base) + (c.group == 0 ? std::wstring(L"\\") + c.folderName : L"") +
                                      L"\\QsTest Maintenance.lnk";
        EXPECT_EQ(ReadText(key, L"Shortcut_Path"), expected);
        ASSERT_TRUE(Exists(expected)) << expected;
        made_.push_back(expected);

        IShellLinkW* link = nullptr;
        ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                               reinterpret_cast<void**>(&link))));
        IPersistFile* file = nullptr;
        ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
        ASSERT_TRUE(SUCCEEDED(file->Load(expected.c_str(), STGM_READ)));
        wchar_t text[MAX_PATH] = {};
        link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
        EXPECT_STREQ(text, L"C:\\Program Files\\QsTest\\setup.exe");
        link->GetArguments(text, MAX_PATH);
        EXPECT_STREQ(text, L"/R");
        file->Release();
        link->Release();
        if (c.group == 0) {
            DeleteFileW(expected.c_str());
            RemoveDirectoryW((std::wstring(base) + L"\\QsTest Maker\\QsTest Product").c_str());
            RemoveDirectoryW((std::wstring(base) + L"\\QsTest Maker").c_str());
        }
    }
    CoUninitialize();
    const std::wstring nameless = Root() + L"\\Shortcut\\SC_NONAME";
    SetText(nameless, L"Target", L"C:\\x.exe");
    EXPECT_EQ(myCreateShortCut_(0, Root().c_str(), nameless.c_str()), 0);
}

}  // namespace
