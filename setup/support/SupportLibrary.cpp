#include "SupportLibrary.h"

#include <cwchar>

#include "FaultGuard.h"
#include "Log.h"
#include "PathVariables.h"

using namespace support_library;

namespace {

// The slots of the bound entry points.
namespace slot {
enum : std::size_t {
    MyInstall,
    MyCreateShortCut,
    GetDevicePort,
    StartPreventPnP,
    EndPreventPnP,
    RemoveHardwareWizardDialog,
    MySetForegroundNHWdDialog,
    SystemRefresh,
    SaveFile,
    RemoveUnknownDev,
    GetDiskFreeSpaceVX,
    MyGetDeviceIDFromPort,
    DoRemoteInstall,
    Diagnosis,
    DiagnosisEx,
    PrintTestPage,
    MetaTestPage,
    PrintPrnFile,
    MySetNetworkPortEx,
    MyDelNetworkPort,
    MyGetPrinterDesc,
    MyGetIPX,
    SnmpDiscovery,
    SnmpDiscoveryAdv,
    MySetNetworkPortAdv,
    MyGetPrinterDescAdv,
    MyGetIPXAdv,
    Preinstall,
    SetIP,
    GetNetPrinter,
    WSP_Start,
    Count
};
}  // namespace slot

using Library = CSupportLibrary::Library;

struct ENTRY_BINDING {
    std::size_t entry;
    Library library;
    const char* name;
};

constexpr ENTRY_BINDING kBindings[] = {
    {slot::MyInstall, Library::kInstaller, kMyInstall},
    {slot::MyCreateShortCut, Library::kInstaller, kMyCreateShortCut},
    {slot::GetDevicePort, Library::kUtility, kGetDevicePort},
    {slot::StartPreventPnP, Library::kUtility, kStartPreventPnP},
    {slot::EndPreventPnP, Library::kUtility, kEndPreventPnP},
    {slot::RemoveHardwareWizardDialog, Library::kUtility, kRemoveHardwareWizardDialog},
    {slot::MySetForegroundNHWdDialog, Library::kUtility, kMySetForegroundNHWdDialog},
    {slot::SystemRefresh, Library::kUtility, kSystemRefresh},
    {slot::SaveFile, Library::kUtility, kSaveFile},
    {slot::RemoveUnknownDev, Library::kUtility, kRemoveUnknownDev},
    {slot::GetDiskFreeSpaceVX, Library::kUtility, kGetDiskFreeSpaceVX},
    {slot::MyGetDeviceIDFromPort, Library::kUtility, kMyGetDeviceIDFromPort},
    {slot::DoRemoteInstall, Library::kRemoteInstall, kDoRemoteInstall},
    {slot::Diagnosis, Library::kDiagnosis, kDiagnosis},
    {slot::DiagnosisEx, Library::kDiagnosis, kDiagnosisEx},
    {slot::PrintTestPage, Library::kTestPage, kPrintTestPage},
    {slot::MetaTestPage, Library::kTestPage, kMetaTestPage},
    {slot::PrintPrnFile, Library::kTestPage, kPrintPrnFile},
    {slot::MySetNetworkPortEx, Library::kNetworkManager, kMySetNetworkPortEx},
    {slot::MyDelNetworkPort, Library::kNetworkManager, kMyDelNetworkPort},
    {slot::MyGetPrinterDesc, Library::kNetworkManager, kMyGetPrinterDesc},
    {slot::MyGetIPX, Library::kNetworkManager, kMyGetIPX},
    {slot::SnmpDiscovery, Library::kNetworkManager, kSnmpDiscovery},
    {slot::SnmpDiscoveryAdv, Library::kNetworkManager, kSnmpDiscoveryAdv},
    {slot::MySetNetworkPortAdv, Library::kNetworkManager, kMySetNetworkPortAdv},
    {slot::MyGetPrinterDescAdv, Library::kNetworkManager, kMyGetPrinterDescAdv},
    {slot::MyGetIPXAdv, Library::kNetworkManager, kMyGetIPXAdv},
    {slot::Preinstall, Library::kPreinstaller, kPreinstall},
    {slot::SetIP, Library::kSetIp, kSetIP},
    {slot::GetNetPrinter, Library::kSetIp, kGetNetPrinter},
    {slot::WSP_Start, Library::kWirelessSetup, kWSP_Start},
};
static_assert(sizeof(kBindings) / sizeof(kBindings[0]) == slot::Count,
              "every entry point is bound from one library");

// Texts handed to a library are never null.
const wchar_t* Text(const wchar_t* text) { return text != nullptr ? text : L""; }

// Truth values: only the lowest byte counts.
bool Truth(BOOL result) { return (static_cast<unsigned>(result) & 0xFFu) != 0; }

template <class R>
R Missing(const wchar_t* name, R result) {
    GlobalLog().Print(L"Call %ls ==> NULL", name);
    return result;
}

// Calls |entry|(|args|...) under the fault guard; a fault is logged and gives
// |faultResult|. The arguments are plain values and pointers: nothing in the
// guarded frames owns anything.
template <class R, class Proc, class... Args>
R Call(const wchar_t* name, R faultResult, Proc entry, Args... args) {
    R result = faultResult;
    if (!GuardedCall([&] { result = entry(args...); })) {
        GlobalLog().Print(L"Call %ls() ==> GPF!!!!", name);
        return faultResult;
    }
    return result;
}

// |text| cut to |length| - 1 characters in a buffer of |length|.
template <std::size_t N>
void CopyCut(wchar_t (&buffer)[N], const std::wstring& text) {
    const std::size_t count = text.size() < N - 1 ? text.size() : N - 1;
    wmemcpy(buffer, text.data(), count);
    buffer[count] = L'\0';
}

}  // namespace

bool CSupportLibrary::Load(const wchar_t* section, const SUPPORT_LIBRARY_SOURCE& source) {
    if (loaded_) return true;
    loaded_ = true;
    data_ = (source.data != nullptr && source.data->MainLoaded()) ? source.data : nullptr;
    section_ = Text(section);
    resolvedSection_ = section_;
    if (data_ != nullptr) {
        std::wstring variant;
        if (data_->ResolveSection(section_.c_str(), variant)) resolvedSection_ = variant;
    }
    sourceDirectory_ = source.sourceDirectory;
    manufacturer_ = source.manufacturer;
    model_ = source.model;

    LoadOne(Library::kInstaller, Locate(L"INSTALLER_DLL", L".\\data\\Vxrun.dll", true),
            L"Load installer DLL fail (%ls)");
    LoadOne(Library::kUtility, Locate(L"UTILITY_DLL", L".\\data\\Vxutil.dll", true), L"Load Utility DLL fail (%ls)");
    LoadOne(Library::kRemoteInstall, Locate(L"REMOTE_INSTALL_DLL", L".\\data\\Vxrmtint.dll", true),
            L"Load Remote DLL fail (%ls)");
    LoadOne(Library::kDiagnosis, Locate(L"DIAGNOSIS_DLL", L".\\data\\Vxdiag.dll", true),
            L"Load Diagnosis DLL fail (%ls)");

    // The test pages come from the diagnosis library unless a library of their own is named.
    std::wstring testPageDefault = L".\\data\\Vxdiag.dll";
    std::wstring diagnosis;
    if (data_ != nullptr && data_->GetString(section_.c_str(), L"DIAGNOSIS_DLL", diagnosis, true)) {
        testPageDefault = diagnosis;
    }
    LoadOne(Library::kTestPage, Locate(L"TESTPAGE_DLL", testPageDefault.c_str(), true),
            L"Load TestPage DLL fail (%ls)");

    const std::wstring network = Locate(L"NETWORKMAN_DLL", L".\\data\\VxNetMan.dll", true);
    networkPath_ = Kept(L"NETWORKMAN_DLL", network);
    if (network.empty()) {
        GlobalLog().Print(L"Get network Netmanager DLL fail");
    } else {
        LoadOne(Library::kNetworkManager, network, L"Load Netmanager DLL fail (%ls)");
    }

    const std::wstring resource = Locate(L"RESOURCE_DLL", L".\\VXres.dll", true);
    resourcePath_ = Kept(L"RESOURCE_DLL", resource);
    LoadOne(Library::kResource, resource, L"Load Resource DLL fail (%ls)");

    uninstallerPath_ = Kept(L"UNINSTALLER_EXE", Locate(L"UNINSTALLER_EXE", L".\\data\\VXDelAll.exe", true));
    documentOpenerPath_ = Kept(L"VXOPEN_EXE", Locate(L"VXOPEN_EXE", L".\\data\\Vxopen.exe", true));

    LoadOne(Library::kPreinstaller, Locate(L"PREINSTALLER_DLL", L".\\data\\VXpre.dll", true), L"%ls");
    LoadOne(Library::kSetIp, Locate(L"SETIP_DLL", L".\\data\\Setip.dll", true), L"Load SetIP DLL fail (%ls)");
    LoadOne(Library::kWirelessSetup, Locate(L"VXWSP_DLL", L".\\data\\Setup\\Bin\\vxwsp.dll", true),
            L"Load WSP DLL fail (%ls)");

    const std::wstring wirelessDefault = sourceDirectory_ + L"\\Data";
    wirelessDirectory_ = Kept(L"WSP_DIR", Locate(L"WSP_DIR", wirelessDefault.c_str(), false));
    if (wirelessDirectory_.empty()) GlobalLog().Print(L"Get WSP Root Directory Fail!!");

    Bind();
    return true;
}

std::wstring CSupportLibrary::ReadKey(const wchar_t* key, bool& found) const {
    std::wstring value;
    found = false;
    if (data_ == nullptr) return value;
    found = data_->GetString(resolvedSection_.c_str(), key, value, true);
    if (!found && resolvedSection_ != section_) found = data_->GetString(section_.c_str(), key, value, true);
    return value;
}

std::wstring CSupportLibrary::Locate(const wchar_t* key, const wchar_t* defaultPath, bool library) {
    bool found = false;
    std::wstring value = ReadKey(key, found);
    if (!found) value = defaultPath;
    // A directory named empty stays empty: there is none.
    if (!library && value.empty()) return value;
    return ResolveFilePath(value, sourceDirectory_, library);
}

void CSupportLibrary::LoadOne(Library library, const std::wstring& path, const wchar_t* failureFormat) {
    CModuleHandle& module = modules_[static_cast<std::size_t>(library)];
    DWORD error = ERROR_FILE_NOT_FOUND;
    if (!path.empty()) {
        *module.Receive() = LoadLibraryW(path.c_str());
        error = GetLastError();
    }
    if (!module) GlobalLog().PrintError(error, failureFormat, path.c_str());
}

std::wstring CSupportLibrary::Kept(const wchar_t* key, const std::wstring& path) const {
    if (path.size() <= kStoredPathLength) return path;
    GlobalLog().Print(L"%ls path longer than %u characters, kept cut (%ls)", key,
                      static_cast<unsigned>(kStoredPathLength), path.c_str());
    return path.substr(0, kStoredPathLength);
}

void CSupportLibrary::Bind() {
    static_assert(slot::Count == kEntryCount, "one slot per entry point");
    for (const ENTRY_BINDING& binding : kBindings) {
        const HMODULE module = modules_[static_cast<std::size_t>(binding.library)].Get();
        entries_[binding.entry] = module != nullptr ? GetProcAddress(module, binding.name) : nullptr;
    }
}

template <class Proc>
Proc CSupportLibrary::Bound(std::size_t entry) const {
    return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(entries_[entry]));
}

DoRemoteInstallProc CSupportLibrary::DoRemoteInstallEntry() const {
    return Bound<DoRemoteInstallProc>(slot::DoRemoteInstall);
}

bool CSupportLibrary::GetDevicePort(const wchar_t* manufacturer, const wchar_t* model, const wchar_t* vidPid,
                                    wchar_t* port, DWORD* portCount) const {
    const auto entry = Bound<GetDevicePortProc>(slot::GetDevicePort);
    bool result = false;
    if (entry == nullptr) {
        result = Missing(L"GetDevicePort", false);
    } else {
        GlobalLog().Print(L"Call GetDevicePort(%ls,%ls,%ls,lpPort,lpdwPortNum)", Text(manufacturer), Text(model),
                          Text(vidPid));
        BOOL returned = FALSE;
        if (GuardedCall([&] { returned = entry(Text(manufacturer), Text(model), Text(vidPid), port, portCount); })) {
            return Truth(returned);
        }
        GlobalLog().Print(L"Call GetDevicePort() ==> GPF!!!!");
    }
    // No answer: no device, and outputs a caller can read.
    if (port != nullptr) port[0] = L'\0';
    if (portCount != nullptr) *portCount = 0;
    return result;
}

bool CSupportLibrary::RemoveHardwareWizardDialog() const {
    const auto entry = Bound<RemoveHardwareWizardDialogProc>(slot::RemoveHardwareWizardDialog);
    if (entry == nullptr) return Missing(L"RemoveHardwareWizardDialog", false);
    return Truth(Call(L"RemoveHardwareWizardDialog", FALSE, entry));
}

bool CSupportLibrary::MySetForegroundNHWdDialog() const {
    const auto entry = Bound<MySetForegroundNHWdDialogProc>(slot::MySetForegroundNHWdDialog);
    if (entry == nullptr) return Missing(L"MySetForegroundNHWdDialog", false);
    return Truth(Call(L"MySetForegroundNHWdDialog", FALSE, entry));
}

bool CSupportLibrary::StartPreventPnP(const wchar_t* manufacturerModel) const {
    const auto entry = Bound<StartPreventPnPProc>(slot::StartPreventPnP);
    if (entry == nullptr) return Missing(L"StartPreventPnP", false);
    GlobalLog().Print(L"Call StartPreventPnP(%ls)", Text(manufacturerModel));
    return Truth(Call(L"StartPreventPnP", FALSE, entry, Text(manufacturerModel)));
}

bool CSupportLibrary::EndPreventPnP(const wchar_t* manufacturerModel) const {
    const auto entry = Bound<EndPreventPnPProc>(slot::EndPreventPnP);
    if (entry == nullptr) return Missing(L"EndPreventPnP", false);
    GlobalLog().Print(L"Call EndPreventPnP(%ls)", Text(manufacturerModel));
    return Truth(Call(L"EndPreventPnP", FALSE, entry, Text(manufacturerModel)));
}

bool CSupportLibrary::SystemRefresh(const wchar_t* manufacturerModel, const wchar_t* vidPid) const {
    const auto entry = Bound<SystemRefreshProc>(slot::SystemRefresh);
    if (entry == nullptr) return Missing(L"SystemRefresh", false);
    GlobalLog().Print(L"Call SystemRefresh(%ls,%ls)", Text(manufacturerModel), Text(vidPid));
    return Truth(Call(L"SystemRefresh", FALSE, entry, Text(manufacturerModel), Text(vidPid)));
}

bool CSupportLibrary::RemoveUnknownDev(const wchar_t* manufacturerModel, const wchar_t* vidPid) const {
    const auto entry = Bound<RemoveUnknownDevProc>(slot::RemoveUnknownDev);
    if (entry == nullptr) return Missing(L"RemoveUnknownDev", false);
    GlobalLog().Print(L"Call RemoveUnknownDev(%ls,%ls)", Text(manufacturerModel), Text(vidPid));
    return Truth(Call(L"RemoveUnknownDev", FALSE, entry, Text(manufacturerModel), Text(vidPid)));
}

int CSupportLibrary::MyGetDeviceIDFromPort(const wchar_t* port, wchar_t* deviceId) const {
    const auto entry = Bound<MyGetDeviceIDFromPortProc>(slot::MyGetDeviceIDFromPort);
    if (entry == nullptr) return Missing(L"MyGetDeviceIDFromPort", 0);
    GlobalLog().Print(L"Call MyGetDeviceIDFromPort");
    return Call(L"MyGetDeviceIDFromPort", 0, entry, Text(port), deviceId);
}

int CSupportLibrary::SaveFile(const wchar_t* file, const wchar_t* keyPath, int reserved) const {
    const auto entry = Bound<SaveFileProc>(slot::SaveFile);
    if (entry == nullptr) return Missing(L"SaveFile", 0);
    GlobalLog().Print(L"Call SaveFile(%ls,%ls,%d)", Text(file), Text(keyPath), reserved);
    return Call(L"SaveFile", 0, entry, Text(file), Text(keyPath), reserved);
}

DWORD CSupportLibrary::GetDiskFreeSpaceVX(const wchar_t* path) const {
    const auto entry = Bound<GetDiskFreeSpaceVXProc>(slot::GetDiskFreeSpaceVX);
    if (entry == nullptr) return Missing(L"GetDiskFreeSpaceVX", DWORD{0});
    GlobalLog().Print(L"Call GetDiskFreeSpaceVX(%ls)", Text(path));
    return Call(L"GetDiskFreeSpaceVX", DWORD{0}, entry, Text(path));
}

int CSupportLibrary::MyInstall(int reserved, const wchar_t* recordsRoot, const wchar_t* itemKey, int installed) const {
    const auto entry = Bound<MyInstallProc>(slot::MyInstall);
    if (entry == nullptr) return Missing(L"MyInstall", 0);
    GlobalLog().Print(L"Call MyInstall(%d,%ls,%ls,%d)", reserved, Text(recordsRoot), Text(itemKey), installed);
    return Call(L"MyInstall", 0, entry, reserved, Text(recordsRoot), Text(itemKey), installed);
}

int CSupportLibrary::MyCreateShortCut(int reserved, const wchar_t* recordsRoot, const wchar_t* shortcutKey) const {
    const auto entry = Bound<MyCreateShortCutProc>(slot::MyCreateShortCut);
    if (entry == nullptr) return Missing(L"MyCreateShortCut", 0);
    GlobalLog().Print(L"Call MyCreateShortCut(%d,%ls,%ls)", reserved, Text(recordsRoot), Text(shortcutKey));
    return Call(L"MyCreateShortCut", 0, entry, reserved, Text(recordsRoot), Text(shortcutKey));
}

int CSupportLibrary::PrintTestPage(const wchar_t* printer, const wchar_t* text, const wchar_t* url,
                                   const wchar_t* resourceLibrary, const wchar_t* bitmap) const {
    const auto entry = Bound<PrintTestPageProc>(slot::PrintTestPage);
    if (entry == nullptr) return Missing(L"PrintTestPage", -1);
    GlobalLog().Print(L"Call PrintTestPage(%ls,%ls,%ls,%ls,%ls)", Text(printer), Text(text), Text(url),
                      Text(resourceLibrary), Text(bitmap));
    return Call(L"PrintTestPage", -1, entry, Text(printer), Text(text), Text(url), Text(resourceLibrary),
                Text(bitmap));
}

int CSupportLibrary::MetaTestPage(const wchar_t* printer, const wchar_t* metafile) const {
    const auto entry = Bound<MetaTestPageProc>(slot::MetaTestPage);
    if (entry == nullptr) return Missing(L"MetaTestPage", -1);
    GlobalLog().Print(L"Call MetaTestPage(%ls,%ls)", Text(printer), Text(metafile));
    return Call(L"MetaTestPage", -1, entry, Text(printer), Text(metafile));
}

int CSupportLibrary::PrintPrnFile(const wchar_t* printer, const wchar_t* printFile) const {
    // Missing or faulting, the page was not printed: -1, so that the caller
    // prints the system's test page as for the other test pages.
    const auto entry = Bound<PrintPrnFileProc>(slot::PrintPrnFile);
    if (entry == nullptr) return Missing(L"PrintPrnFile", -1);
    GlobalLog().Print(L"Call PrintPrnFile(%ls,%ls)", Text(printer), Text(printFile));
    return Call(L"PrintPrnFile", -1, entry, Text(printer), Text(printFile));
}

int CSupportLibrary::Diagnosis(const wchar_t* manufacturer, const wchar_t* printer, const wchar_t* model,
                               const wchar_t* vidPid) const {
    const auto entry = Bound<DiagnosisProc>(slot::Diagnosis);
    if (entry == nullptr) return Missing(L"Diagnosis", 1);
    GlobalLog().Print(L"Call Diagnosis(%ls,%ls,%ls,%ls)", Text(manufacturer), Text(printer), Text(model),
                      Text(vidPid));
    return Call(L"Diagnosis", 1, entry, Text(manufacturer), Text(printer), Text(model), Text(vidPid));
}

int CSupportLibrary::DiagnosisEx(const wchar_t* manufacturer, const wchar_t* printer, const wchar_t* model,
                                 const wchar_t* vidPid, int reserved) const {
    const auto entry = Bound<DiagnosisExProc>(slot::DiagnosisEx);
    if (entry == nullptr) return Missing(L"DiagnosisEx", 1);
    GlobalLog().Print(L"Call DiagnosisEx(%ls,%ls,%ls,%ls,%d)", Text(manufacturer), Text(printer), Text(model),
                      Text(vidPid), reserved);
    return Call(L"DiagnosisEx", 1, entry, Text(manufacturer), Text(printer), Text(model), Text(vidPid), reserved);
}

int CSupportLibrary::MyGetPrinterDesc(const wchar_t* address, wchar_t* deviceId, int reserved) const {
    const auto entry = Bound<MyGetPrinterDescProc>(slot::MyGetPrinterDesc);
    if (entry == nullptr) return Missing(L"MyGetPrinterDesc", 4096);
    GlobalLog().Print(L"Call MyGetPrinterDesc(%ls)", Text(address));
    return Call(L"MyGetPrinterDesc", 4096, entry, Text(address), deviceId, reserved);
}

int CSupportLibrary::MyGetPrinterDescAdv(const wchar_t* address, wchar_t* deviceId, int publicOid,
                                         const wchar_t* community) const {
    const auto entry = Bound<MyGetPrinterDescAdvProc>(slot::MyGetPrinterDescAdv);
    if (entry == nullptr) {
        Missing(L"MyGetPrinterDescAdv", 0);
        return MyGetPrinterDesc(address, deviceId, 0);
    }
    GlobalLog().Print(L"Call MyGetPrinterDescAdv");
    return Call(L"MyGetPrinterDescAdv", 1, entry, Text(address), deviceId, publicOid, Text(community));
}

int CSupportLibrary::MyGetIPX(const wchar_t* address, wchar_t* ipx) const {
    const auto entry = Bound<MyGetIPXProc>(slot::MyGetIPX);
    if (entry == nullptr) return Missing(L"MyGetIPX", 0);
    GlobalLog().Print(L"Call MyGetIPX(%ls)", Text(address));
    return Call(L"MyGetIPX", 0, entry, Text(address), ipx);
}

int CSupportLibrary::MyGetIPXAdv(const wchar_t* address, wchar_t* ipx, const wchar_t* community) const {
    const auto entry = Bound<MyGetIPXAdvProc>(slot::MyGetIPXAdv);
    if (entry == nullptr) {
        Missing(L"MyGetIPXAdv", 0);
        return MyGetIPX(address, ipx);
    }
    GlobalLog().Print(L"Call MyGetIPXAdv");
    // Non-zero means success here: a fault gives 0, not an address never read.
    return Call(L"MyGetIPXAdv", 0, entry, Text(address), ipx, Text(community));
}

int CSupportLibrary::MySetNetworkPortEx(const wchar_t* port, const wchar_t* address, const wchar_t* mac,
                                        const wchar_t* ipx, const wchar_t* monitorName, const wchar_t* monitorFile,
                                        const wchar_t* mutexName, int noMonitor) const {
    const auto entry = Bound<MySetNetworkPortExProc>(slot::MySetNetworkPortEx);
    if (entry == nullptr) return Missing(L"MySetNetworkPortEx", 0);
    GlobalLog().Print(L"Call MySetNetworkPortEx(%ls,%ls,%ls,%ls,%ls,%ls,%ls,%d)", Text(port), Text(address),
                      Text(mac), Text(ipx), Text(monitorName), Text(monitorFile), Text(mutexName), noMonitor);
    return Call(L"MySetNetworkPortEx", 0, entry, Text(port), Text(address), Text(mac), Text(ipx), Text(monitorName),
                Text(monitorFile), Text(mutexName), noMonitor);
}

int CSupportLibrary::MySetNetworkPortAdv(const wchar_t* port, const wchar_t* address, const wchar_t* mac,
                                         const wchar_t* ipx, const wchar_t* monitorName, const wchar_t* monitorFile,
                                         const wchar_t* mutexName, int noMonitor, const wchar_t* community) const {
    const auto entry = Bound<MySetNetworkPortAdvProc>(slot::MySetNetworkPortAdv);
    if (entry == nullptr) {
        Missing(L"MySetNetworkPortAdv", 0);
        return MySetNetworkPortEx(port, address, mac, ipx, monitorName, monitorFile, mutexName, noMonitor);
    }
    GlobalLog().Print(L"Call MySetNetworkPortAdv");
    return Call(L"MySetNetworkPortAdv", 0, entry, Text(port), Text(address), Text(mac), Text(ipx), Text(monitorName),
                Text(monitorFile), Text(mutexName), noMonitor, Text(community));
}

int CSupportLibrary::MyDelNetworkPort(const wchar_t* port, const wchar_t* settings, int flag) const {
    const auto entry = Bound<MyDelNetworkPortProc>(slot::MyDelNetworkPort);
    if (entry == nullptr) return Missing(L"MyDelNetworkPort", 0);
    GlobalLog().Print(L"Call MyDelNetworkPort(%ls,%ls,%d)", Text(port), Text(settings), flag);
    return Call(L"MyDelNetworkPort", 0, entry, Text(port), Text(settings), flag);
}

int CSupportLibrary::SnmpDiscovery(SnmpDiscoveryCallback callback) const {
    const auto entry = Bound<SnmpDiscoveryProc>(slot::SnmpDiscovery);
    if (entry == nullptr) return Missing(L"SnmpDisvoery", 0);
    GlobalLog().Print(L"Call SnmpDiscovery()");
    return Call(L"SnmpDiscovery", 0, entry, callback);
}

int CSupportLibrary::SnmpDiscoveryAdv(SnmpDiscoveryCallback callback, const wchar_t* community) const {
    const auto entry = Bound<SnmpDiscoveryAdvProc>(slot::SnmpDiscoveryAdv);
    if (entry == nullptr) {
        Missing(L"SnmpDiscoveryAdv", 0);
        return SnmpDiscovery(callback);
    }
    GlobalLog().Print(L"Call SnmpDiscoveryAdv");
    return Call(L"SnmpDiscoveryAdv", 1, entry, callback, Text(community));
}

int CSupportLibrary::GetNetPrinter(void* records, DWORD* size, DWORD* count) const {
    const auto entry = Bound<GetNetPrinterProc>(slot::GetNetPrinter);
    if (entry == nullptr) return Missing(L"GetNetPrinter", 1);
    GlobalLog().Print(L"Call GetNetPrinter");
    return Call(L"GetNetPrinter", 1, entry, records, size, count);
}

DWORD CSupportLibrary::SetIP(const wchar_t* address, const wchar_t* gateway, const wchar_t* mask,
                             const wchar_t* mac) const {
    const auto entry = Bound<SetIPProc>(slot::SetIP);
    if (entry == nullptr) return Missing(L"SetIP", DWORD{1});
    GlobalLog().Print(L"Call SetIP(%ls,%ls,%ls,%ls)", Text(address), Text(gateway), Text(mask), Text(mac));
    return Call(L"SetIP", DWORD{1}, entry, Text(address), Text(gateway), Text(mask), Text(mac));
}

int CSupportLibrary::Preinstall(const wchar_t* command, HWND owner) const {
    const auto entry = Bound<PreinstallProc>(slot::Preinstall);
    if (entry == nullptr) return Missing(L"Preinstall", -1);
    GlobalLog().Print(L"Call Preinstall(%ls,%d)", Text(command), static_cast<int>(reinterpret_cast<INT_PTR>(owner)));
    return Call(L"Preinstall", -1, entry, Text(command), owner);
}

int CSupportLibrary::WSP_Start(const wchar_t* language, const wchar_t* community, wchar_t* result,
                               DWORD resultSize) const {
    const auto entry = Bound<WSP_StartProc>(slot::WSP_Start);
    if (entry == nullptr) return Missing(L"WSP_Start", 1);
    wchar_t manufacturer[kWirelessResultLength];
    wchar_t model[kWirelessResultLength];
    wchar_t abbreviation[kWirelessResultLength];
    CopyCut(manufacturer, manufacturer_);
    CopyCut(model, model_);
    CopyCut(abbreviation, Text(language));
    const int mode = 1;
    GlobalLog().Print(L"Call WSP_Start (%ls,%ls,%ls,%ls,%d,%ls)", wirelessDirectory_.c_str(), manufacturer, model,
                      abbreviation, mode, Text(community));
    return Call(L"WSP_Start", 1, entry, wirelessDirectory_.c_str(), static_cast<const wchar_t*>(manufacturer),
                static_cast<const wchar_t*>(model), static_cast<const wchar_t*>(abbreviation), mode, Text(community),
                result, resultSize);
}
