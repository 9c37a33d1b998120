// The yardstick of the silent installation benchmark (prints figures; asserts
// nothing about time): the work that `setup.exe /S` does on the example
// medium, done directly with the system's calls and no configuration read.
//
//   direct_install MEDIUM     copy the medium into the installation folder,
//                             stage the INF, add the driver and the printer
//                             (the default printer), run the status monitor's
//                             installer, create the two shortcuts, write the
//                             uninstall entry and the product's records
//   direct_install --remove   undo all of that, whichever of setup.exe /S or
//                             this program did it; what is absent is skipped
//
// An installation prints one line: "direct <seconds> s (<files> files,
// <values> registry values)". Every failure names the call and its error.
#include <windows.h>
#include <objbase.h>
#include <setupapi.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <winspool.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "ScopedHandle.h"

namespace {

using Clock = std::chrono::steady_clock;

const std::wstring kDestination = L"C:\\Program Files\\Quorvel\\LX-3200 Series";
const std::wstring kInstallDir = kDestination + L"\\Install";
const std::wstring kMonitorDir = kDestination + L"\\StatusMonitor";
const std::wstring kDriver = L"Quorvel LX-3200 Series PS";
const std::wstring kInfFolder = L"\\Printer\\PS\\WinXP_VISTA_64";
const std::wstring kProductKey = L"Software\\Quorvel\\Quorvel LX-3200 Series Printer Software";
const std::wstring kInstalledKey = kProductKey + L"\\Installed";
const std::wstring kUninstallRoot = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const std::wstring kUninstallKey = kUninstallRoot + L"Quorvel LX-3200 Series Printer Software";
const std::wstring kShortcutSubfolder = L"\\Quorvel\\Quorvel LX-3200 Series";
const wchar_t kMaintenanceName[] = L"Modify or Repair Quorvel LX-3200 Series";
const wchar_t kUninstallName[] = L"Uninstall Quorvel LX-3200 Series";

bool g_failed = false;

void Fail(const wchar_t* what, const std::wstring& argument, DWORD error) {
    std::fprintf(stderr, "direct_install: %ls (%ls) failed, error %lu\n", what, argument.c_str(), error);
    g_failed = true;
}

// What an installation made, in the order made: the installation history
// setup keeps, written into the product's records at the end.
struct CMadeList {
    std::vector<std::wstring> folders;
    std::vector<std::wstring> files;
    std::vector<std::wstring> shortcuts;
};

// Makes |path| and its missing parents; records each folder it made.
void MakeFolders(const std::wstring& path, CMadeList& made) {
    for (std::size_t at = path.find(L'\\', 3);; at = path.find(L'\\', at + 1)) {
        const std::wstring part = path.substr(0, at);
        if (CreateDirectoryW(part.c_str(), nullptr)) {
            made.folders.push_back(part + L"\\");
        } else if (GetLastError() != ERROR_ALREADY_EXISTS) {
            Fail(L"CreateDirectoryW", part, GetLastError());
            return;
        }
        if (at == std::wstring::npos) return;
    }
}

// Copies the files of |from| into |to|, and its sub-folders too when |deep|.
void CopyFolder(const std::wstring& from, const std::wstring& to, bool deep, CMadeList& made) {
    MakeFolders(to, made);
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((from + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        Fail(L"FindFirstFileW", from, GetLastError());
        return;
    }
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            if (deep) CopyFolder(from + L"\\" + name, to + L"\\" + name, true, made);
            continue;
        }
        const std::wstring target = to + L"\\" + name;
        if (CopyFileW((from + L"\\" + name).c_str(), target.c_str(), FALSE))
            made.files.push_back(target);
        else
            Fail(L"CopyFileW", from + L"\\" + name, GetLastError());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

std::wstring SpecialFolder(int id) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path))) Fail(L"SHGetFolderPathW", L"", id);
    return path;
}

std::wstring ShortcutFolder() { return SpecialFolder(CSIDL_COMMON_PROGRAMS) + kShortcutSubfolder; }

std::wstring WindowsFolder() {
    wchar_t path[MAX_PATH] = {};
    GetWindowsDirectoryW(path, MAX_PATH);
    return path;
}

std::wstring TempFolder() {
    wchar_t path[MAX_PATH + 1] = {};
    std::wstring temp(path, GetTempPathW(MAX_PATH + 1, path));
    if (!temp.empty() && temp.back() == L'\\') temp.pop_back();
    return temp;
}

// The folder the spooler copies version-3 driver files into.
std::wstring DriverFolder() {
    wchar_t path[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(path), sizeof path, &needed))
        Fail(L"GetPrinterDriverDirectoryW", L"", GetLastError());
    return std::wstring(path) + L"\\3";
}

bool DriverInstalled() {
    DWORD needed = 0, count = 0;
    EnumPrinterDriversW(nullptr, nullptr, 1, nullptr, 0, &needed, &count);
    std::vector<BYTE> block(needed);
    if (needed == 0 || !EnumPrinterDriversW(nullptr, nullptr, 1, block.data(), needed, &needed, &count)) return false;
    const auto* drivers = reinterpret_cast<const DRIVER_INFO_1W*>(block.data());
    for (DWORD i = 0; i < count; ++i)
        if (kDriver == drivers[i].pName) return true;
    return false;
}

void StageInf(const std::wstring& inf) {
    wchar_t staged[MAX_PATH] = {};
    DWORD required = 0;
    if (!SetupCopyOEMInfW(inf.c_str(), nullptr, SPOST_PATH, 0, staged, MAX_PATH, &required, nullptr))
        Fail(L"SetupCopyOEMInfW", inf, GetLastError());
}

void AddDriverAndPrinter(const std::wstring& ppd) {
    std::wstring name = kDriver;
    std::wstring wineps = L"C:\\windows\\system32\\wineps.drv";
    std::wstring data = ppd;
    DRIVER_INFO_3W driver = {};
    driver.cVersion = 3;
    driver.pName = &name[0];
    driver.pDriverPath = &wineps[0];
    driver.pConfigFile = &wineps[0];
    driver.pDataFile = &data[0];
    if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_FROM_DIRECTORY | APD_COPY_NEW_FILES)) {
        Fail(L"AddPrinterDriverExW", kDriver, GetLastError());
        return;
    }
    std::wstring port = L"LPT1:";
    PRINTER_INFO_2W printer = {};
    printer.pPrinterName = &name[0];
    printer.pPortName = &port[0];
    printer.pDriverName = &name[0];
    printer.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
    printer.pDatatype = const_cast<wchar_t*>(L"RAW");
    const HANDLE added = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
    if (added == nullptr) {
        Fail(L"AddPrinterW", kDriver, GetLastError());
        return;
    }
    ClosePrinter(added);
    if (!SetDefaultPrinterW(kDriver.c_str())) Fail(L"SetDefaultPrinterW", kDriver, GetLastError());
}

// Starts |commandLine| and waits for it; its exit code, or ~0 when it did not start.
DWORD RunAndWait(const std::wstring& commandLine) {
    std::wstring line = commandLine;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        Fail(L"CreateProcessW", commandLine, GetLastError());
        return ~0u;
    }
    const CKernelHandle processHandle(process.hProcess);
    const CKernelHandle threadHandle(process.hThread);
    DWORD code = ~0u;
    if (WaitForSingleObject(process.hProcess, 120000) != WAIT_OBJECT_0 || !GetExitCodeProcess(process.hProcess, &code))
        Fail(L"waiting for", commandLine, GetLastError());
    return code;
}

struct CShortcut {
    const wchar_t* name;
    const wchar_t* argument;
    int iconIndex;
    const wchar_t* description;
};

const CShortcut kShortcuts[] = {
    {kMaintenanceName, L"/R", 0, L"Adds, repairs or removes components of the Quorvel LX-3200 Series software."},
    {kUninstallName, L"/U", 1, L"Removes the Quorvel LX-3200 Series software from this computer."},
};

void CreateShortcut(const CShortcut& shortcut, const std::wstring& folder, CMadeList& made) {
    const std::wstring target = kInstallDir + L"\\setup.exe";
    const std::wstring path = folder + L"\\" + shortcut.name + L".lnk";
    IShellLinkW* link = nullptr;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                      reinterpret_cast<void**>(&link));
    if (FAILED(result)) {
        Fail(L"CoCreateInstance(ShellLink)", path, static_cast<DWORD>(result));
        return;
    }
    link->SetPath(target.c_str());
    link->SetArguments(shortcut.argument);
    link->SetWorkingDirectory(kInstallDir.c_str());
    link->SetIconLocation(target.c_str(), shortcut.iconIndex);
    link->SetDescription(shortcut.description);
    IPersistFile* file = nullptr;
    result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (SUCCEEDED(result)) {
        result = file->Save(path.c_str(), TRUE);
        file->Release();
    }
    link->Release();
    if (FAILED(result))
        Fail(L"IPersistFile::Save", path, static_cast<DWORD>(result));
    else
        made.shortcuts.push_back(path);
}

// Writes values into one key of HKLM, counting them; a failed write is reported.
class CValueWriter {
public:
    explicit CValueWriter(const std::wstring& subkey) : subkey_(subkey) {
        const LONG status = RegCreateKeyExW(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                            key_.Receive(), nullptr);
        if (status != ERROR_SUCCESS) Fail(L"RegCreateKeyExW", subkey, static_cast<DWORD>(status));
    }
    void Text(const std::wstring& name, const std::wstring& value) {
        Write(name, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
              static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    void Number(const std::wstring& name, DWORD value) {
        Write(name, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    }
    static int Count() { return count_; }

private:
    void Write(const std::wstring& name, DWORD type, const BYTE* data, DWORD size) {
        if (!key_) return;
        const LONG status = RegSetValueExW(key_.Get(), name.c_str(), 0, type, data, size);
        if (status != ERROR_SUCCESS)
            Fail(L"RegSetValueExW", subkey_ + L" " + name, static_cast<DWORD>(status));
        else
            ++count_;
    }

    std::wstring subkey_;
    CRegistryKey key_;
    static int count_;
};

int CValueWriter::count_ = 0;

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

void WriteUninstallEntry() {
    const std::wstring setup = kInstallDir + L"\\setup.exe";
    CValueWriter entry(kUninstallKey);
    entry.Text(L"DisplayName", L"Quorvel LX-3200 Series Printer Software");
    entry.Text(L"DisplayVersion", L"2.10.04");
    entry.Text(L"Publisher", L"Quorvel Corporation");
    entry.Text(L"InstallLocation", kDestination);
    entry.Text(L"DisplayIcon", setup + L",0");
    entry.Text(L"UninstallString", Quoted(setup) + L" /U");
    entry.Text(L"ModifyPath", Quoted(setup) + L" /R");
    entry.Number(L"NoModify", 0);
    entry.Number(L"NoRepair", 0);
    entry.Number(L"EstimatedSize", 0x9600);
}

// The product's records as setup leaves them after a silent installation:
// the installed root, the installation history, the component and shortcut
// records and the status monitor's uninstall command.
void WriteProductRecords(const std::wstring& medium, const CMadeList& made) {
    {
        CValueWriter root(kInstalledKey);
        root.Text(L"Dest_Dir", kDestination);
        root.Text(L"Install_Type", L"SILENT_INST");
        root.Text(L"LangAbbr", L"EN");
        root.Number(L"LangCode", 9);
        root.Text(L"MDL", L"LX-3200 Series");
        root.Text(L"MFG", L"Quorvel");
        root.Number(L"OS_Ver", 7);
        root.Text(L"Printer_Port", L"LPT1:");
        root.Text(L"Program_Name", L"Quorvel LX-3200 Series Printer Software");
        root.Text(L"STR_FILE", medium + L"\\data\\String\\Lang_EN.str");
        root.Text(L"Temp_Dir", TempFolder());
        root.Text(L"VIDPID", L"VID_3A17&PID_3200");
        root.Text(L"Win_Dir", WindowsFolder());
    }
    {
        CValueWriter history(kInstalledKey + L"\\InstHistory");
        history.Text(L"DestDir0", kInstallDir);
        history.Number(L"NumOfDestDirs", 1);
        for (std::size_t i = 0; i < made.folders.size(); ++i) history.Text(L"Dir" + std::to_wstring(i), made.folders[i]);
        history.Number(L"NumOfDirs", static_cast<DWORD>(made.folders.size()));
        for (std::size_t i = 0; i < made.files.size(); ++i) history.Text(L"File" + std::to_wstring(i), made.files[i]);
        history.Number(L"NumOfFiles", static_cast<DWORD>(made.files.size()));
        for (std::size_t i = 0; i < made.shortcuts.size(); ++i)
            history.Text(L"Shortcut" + std::to_wstring(i), made.shortcuts[i]);
        history.Number(L"NumOfShortcuts", static_cast<DWORD>(made.shortcuts.size()));
    }
    const std::wstring installer = medium + L"\\data\\Setup\\Bin\\QvDrvInst.exe";
    const std::wstring sourceInf = medium + kInfFolder + L"\\QVLX3200.INF";
    const std::wstring copiedInf = kInstallDir + kInfFolder + L"\\QVLX3200.INF";
    {
        CValueWriter item(kInstalledKey + L"\\Items\\QV_PS_DRIVER");
        item.Text(L"Driver_Files", DriverFolder() + L"\\QVLX3200.PPD");
        item.Text(L"Driver_Name", kDriver);
        item.Text(L"Inf_Path", copiedInf);
        item.Number(L"InstallNow", 2);
        item.Text(L"InstCmd", installer);
        item.Text(L"InstParam", L"/IP /INF " + Quoted(sourceInf) + L" /I 0 /P\"LPT1:\"");
        item.Text(L"Item_Name", L"QV_PS_DRIVER");
        item.Number(L"Printer", 1);
        item.Text(L"Printer_Name", kDriver);
        item.Text(L"ReinstParam", L"/RP /INF " + Quoted(sourceInf) + L" /I 0");
        item.Number(L"Share", 0);
        item.Text(L"Share_Name", L"LX3200PS");
        item.Text(L"Staged_Inf", WindowsFolder() + L"\\inf\\QVLX3200.INF");
        item.Number(L"Success_Return", 0);
        item.Number(L"UniDrv", 1);
        item.Text(L"UninstCmd", installer);
        item.Text(L"UninstParam", L"/UP /INF " + Quoted(copiedInf) + L" /I 0");
        item.Text(L"Win_32_Inf", kInstallDir + L"\\PRINTER\\PS\\WINXP_2000_VISTA_32\\QVLX3200.INF");
        item.Text(L"Win_64_Inf", kInstallDir + L"\\PRINTER\\PS\\WINXP_VISTA_64\\QVLX3200.INF");
    }
    {
        CValueWriter item(kInstalledKey + L"\\Items\\QV_STATUS_MONITOR");
        item.Number(L"InstallNow", 2);
        item.Text(L"InstCmd", medium + L"\\Application\\StatusMonitor\\setup.exe");
        item.Text(L"InstParam", L"/S /L0409 /D" + Quoted(kMonitorDir));
        item.Text(L"Item_Name", L"QV_STATUS_MONITOR");
        item.Text(L"Reinstall_Value_Name", L"QvStatusMonitorRepair");
        item.Text(L"ReinstParam", L"/S /REPAIR /L0409");
        item.Number(L"Success_Return", 0);
        item.Text(L"Uninstall_Value_Name", L"QvStatusMonitor");
    }
    const wchar_t* const shortcutKeys[] = {L"SC_MAINTENANCE", L"SC_UNINSTALL"};
    for (std::size_t i = 0; i < 2; ++i) {
        const CShortcut& shortcut = kShortcuts[i];
        CValueWriter record(kInstalledKey + L"\\Shortcut\\" + shortcutKeys[i]);
        record.Text(L"Argument", shortcut.argument);
        record.Number(L"Delete", 1);
        record.Text(L"Folder_Name", L"Quorvel\\Quorvel LX-3200 Series");
        record.Number(L"Group", 0);
        record.Text(L"Icon_Description", shortcut.description);
        record.Text(L"Icon_File", kInstallDir + L"\\setup.exe");
        record.Number(L"Icon_Index", static_cast<DWORD>(shortcut.iconIndex));
        record.Text(L"Name", shortcut.name);
        record.Number(L"Permission", 0);
        record.Text(L"Shortcut_Path", i < made.shortcuts.size() ? made.shortcuts[i] : L"");
        record.Text(L"Start_in", kInstallDir);
        record.Text(L"Target", kInstallDir + L"\\setup.exe");
    }
    CValueWriter uninstallInfo(kProductKey + L"\\UninstallInfo");
    uninstallInfo.Text(L"QvStatusMonitor", Quoted(kMonitorDir + L"\\QvStatusUninst.exe") + L" /S");
}

int Install(const std::wstring& medium) {
    const auto start = Clock::now();
    CMadeList made;
    // The installer kept for maintenance: the medium's root files, its data
    // folder, and the printer component's folder.
    CopyFolder(medium, kInstallDir, false, made);
    CopyFolder(medium + L"\\data", kInstallDir + L"\\data", true, made);
    CopyFolder(medium + L"\\Printer\\PS", kInstallDir + L"\\Printer\\PS", true, made);

    StageInf(medium + kInfFolder + L"\\QVLX3200.INF");
    AddDriverAndPrinter(medium + kInfFolder + L"\\QVLX3200.PPD");

    const std::wstring monitorSetup = medium + L"\\Application\\StatusMonitor\\setup.exe";
    const DWORD code = RunAndWait(Quoted(monitorSetup) + L" /S /L0409 /D" + Quoted(kMonitorDir));
    if (code != 0) Fail(L"the status monitor's installer", monitorSetup, code);

    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::wstring folder = ShortcutFolder();
    MakeFolders(folder, made);
    for (const CShortcut& shortcut : kShortcuts) CreateShortcut(shortcut, folder, made);
    if (SUCCEEDED(com)) CoUninitialize();

    WriteUninstallEntry();
    WriteProductRecords(medium, made);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("direct %.3f s (%zu files, %d registry values)\n", seconds, made.files.size(), CValueWriter::Count());
    return g_failed ? 1 : 0;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void DeleteTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = folder + L"\\" + name;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            DeleteTree(path);
        } else {
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileW(path.c_str())) Fail(L"DeleteFileW", path, GetLastError());
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    if (!RemoveDirectoryW(folder.c_str())) Fail(L"RemoveDirectoryW", folder, GetLastError());
}

void DeleteFileIfThere(const std::wstring& path) {
    if (Exists(path) && !DeleteFileW(path.c_str())) Fail(L"DeleteFileW", path, GetLastError());
}

void DeleteKeyIfThere(const std::wstring& subkey) {
    const LONG status = RegDeleteTreeW(HKEY_LOCAL_MACHINE, subkey.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) Fail(L"RegDeleteTreeW", subkey, static_cast<DWORD>(status));
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, subkey.c_str());
}

int Remove() {
    const std::wstring monitorUninstaller = kMonitorDir + L"\\QvStatusUninst.exe";
    if (Exists(monitorUninstaller)) {
        const DWORD code = RunAndWait(Quoted(monitorUninstaller) + L" /S");
        if (code != 0) Fail(L"the status monitor's uninstaller", monitorUninstaller, code);
    }
    HANDLE printer = nullptr;
    if (OpenPrinterW(const_cast<wchar_t*>(kDriver.c_str()), &printer, nullptr)) {
        if (!DeletePrinter(printer)) Fail(L"DeletePrinter", kDriver, GetLastError());
        ClosePrinter(printer);
    }
    const std::wstring driverFile = DriverFolder() + L"\\QVLX3200.PPD";
    if (DriverInstalled() && !DeletePrinterDriverW(nullptr, nullptr, const_cast<wchar_t*>(kDriver.c_str())))
        Fail(L"DeletePrinterDriverW", kDriver, GetLastError());
    DeleteFileIfThere(driverFile);
    const std::wstring stagedInf = WindowsFolder() + L"\\inf\\QVLX3200.INF";
    if (Exists(stagedInf) && !SetupUninstallOEMInfW(L"QVLX3200.INF", SUOI_FORCEDELETE, nullptr))
        Fail(L"SetupUninstallOEMInfW", stagedInf, GetLastError());
    DeleteFileIfThere(WindowsFolder() + L"\\inf\\QVLX3200.pnf");

    const std::wstring shortcuts = ShortcutFolder();
    if (Exists(shortcuts)) DeleteTree(shortcuts);
    RemoveDirectoryW(shortcuts.substr(0, shortcuts.rfind(L'\\')).c_str());
    if (Exists(kDestination)) DeleteTree(kDestination);
    RemoveDirectoryW(kDestination.substr(0, kDestination.rfind(L'\\')).c_str());

    DeleteKeyIfThere(kProductKey);
    DeleteKeyIfThere(L"Software\\Quorvel\\Status Monitor");
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"Software\\Quorvel");
    DeleteKeyIfThere(kUninstallKey);
    DeleteKeyIfThere(kUninstallRoot + L"QvStatusMonitor");
    return g_failed ? 1 : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring argument = argc == 2 ? argv[1] : L"";
    if (argument == L"--remove") return Remove();
    if (!argument.empty() && argument[0] != L'-') return Install(argument);
    std::fprintf(stderr, "usage: direct_install MEDIUM | --remove\n");
    return 2;
}
