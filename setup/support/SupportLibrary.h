#pragma once
// CSupportLibrary: the support libraries and auxiliary programs of the
// installation medium. Load finds each by its key in the data file, loads the
// libraries, keeps the paths others need and binds the entry points by name
// (SupportLibraryContract.h); destruction releases the libraries.
//
// Keys, in the order they are processed, with their defaults:
//
//   INSTALLER_DLL       .\data\Vxrun.dll      REMOTE_INSTALL_DLL  .\data\Vxrmtint.dll
//   UTILITY_DLL         .\data\Vxutil.dll     DIAGNOSIS_DLL       .\data\Vxdiag.dll
//   TESTPAGE_DLL        DIAGNOSIS_DLL's value, else .\data\Vxdiag.dll
//   NETWORKMAN_DLL      .\data\VxNetMan.dll   (path kept)
//   RESOURCE_DLL        .\VXres.dll           (path kept; used for its pictures)
//   UNINSTALLER_EXE     .\data\VXDelAll.exe   (not loaded, path kept)
//   VXOPEN_EXE          .\data\Vxopen.exe     (not loaded, path kept)
//   PREINSTALLER_DLL    .\data\VXpre.dll      SETIP_DLL           .\data\Setip.dll
//   VXWSP_DLL           .\data\Setup\Bin\vxwsp.dll
//   WSP_DIR             <source directory>\Data (a directory, kept; need not exist)
//
// A key is read, path variables expanded, from the most specific variant of
// the section for the running system, then from the section itself, then the
// default applies; the path is made whole against the source directory and a
// library or program that does not exist gets an empty path. Each failure is
// logged; nothing stops the installer.
//
// Every entry point is called through the wrapper of its name, with its own
// arguments in order. A wrapper logs the call, calls the entry point under the
// fault guard (FaultGuard.h) and returns its result; when the entry point is
// not bound it logs "Call <name> ==> NULL" and returns the entry point's
// missing result, and when the call faults it logs "Call <name>() ==> GPF!!!!"
// and returns its fault result:
//
//   wrapper                      missing / fault result
//   GetDevicePort                false (port emptied, count 0)
//   RemoveHardwareWizardDialog   false        MySetForegroundNHWdDialog  false
//   StartPreventPnP              false        EndPreventPnP              false
//   SystemRefresh                false        RemoveUnknownDev           false
//   MyGetDeviceIDFromPort        0            SaveFile                   0
//   MyInstall                    0            MyCreateShortCut           0
//   PrintTestPage                -1           MetaTestPage               -1
//   PrintPrnFile                 -1           GetDiskFreeSpaceVX         0
//   Diagnosis                    1            DiagnosisEx                1
//   MyGetPrinterDesc             4096         MyGetPrinterDescAdv        missing: MyGetPrinterDesc; fault: 1
//   MyGetIPX                     0            MyGetIPXAdv                missing: MyGetIPX; fault: 0
//   MySetNetworkPortEx           0            MySetNetworkPortAdv        missing: MySetNetworkPortEx; fault: 0
//   MyDelNetworkPort             0            SnmpDiscovery              0
//   SnmpDiscoveryAdv             missing: SnmpDiscovery; fault: 1
//   GetNetPrinter                1            SetIP                      1
//   Preinstall                   -1           WSP_Start                  1
//
// Truth values (the first six rows) test only the lowest byte of the entry
// point's result. Load runs once, before any call; afterwards the wrappers
// keep no state and may be called from any thread.

#include <windows.h>

#include <array>
#include <cstddef>
#include <string>

#include "ConfigReader.h"
#include "ScopedHandle.h"
#include "SupportLibraryContract.h"

// What Load reads the keys from and resolves them against.
struct SUPPORT_LIBRARY_SOURCE {
    const CConfigReader* data = nullptr;  // the data file's reader; none: every key takes its default
    std::wstring sourceDirectory;         // the medium's directory, no trailing backslash
    std::wstring manufacturer;            // PROGRAM_INFO MFG, passed to WSP_Start
    std::wstring model;                   // PROGRAM_INFO MDL, passed to WSP_Start
};

class CSupportLibrary {
public:
    // The libraries, one module handle each.
    enum class Library : unsigned {
        kInstaller,
        kUtility,
        kRemoteInstall,
        kDiagnosis,
        kTestPage,
        kNetworkManager,
        kResource,
        kPreinstaller,
        kSetIp,
        kWirelessSetup,
        kCount
    };

    // Longer paths are kept cut to this many characters.
    static constexpr std::size_t kStoredPathLength = 259;

    CSupportLibrary() = default;
    ~CSupportLibrary() = default;
    CSupportLibrary(const CSupportLibrary&) = delete;
    CSupportLibrary& operator=(const CSupportLibrary&) = delete;

    // Locates, loads and binds everything from |section| (setup passes
    // "INSTALLER_FILE_INFO"). Runs once; a second call changes nothing.
    // Always true.
    bool Load(const wchar_t* section, const SUPPORT_LIBRARY_SOURCE& source);

    bool IsLoaded(Library library) const { return static_cast<bool>(modules_[static_cast<std::size_t>(library)]); }
    HMODULE ResourceModule() const { return modules_[static_cast<std::size_t>(Library::kResource)].Get(); }
    const std::wstring& ResourceLibraryPath() const { return resourcePath_; }
    const std::wstring& NetworkLibraryPath() const { return networkPath_; }
    const std::wstring& UninstallerPath() const { return uninstallerPath_; }
    const std::wstring& DocumentOpenerPath() const { return documentOpenerPath_; }
    const std::wstring& WirelessSetupDirectory() const { return wirelessDirectory_; }

    // The remote-install worker calls this entry point itself (null when not bound).
    support_library::DoRemoteInstallProc DoRemoteInstallEntry() const;

    // Utility library.
    bool GetDevicePort(const wchar_t* manufacturer, const wchar_t* model, const wchar_t* vidPid, wchar_t* port,
                       DWORD* portCount) const;
    bool RemoveHardwareWizardDialog() const;  // logs nothing before the call: it runs every 5 seconds
    bool MySetForegroundNHWdDialog() const;   // as RemoveHardwareWizardDialog
    bool StartPreventPnP(const wchar_t* manufacturerModel) const;
    bool EndPreventPnP(const wchar_t* manufacturerModel) const;
    bool SystemRefresh(const wchar_t* manufacturerModel, const wchar_t* vidPid) const;
    bool RemoveUnknownDev(const wchar_t* manufacturerModel, const wchar_t* vidPid) const;
    int MyGetDeviceIDFromPort(const wchar_t* port, wchar_t* deviceId) const;
    int SaveFile(const wchar_t* file, const wchar_t* keyPath, int reserved) const;
    DWORD GetDiskFreeSpaceVX(const wchar_t* path) const;

    // Installer library.
    int MyInstall(int reserved, const wchar_t* recordsRoot, const wchar_t* itemKey, int installed) const;
    int MyCreateShortCut(int reserved, const wchar_t* recordsRoot, const wchar_t* shortcutKey) const;

    // Test-page and diagnosis libraries.
    int PrintTestPage(const wchar_t* printer, const wchar_t* text, const wchar_t* url, const wchar_t* resourceLibrary,
                      const wchar_t* bitmap) const;
    int MetaTestPage(const wchar_t* printer, const wchar_t* metafile) const;
    int PrintPrnFile(const wchar_t* printer, const wchar_t* printFile) const;
    int Diagnosis(const wchar_t* manufacturer, const wchar_t* printer, const wchar_t* model,
                  const wchar_t* vidPid) const;
    int DiagnosisEx(const wchar_t* manufacturer, const wchar_t* printer, const wchar_t* model, const wchar_t* vidPid,
                    int reserved) const;

    // Network-management library.
    int MyGetPrinterDesc(const wchar_t* address, wchar_t* deviceId, int reserved) const;
    int MyGetPrinterDescAdv(const wchar_t* address, wchar_t* deviceId, int publicOid, const wchar_t* community) const;
    int MyGetIPX(const wchar_t* address, wchar_t* ipx) const;
    int MyGetIPXAdv(const wchar_t* address, wchar_t* ipx, const wchar_t* community) const;
    int MySetNetworkPortEx(const wchar_t* port, const wchar_t* address, const wchar_t* mac, const wchar_t* ipx,
                           const wchar_t* monitorName, const wchar_t* monitorFile, const wchar_t* mutexName,
                           int noMonitor) const;
    int MySetNetworkPortAdv(const wchar_t* port, const wchar_t* address, const wchar_t* mac, const wchar_t* ipx,
                            const wchar_t* monitorName, const wchar_t* monitorFile, const wchar_t* mutexName,
                            int noMonitor, const wchar_t* community) const;
    int MyDelNetworkPort(const wchar_t* port, const wchar_t* settings, int flag) const;
    int SnmpDiscovery(support_library::SnmpDiscoveryCallback callback) const;
    int SnmpDiscoveryAdv(support_library::SnmpDiscoveryCallback callback, const wchar_t* community) const;

    // Set-address library.
    int GetNetPrinter(void* records, DWORD* size, DWORD* count) const;
    DWORD SetIP(const wchar_t* address, const wchar_t* gateway, const wchar_t* mask, const wchar_t* mac) const;

    // Pre-installer library.
    int Preinstall(const wchar_t* command, HWND owner) const;

    // Wireless-setup library: called with the kept root directory, the MFG and
    // MDL given to Load and |language| (each cut to 519 characters), 1 and
    // |community|; |result| receives the printer's new address.
    int WSP_Start(const wchar_t* language, const wchar_t* community, wchar_t* result, DWORD resultSize) const;

private:
    static constexpr std::size_t kEntryCount = 31;

    // The entry point bound in slot |entry| (see the binding table), or null.
    template <class Proc>
    Proc Bound(std::size_t entry) const;
    std::wstring Locate(const wchar_t* key, const wchar_t* defaultPath, bool library);
    std::wstring ReadKey(const wchar_t* key, bool& found) const;
    void LoadOne(Library library, const std::wstring& path, const wchar_t* failureFormat);
    std::wstring Kept(const wchar_t* key, const std::wstring& path) const;
    void Bind();

    const CConfigReader* data_ = nullptr;
    std::wstring section_;
    std::wstring resolvedSection_;
    std::wstring sourceDirectory_;
    std::wstring manufacturer_;
    std::wstring model_;
    bool loaded_ = false;

    std::array<CModuleHandle, static_cast<std::size_t>(Library::kCount)> modules_;
    std::array<FARPROC, kEntryCount> entries_{};
    std::wstring resourcePath_;
    std::wstring networkPath_;
    std::wstring uninstallerPath_;
    std::wstring documentOpenerPath_;
    std::wstring wirelessDirectory_;
};
