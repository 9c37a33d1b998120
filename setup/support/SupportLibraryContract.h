#pragma once
// The entry points of the support libraries that ship beside setup on the
// installation medium, as setup binds and calls them. For each: the name it is
// exported under (setup binds it with GetProcAddress by exactly that name, so
// x86 builds export through a .def file and the name stays undecorated), its
// arguments in order, and what setup makes of its result.
//
// Every entry point is __stdcall (WINAPI); every text is a zero-terminated
// UTF-16 string; buffers marked "out" are the caller's, of the size given.
// A "truth value" is a 32-bit result of which setup tests only the lowest byte
// (non-zero = true), so a library may return a C++ bool in it.
//
// A library that implements entry points defines SUPPORT_LIBRARY_IMPLEMENTATION
// before including this header; the prototypes at the end then make the
// compiler check each of its definitions against the types here.

#include <windows.h>

#include <type_traits>

namespace support_library {

// ---------------------------------------------------------------------------
// Installer library (data file key INSTALLER_DLL)

// Installs, reinstalls or removes one component, as its record says.
//   reserved      0
//   recordsRoot   key path under HKEY_LOCAL_MACHINE of the records root
//   itemKey       key path of the component's record ("<root>\Items\<name>")
//   installed     1 when the component is already installed, else 0
// Result: non-zero when the install, reinstall or removal succeeded.
typedef int(WINAPI* MyInstallProc)(int reserved, LPCWSTR recordsRoot, LPCWSTR itemKey, int installed);
inline constexpr char kMyInstall[] = "MyInstall";

// Creates one shortcut from its record.
//   reserved      0
//   recordsRoot   key path under HKEY_LOCAL_MACHINE of the records root
//   shortcutKey   key path of the shortcut's record ("<root>\Shortcut\<name>")
// Result: non-zero when the shortcut was created.
typedef int(WINAPI* MyCreateShortCutProc)(int reserved, LPCWSTR recordsRoot, LPCWSTR shortcutKey);
inline constexpr char kMyCreateShortCut[] = "MyCreateShortCut";

// ---------------------------------------------------------------------------
// Utility library (UTILITY_DLL)

inline constexpr DWORD kPortNameLength = 260;   // characters, GetDevicePort's port buffer
inline constexpr DWORD kDeviceIdLength = 8192;  // characters, every device-ID buffer

// Finds the port of a connected device of this model.
//   manufacturer, model, vidPid   the MFG, MDL and VIDPID of the data file's PROGRAM_INFO
//   port          out, kPortNameLength characters: the device's port name
//   portCount     out: greater than 0 when the device is connected (port holds
//                 its name); (DWORD)-1 when the device check itself failed
// Result: truth value.
typedef BOOL(WINAPI* GetDevicePortProc)(LPCWSTR manufacturer, LPCWSTR model, LPCWSTR vidPid, LPWSTR port,
                                         DWORD* portCount);
inline constexpr char kGetDevicePort[] = "GetDevicePort";

// Keeps the system's new-hardware handling away from the model's devices
// (start) and lets it back (end).
//   manufacturerModel   MFG followed directly by MDL
// Result: truth value, success.
typedef BOOL(WINAPI* StartPreventPnPProc)(LPCWSTR manufacturerModel);
inline constexpr char kStartPreventPnP[] = "StartPreventPnP";
typedef BOOL(WINAPI* EndPreventPnPProc)(LPCWSTR manufacturerModel);
inline constexpr char kEndPreventPnP[] = "EndPreventPnP";

// Closes the system's new-hardware dialog. Called every 5 seconds from a
// watcher thread. Result: truth value.
typedef BOOL(WINAPI* RemoveHardwareWizardDialogProc)();
inline constexpr char kRemoveHardwareWizardDialog[] = "RemoveHardwareWizardDialog";

// Brings the system's new-hardware dialog to the front. Result: truth value.
typedef BOOL(WINAPI* MySetForegroundNHWdDialogProc)();
inline constexpr char kMySetForegroundNHWdDialog[] = "MySetForegroundNHWdDialog";

// Makes the system look for the model's devices again.
//   manufacturerModel   MFG followed directly by MDL
//   vidPid              VIDPID
// Result: truth value.
typedef BOOL(WINAPI* SystemRefreshProc)(LPCWSTR manufacturerModel, LPCWSTR vidPid);
inline constexpr char kSystemRefresh[] = "SystemRefresh";

// Removes the model's devices that the system left unknown.
//   manufacturerModel, vidPid   as SystemRefresh
// Result: truth value.
typedef BOOL(WINAPI* RemoveUnknownDevProc)(LPCWSTR manufacturerModel, LPCWSTR vidPid);
inline constexpr char kRemoveUnknownDev[] = "RemoveUnknownDev";

// Reads the IEEE 1284 device ID of the device on a port.
//   port       port name ("LPT1:", "USB001", ...)
//   deviceId   out, kDeviceIdLength characters
// Result: non-zero when deviceId holds the device ID.
typedef int(WINAPI* MyGetDeviceIDFromPortProc)(LPCWSTR port, LPWSTR deviceId);
inline constexpr char kMyGetDeviceIDFromPort[] = "MyGetDeviceIDFromPort";

// Saves a registry key, with everything under it, to a file.
//   file       the file to write
//   keyPath    key path under HKEY_LOCAL_MACHINE
//   reserved   0
// Result: non-zero when the key was saved.
typedef int(WINAPI* SaveFileProc)(LPCWSTR file, LPCWSTR keyPath, int reserved);
inline constexpr char kSaveFile[] = "SaveFile";

// Free space on the drive of a path.
// Result: the figure in the unit of the data file's free-space requirement;
// 0 means "no figure" (setup's free-space check then passes).
typedef DWORD(WINAPI* GetDiskFreeSpaceVXProc)(LPCWSTR path);
inline constexpr char kGetDiskFreeSpaceVX[] = "GetDiskFreeSpaceVX";

// ---------------------------------------------------------------------------
// Remote-install library (REMOTE_INSTALL_DLL)

inline constexpr DWORD kRemoteFieldLength = 256;  // characters, zero-padded

// What setup hands over to install on one remote computer: 4096 bytes.
struct REMOTE_INSTALL_RECORD {
    wchar_t computer[kRemoteFieldLength];         // address of the remote computer
    wchar_t localAddress[kRemoteFieldLength];     // left empty
    wchar_t userName[kRemoteFieldLength];
    wchar_t password[kRemoteFieldLength];
    wchar_t domain[kRemoteFieldLength];
    wchar_t sourceDirectory[kRemoteFieldLength];  // the medium's directory
    wchar_t registryFile[kRemoteFieldLength];     // the saved installing records
    wchar_t commandLine[kRemoteFieldLength];      // "<program>.exe /Remote"
};
static_assert(sizeof(REMOTE_INSTALL_RECORD) == 4096, "the remote install record is 4096 bytes");

// Installs on one remote computer. Called directly (not through a guarded
// wrapper) by the remote-install worker. Result: non-zero on success.
typedef int(WINAPI* DoRemoteInstallProc)(REMOTE_INSTALL_RECORD* record);
inline constexpr char kDoRemoteInstall[] = "DoRemoteInstall";

// ---------------------------------------------------------------------------
// Diagnosis library (DIAGNOSIS_DLL) and test-page library (TESTPAGE_DLL)

// Diagnoses an installed printer.
//   manufacturer, printer, model, vidPid   MFG, the printer's name, MDL, VIDPID
// Result: not used.
typedef int(WINAPI* DiagnosisProc)(LPCWSTR manufacturer, LPCWSTR printer, LPCWSTR model, LPCWSTR vidPid);
inline constexpr char kDiagnosis[] = "Diagnosis";

// As Diagnosis, with a fifth argument 0.
// Result: 1 when the library did not handle the printer (setup goes on to Diagnosis).
typedef int(WINAPI* DiagnosisExProc)(LPCWSTR manufacturer, LPCWSTR printer, LPCWSTR model, LPCWSTR vidPid,
                                     int reserved);
inline constexpr char kDiagnosisEx[] = "DiagnosisEx";

// Prints the model's own test page.
//   printer           printer name
//   text, url         texts printed on the page
//   resourceLibrary   path of the resource library (RESOURCE_DLL)
//   bitmap            picture printed on the page
// Result: -1 when it failed (setup then prints the system's test page).
typedef int(WINAPI* PrintTestPageProc)(LPCWSTR printer, LPCWSTR text, LPCWSTR url, LPCWSTR resourceLibrary,
                                       LPCWSTR bitmap);
inline constexpr char kPrintTestPage[] = "PrintTestPage";

// Prints a metafile as the test page. Result: -1 when it failed.
typedef int(WINAPI* MetaTestPageProc)(LPCWSTR printer, LPCWSTR metafile);
inline constexpr char kMetaTestPage[] = "MetaTestPage";

// Sends a print file (printer language) to the printer. Result: -1 when it failed.
typedef int(WINAPI* PrintPrnFileProc)(LPCWSTR printer, LPCWSTR printFile);
inline constexpr char kPrintPrnFile[] = "PrintPrnFile";

// ---------------------------------------------------------------------------
// Network-management library (NETWORKMAN_DLL)

// Reads the device ID of the printer at a network address.
//   address    IP address
//   deviceId   out, kDeviceIdLength characters
//   reserved   0
// Result: 0 on success (deviceId filled).
typedef int(WINAPI* MyGetPrinterDescProc)(LPCWSTR address, LPWSTR deviceId, int reserved);
inline constexpr char kMyGetPrinterDesc[] = "MyGetPrinterDesc";

// As MyGetPrinterDesc.
//   publicOid   non-zero: ask the public (standard) object instead of the maker's own
//   community   SNMP community name
// Result: 0 on success.
typedef int(WINAPI* MyGetPrinterDescAdvProc)(LPCWSTR address, LPWSTR deviceId, int publicOid, LPCWSTR community);
inline constexpr char kMyGetPrinterDescAdv[] = "MyGetPrinterDescAdv";

inline constexpr DWORD kIpxAddressLength = 260;  // characters, the IPX address buffer

// The IPX address of the printer at an IP address.
//   address   IP address
//   ipx       out, kIpxAddressLength characters
// Result: non-zero on success.
typedef int(WINAPI* MyGetIPXProc)(LPCWSTR address, LPWSTR ipx);
inline constexpr char kMyGetIPX[] = "MyGetIPX";
typedef int(WINAPI* MyGetIPXAdvProc)(LPCWSTR address, LPWSTR ipx, LPCWSTR community);
inline constexpr char kMyGetIPXAdv[] = "MyGetIPXAdv";

// Creates a network port for a printer through the library's port monitor.
//   port          the port name
//   address       the printer's IP address
//   mac           MAC address text (empty unless IPX is used)
//   ipx           IPX address (empty unless IPX is used)
//   monitorName   name of the port monitor
//   monitorFile   file name of the port monitor
//   mutexName     name of the mutex that serialises network work
//   noMonitor     non-zero: do not install the monitor
//   community     (Adv form only) SNMP community name
// Result: non-zero when the port was created.
typedef int(WINAPI* MySetNetworkPortExProc)(LPCWSTR port, LPCWSTR address, LPCWSTR mac, LPCWSTR ipx,
                                            LPCWSTR monitorName, LPCWSTR monitorFile, LPCWSTR mutexName,
                                            int noMonitor);
inline constexpr char kMySetNetworkPortEx[] = "MySetNetworkPortEx";
typedef int(WINAPI* MySetNetworkPortAdvProc)(LPCWSTR port, LPCWSTR address, LPCWSTR mac, LPCWSTR ipx,
                                             LPCWSTR monitorName, LPCWSTR monitorFile, LPCWSTR mutexName,
                                             int noMonitor, LPCWSTR community);
inline constexpr char kMySetNetworkPortAdv[] = "MySetNetworkPortAdv";

// Deletes a network port.
//   port       the port name
//   settings   a text of the network settings
//   flag       passed through
// Result: non-zero when the port was deleted.
typedef int(WINAPI* MyDelNetworkPortProc)(LPCWSTR port, LPCWSTR settings, int flag);
inline constexpr char kMyDelNetworkPort[] = "MyDelNetworkPort";

// Called by the SNMP discovery once per device found: a first text kept with
// the entry, the device ID, the MAC address, the IPv4 and the IPv6 address.
// Returns 1.
typedef int(WINAPI* SnmpDiscoveryCallback)(LPCWSTR name, LPCWSTR deviceId, LPCWSTR mac, LPCWSTR ipv4,
                                           LPCWSTR ipv6);

// Discovers the model's printers on the network by SNMP, calling |callback|
// for each. Result: only logged.
typedef int(WINAPI* SnmpDiscoveryProc)(SnmpDiscoveryCallback callback);
inline constexpr char kSnmpDiscovery[] = "SnmpDiscovery";
typedef int(WINAPI* SnmpDiscoveryAdvProc)(SnmpDiscoveryCallback callback, LPCWSTR community);
inline constexpr char kSnmpDiscoveryAdv[] = "SnmpDiscoveryAdv";

// ---------------------------------------------------------------------------
// Pre-installer library (PREINSTALLER_DLL)

// Runs before the installation.
//   command   "/P <data file> /S <source dir> /D <destination dir>
//              /R <installing history root> /L <language dir> /A <language abbreviation>"
//   owner     owner window, or null
// Result: not used.
typedef int(WINAPI* PreinstallProc)(LPCWSTR command, HWND owner);
inline constexpr char kPreinstall[] = "Preinstall";

// ---------------------------------------------------------------------------
// Set-address library (SETIP_DLL)

// Gives the printer with a MAC address a new IP address.
//   address, gateway, mask, mac   all non-empty
// Result: 0 on success, else a system error code.
typedef DWORD(WINAPI* SetIPProc)(LPCWSTR address, LPCWSTR gateway, LPCWSTR mask, LPCWSTR mac);
inline constexpr char kSetIP[] = "SetIP";

inline constexpr DWORD kNetPrinterRecordSize = 130;  // bytes per record of GetNetPrinter

// Lists the printers whose address can be set, found by the library's own
// broadcast search.
//   records   out: an array of kNetPrinterRecordSize-byte records, or null to ask for the count
//   size      in: the size of |records| in bytes; out: the size needed
//   count     out: the number of printers
// Result: 0 on success.
typedef int(WINAPI* GetNetPrinterProc)(void* records, DWORD* size, DWORD* count);
inline constexpr char kGetNetPrinter[] = "GetNetPrinter";

// ---------------------------------------------------------------------------
// Wireless-setup library (VXWSP_DLL)

inline constexpr DWORD kWirelessResultLength = 520;  // characters, WSP_Start's result buffer

// Runs the wireless setting of the printer.
//   root           the wireless-setup root directory (WSP_DIR)
//   manufacturer   MFG
//   model          MDL
//   language       the current language abbreviation
//   mode           1
//   community      SNMP community name
//   result         out, |resultSize| characters: the printer's new IP address
//   resultSize     kWirelessResultLength
// Result: 0 with a non-empty |result| when the wireless setting succeeded.
typedef int(WINAPI* WSP_StartProc)(LPCWSTR root, LPCWSTR manufacturer, LPCWSTR model, LPCWSTR language, int mode,
                                   LPCWSTR community, LPWSTR result, DWORD resultSize);
inline constexpr char kWSP_Start[] = "WSP_Start";

}  // namespace support_library

#if defined(SUPPORT_LIBRARY_IMPLEMENTATION)
// The exports, as a library implements them.
extern "C" {
int WINAPI MyInstall(int reserved, LPCWSTR recordsRoot, LPCWSTR itemKey, int installed);
int WINAPI MyCreateShortCut(int reserved, LPCWSTR recordsRoot, LPCWSTR shortcutKey);
BOOL WINAPI GetDevicePort(LPCWSTR manufacturer, LPCWSTR model, LPCWSTR vidPid, LPWSTR port, DWORD* portCount);
BOOL WINAPI StartPreventPnP(LPCWSTR manufacturerModel);
BOOL WINAPI EndPreventPnP(LPCWSTR manufacturerModel);
BOOL WINAPI RemoveHardwareWizardDialog();
BOOL WINAPI MySetForegroundNHWdDialog();
BOOL WINAPI SystemRefresh(LPCWSTR manufacturerModel, LPCWSTR vidPid);
BOOL WINAPI RemoveUnknownDev(LPCWSTR manufacturerModel, LPCWSTR vidPid);
int WINAPI MyGetDeviceIDFromPort(LPCWSTR port, LPWSTR deviceId);
int WINAPI SaveFile(LPCWSTR file, LPCWSTR keyPath, int reserved);
DWORD WINAPI GetDiskFreeSpaceVX(LPCWSTR path);
int WINAPI DoRemoteInstall(support_library::REMOTE_INSTALL_RECORD* record);
int WINAPI Diagnosis(LPCWSTR manufacturer, LPCWSTR printer, LPCWSTR model, LPCWSTR vidPid);
int WINAPI DiagnosisEx(LPCWSTR manufacturer, LPCWSTR printer, LPCWSTR model, LPCWSTR vidPid, int reserved);
int WINAPI PrintTestPage(LPCWSTR printer, LPCWSTR text, LPCWSTR url, LPCWSTR resourceLibrary, LPCWSTR bitmap);
int WINAPI MetaTestPage(LPCWSTR printer, LPCWSTR metafile);
int WINAPI PrintPrnFile(LPCWSTR printer, LPCWSTR printFile);
int WINAPI MyGetPrinterDesc(LPCWSTR address, LPWSTR deviceId, int reserved);
int WINAPI MyGetPrinterDescAdv(LPCWSTR address, LPWSTR deviceId, int publicOid, LPCWSTR community);
int WINAPI MyGetIPX(LPCWSTR address, LPWSTR ipx);
int WINAPI MyGetIPXAdv(LPCWSTR address, LPWSTR ipx, LPCWSTR community);
int WINAPI MySetNetworkPortEx(LPCWSTR port, LPCWSTR address, LPCWSTR mac, LPCWSTR ipx, LPCWSTR monitorName,
                              LPCWSTR monitorFile, LPCWSTR mutexName, int noMonitor);
int WINAPI MySetNetworkPortAdv(LPCWSTR port, LPCWSTR address, LPCWSTR mac, LPCWSTR ipx, LPCWSTR monitorName,
                               LPCWSTR monitorFile, LPCWSTR mutexName, int noMonitor, LPCWSTR community);
int WINAPI MyDelNetworkPort(LPCWSTR port, LPCWSTR settings, int flag);
int WINAPI SnmpDiscovery(support_library::SnmpDiscoveryCallback callback);
int WINAPI SnmpDiscoveryAdv(support_library::SnmpDiscoveryCallback callback, LPCWSTR community);
int WINAPI Preinstall(LPCWSTR command, HWND owner);
DWORD WINAPI SetIP(LPCWSTR address, LPCWSTR gateway, LPCWSTR mask, LPCWSTR mac);
int WINAPI GetNetPrinter(void* records, DWORD* size, DWORD* count);
int WINAPI WSP_Start(LPCWSTR root, LPCWSTR manufacturer, LPCWSTR model, LPCWSTR language, int mode,
                     LPCWSTR community, LPWSTR result, DWORD resultSize);
}

// The prototypes and the types setup binds agree.
static_assert(std::is_same_v<decltype(&MyInstall), support_library::MyInstallProc>, "MyInstall");
static_assert(std::is_same_v<decltype(&MyCreateShortCut), support_library::MyCreateShortCutProc>, "MyCreateShortCut");
static_assert(std::is_same_v<decltype(&GetDevicePort), support_library::GetDevicePortProc>, "GetDevicePort");
static_assert(std::is_same_v<decltype(&StartPreventPnP), support_library::StartPreventPnPProc>, "StartPreventPnP");
static_assert(std::is_same_v<decltype(&EndPreventPnP), support_library::EndPreventPnPProc>, "EndPreventPnP");
static_assert(std::is_same_v<decltype(&RemoveHardwareWizardDialog), support_library::RemoveHardwareWizardDialogProc>, "RemoveHardwareWizardDialog");
static_assert(std::is_same_v<decltype(&MySetForegroundNHWdDialog), support_library::MySetForegroundNHWdDialogProc>, "MySetForegroundNHWdDialog");
static_assert(std::is_same_v<decltype(&SystemRefresh), support_library::SystemRefreshProc>, "SystemRefresh");
static_assert(std::is_same_v<decltype(&RemoveUnknownDev), support_library::RemoveUnknownDevProc>, "RemoveUnknownDev");
static_assert(std::is_same_v<decltype(&MyGetDeviceIDFromPort), support_library::MyGetDeviceIDFromPortProc>, "MyGetDeviceIDFromPort");
static_assert(std::is_same_v<decltype(&SaveFile), support_library::SaveFileProc>, "SaveFile");
static_assert(std::is_same_v<decltype(&GetDiskFreeSpaceVX), support_library::GetDiskFreeSpaceVXProc>, "GetDiskFreeSpaceVX");
static_assert(std::is_same_v<decltype(&DoRemoteInstall), support_library::DoRemoteInstallProc>, "DoRemoteInstall");
static_assert(std::is_same_v<decltype(&Diagnosis), support_library::DiagnosisProc>, "Diagnosis");
static_assert(std::is_same_v<decltype(&DiagnosisEx), support_library::DiagnosisExProc>, "DiagnosisEx");
static_assert(std::is_same_v<decltype(&PrintTestPage), support_library::PrintTestPageProc>, "PrintTestPage");
static_assert(std::is_same_v<decltype(&MetaTestPage), support_library::MetaTestPageProc>, "MetaTestPage");
static_assert(std::is_same_v<decltype(&PrintPrnFile), support_library::PrintPrnFileProc>, "PrintPrnFile");
static_assert(std::is_same_v<decltype(&MyGetPrinterDesc), support_library::MyGetPrinterDescProc>, "MyGetPrinterDesc");
static_assert(std::is_same_v<decltype(&MyGetPrinterDescAdv), support_library::MyGetPrinterDescAdvProc>, "MyGetPrinterDescAdv");
static_assert(std::is_same_v<decltype(&MyGetIPX), support_library::MyGetIPXProc>, "MyGetIPX");
static_assert(std::is_same_v<decltype(&MyGetIPXAdv), support_library::MyGetIPXAdvProc>, "MyGetIPXAdv");
static_assert(std::is_same_v<decltype(&MySetNetworkPortEx), support_library::MySetNetworkPortExProc>, "MySetNetworkPortEx");
static_assert(std::is_same_v<decltype(&MySetNetworkPortAdv), support_library::MySetNetworkPortAdvProc>, "MySetNetworkPortAdv");
static_assert(std::is_same_v<decltype(&MyDelNetworkPort), support_library::MyDelNetworkPortProc>, "MyDelNetworkPort");
static_assert(std::is_same_v<decltype(&SnmpDiscovery), support_library::SnmpDiscoveryProc>, "SnmpDiscovery");
static_assert(std::is_same_v<decltype(&SnmpDiscoveryAdv), support_library::SnmpDiscoveryAdvProc>, "SnmpDiscoveryAdv");
static_assert(std::is_same_v<decltype(&Preinstall), support_library::PreinstallProc>, "Preinstall");
static_assert(std::is_same_v<decltype(&SetIP), support_library::SetIPProc>, "SetIP");
static_assert(std::is_same_v<decltype(&GetNetPrinter), support_library::GetNetPrinterProc>, "GetNetPrinter");
static_assert(std::is_same_v<decltype(&WSP_Start), support_library::WSP_StartProc>, "WSP_Start");
#endif
