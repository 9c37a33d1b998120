#include "APIFunction.h"

#include <atomic>

namespace {

using Library = CAPIFunction::Library;
using Entry = CAPIFunction::Entry;

struct EntryInfo {
    Entry entry;
    Library library;
    const char* exportName;
};

// Text functions are bound in their wide-character form.
constexpr EntryInfo kEntries[] = {
    {Entry::kRegisterDeviceNotification, Library::kUser32, "RegisterDeviceNotificationW"},
    {Entry::kUnregisterDeviceNotification, Library::kUser32, "UnregisterDeviceNotification"},
    {Entry::kGetWindowModuleFileName, Library::kUser32, "GetWindowModuleFileNameW"},
    {Entry::kGetDiskFreeSpaceEx, Library::kKernel32, "GetDiskFreeSpaceExW"},
    {Entry::kMoveFileEx, Library::kKernel32, "MoveFileExW"},
    {Entry::kSetupDiEnumDeviceInterfaces, Library::kSetupApi, "SetupDiEnumDeviceInterfaces"},
    {Entry::kSetupDiGetDeviceInterfaceDetail, Library::kSetupApi, "SetupDiGetDeviceInterfaceDetailW"},
    {Entry::kSetupDiOpenDeviceInterfaceRegKey, Library::kSetupApi, "SetupDiOpenDeviceInterfaceRegKey"},
    {Entry::kSetupDiGetClassDevs, Library::kSetupApi, "SetupDiGetClassDevsW"},
    {Entry::kSetupDiDestroyDeviceInfoList, Library::kSetupApi, "SetupDiDestroyDeviceInfoList"},
    {Entry::kSetupDiEnumDeviceInfo, Library::kSetupApi, "SetupDiEnumDeviceInfo"},
    {Entry::kSetupDiGetDeviceRegistryProperty, Library::kSetupApi, "SetupDiGetDeviceRegistryPropertyW"},
    {Entry::kSetupDiSetDeviceRegistryProperty, Library::kSetupApi, "SetupDiSetDeviceRegistryPropertyW"},
    {Entry::kSetupDiRemoveDevice, Library::kSetupApi, "SetupDiRemoveDevice"},
    {Entry::kSetupOpenInfFile, Library::kSetupApi, "SetupOpenInfFileW"},
    {Entry::kSetupGetLineByIndex, Library::kSetupApi, "SetupGetLineByIndexW"},
    {Entry::kSetupGetStringField, Library::kSetupApi, "SetupGetStringFieldW"},
    {Entry::kSetupCloseInfFile, Library::kSetupApi, "SetupCloseInfFile"},
    {Entry::kSetupGetLineCount, Library::kSetupApi, "SetupGetLineCountW"},
    {Entry::kSetupGetInfFileList, Library::kSetupApi, "SetupGetInfFileListW"},
    {Entry::kSetupGetInfInformation, Library::kSetupApi, "SetupGetInfInformationW"},
    {Entry::kSetupQueryInfFileInformation, Library::kSetupApi, "SetupQueryInfFileInformationW"},
    {Entry::kSetupQueryInfVersionInformation, Library::kSetupApi, "SetupQueryInfVersionInformationW"},
    {Entry::kCMP_WaitNoPendingInstallEvents, Library::kSetupApi, "CMP_WaitNoPendingInstallEvents"},
    {Entry::kNetWkstaGetInfo, Library::kNetapi32, "NetWkstaGetInfo"},
    {Entry::kInitializeSecurityDescriptor, Library::kAdvapi32, "InitializeSecurityDescriptor"},
    {Entry::kAllocateAndInitializeSid, Library::kAdvapi32, "AllocateAndInitializeSid"},
    {Entry::kInitializeAcl, Library::kAdvapi32, "InitializeAcl"},
    {Entry::kAddAccessAllowedObjectAce, Library::kAdvapi32, "AddAccessAllowedObjectAce"},
    {Entry::kSetSecurityDescriptorDacl, Library::kAdvapi32, "SetSecurityDescriptorDacl"},
    {Entry::kSetSecurityDescriptorControl, Library::kAdvapi32, "SetSecurityDescriptorControl"},
    {Entry::kFreeSid, Library::kAdvapi32, "FreeSid"},
    {Entry::kGradientFill, Library::kMsimg32, "GradientFill"},
    {Entry::kWNetAddConnection2, Library::kMpr, "WNetAddConnection2W"},
};
static_assert(sizeof(kEntries) / sizeof(kEntries[0]) == CAPIFunction::kEntryCount, "one row per entry");

constexpr bool RowsFollowTheEntries() {
    for (std::size_t i = 0; i < CAPIFunction::kEntryCount; ++i)
        if (static_cast<std::size_t>(kEntries[i].entry) != i) return false;
    return true;
}
static_assert(RowsFollowTheEntries(), "row i describes entry i");

constexpr const wchar_t* kLibraryFiles[] = {
    L"Kernel32.dll", L"User32.dll", L"SetupAPI.dll", L"Netapi32.dll", L"ADVAPI32.dll", L"Msimg32.dll", L"MPR.dll",
};
static_assert(sizeof(kLibraryFiles) / sizeof(kLibraryFiles[0]) == CAPIFunction::kLibraryCount,
              "one file per library");

// The order in which Load() loads the libraries.
constexpr Library kLoadOrder[] = {
    Library::kMpr,      Library::kMsimg32,  Library::kKernel32, Library::kUser32,
    Library::kSetupApi, Library::kNetapi32, Library::kAdvapi32,
};

const EntryInfo& InfoOf(Entry entry) { return kEntries[static_cast<std::size_t>(entry)]; }

using PfnCmpWaitNoPendingInstallEvents = DWORD(WINAPI*)(DWORD);

std::atomic<CAPIFunction*> gTable{nullptr};

}  // namespace

CAPIFunction::~CAPIFunction() {
    for (HMODULE& module : modules_) {
        if (module != nullptr) FreeLibrary(module);
        module = nullptr;
    }
}

CAPIFunction::Library CAPIFunction::LibraryOf(Entry entry) { return InfoOf(entry).library; }

const char* CAPIFunction::ExportNameOf(Entry entry) { return InfoOf(entry).exportName; }

const wchar_t* CAPIFunction::FileNameOf(Library library) { return kLibraryFiles[static_cast<std::size_t>(library)]; }

HMODULE CAPIFunction::LoadSystemLibrary(const wchar_t* fileName) { return LoadLibraryW(fileName); }

bool CAPIFunction::Load() {
    // A second load would take a second reference on every library while the
    // object frees each one once.
    if (loaded_) return true;
    loaded_ = true;
    for (Library library : kLoadOrder) {
        HMODULE module = LoadSystemLibrary(FileNameOf(library));
        modules_[static_cast<std::size_t>(library)] = module;
        if (module == nullptr) continue;
        for (const EntryInfo& info : kEntries)
            if (info.library == library) entries_[static_cast<std::size_t>(info.entry)] = GetProcAddress(module, info.exportName);
    }
    return true;
}

bool CAPIFunction::BindEntry(Entry entry, const char* exportName) {
    FARPROC& slot = entries_[static_cast<std::size_t>(entry)];
    const HMODULE module = Module(LibraryOf(entry));
    slot = (module != nullptr && exportName != nullptr) ? GetProcAddress(module, exportName) : nullptr;
    return slot != nullptr;
}

template <typename Function>
Function CAPIFunction::Get(Entry entry) const {
    // Through the generic function type, which any function pointer converts
    // to and from without loss.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(entries_[static_cast<std::size_t>(entry)]));
}

HDEVNOTIFY CAPIFunction::RegisterDeviceNotification(HANDLE recipient, LPVOID filter, DWORD flags) const {
    auto function = Get<decltype(&::RegisterDeviceNotificationW)>(Entry::kRegisterDeviceNotification);
    return function != nullptr ? function(recipient, filter, flags) : nullptr;
}

BOOL CAPIFunction::UnregisterDeviceNotification(HDEVNOTIFY handle) const {
    auto function = Get<decltype(&::UnregisterDeviceNotification)>(Entry::kUnregisterDeviceNotification);
    return function != nullptr ? function(handle) : FALSE;
}

UINT CAPIFunction::GetWindowModuleFileName(HWND window, LPWSTR fileName, UINT size) const {
    auto function = Get<decltype(&::GetWindowModuleFileNameW)>(Entry::kGetWindowModuleFileName);
    return function != nullptr ? function(window, fileName, size) : 0;
}

BOOL CAPIFunction::MoveFileEx(LPCWSTR existing, LPCWSTR target, DWORD flags) const {
    auto function = Get<decltype(&::MoveFileExW)>(Entry::kMoveFileEx);
    return function != nullptr ? function(existing, target, flags) : FALSE;
}

BOOL CAPIFunction::SetupDiEnumDeviceInterfaces(HDEVINFO set, PSP_DEVINFO_DATA device, const GUID* interfaceClass,
                                               DWORD index, PSP_DEVICE_INTERFACE_DATA data) const {
    auto function = Get<decltype(&::SetupDiEnumDeviceInterfaces)>(Entry::kSetupDiEnumDeviceInterfaces);
    return function != nullptr ? function(set, device, interfaceClass, index, data) : FALSE;
}

BOOL CAPIFunction::SetupDiGetDeviceInterfaceDetail(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data,
                                                   PSP_DEVICE_INTERFACE_DETAIL_DATA_W detail, DWORD detailSize,
                                                   PDWORD requiredSize, PSP_DEVINFO_DATA device) const {
    auto function = Get<decltype(&::SetupDiGetDeviceInterfaceDetailW)>(Entry::kSetupDiGetDeviceInterfaceDetail);
    return function != nullptr ? function(set, data, detail, detailSize, requiredSize, device) : FALSE;
}

HKEY CAPIFunction::SetupDiOpenDeviceInterfaceRegKey(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data, DWORD reserved,
                                                    REGSAM access) const {
    auto function = Get<decltype(&::SetupDiOpenDeviceInterfaceRegKey)>(Entry::kSetupDiOpenDeviceInterfaceRegKey);
    return function != nullptr ? function(set, data, reserved, access) : nullptr;
}

HDEVINFO CAPIFunction::SetupDiGetClassDevs(const GUID* classGuid, PCWSTR enumerator, HWND parent,
                                           DWORD flags) const {
    auto function = Get<decltype(&::SetupDiGetClassDevsW)>(Entry::kSetupDiGetClassDevs);
    return function != nullptr ? function(classGuid, enumerator, parent, flags) : nullptr;
}

BOOL CAPIFunction::SetupDiDestroyDeviceInfoList(HDEVINFO set) const {
    auto function = Get<decltype(&::SetupDiDestroyDeviceInfoList)>(Entry::kSetupDiDestroyDeviceInfoList);
    return function != nullptr ? function(set) : FALSE;
}

BOOL CAPIFunction::SetupDiEnumDeviceInfo(HDEVINFO set, DWORD index, PSP_DEVINFO_DATA device) const {
    auto function = Get<decltype(&::SetupDiEnumDeviceInfo)>(Entry::kSetupDiEnumDeviceInfo);
    return function != nullptr ? function(set, index, device) : FALSE;
}

BOOL CAPIFunction::SetupDiGetDeviceRegistryProperty(HDEVINFO set, PSP_DEVINFO_DATA device, DWORD property,
                                                    PDWORD type, PBYTE buffer, DWORD bufferSize,
                                                    PDWORD requiredSize) const {
    auto function = Get<decltype(&::SetupDiGetDeviceRegistryPropertyW)>(Entry::kSetupDiGetDeviceRegistryProperty);
    return function != nullptr ? function(set, device, property, type, buffer, bufferSize, requiredSize) : FALSE;
}

BOOL CAPIFunction::SetupDiSetDeviceRegistryProperty(HDEVINFO set, PSP_DEVINFO_DATA device, DWORD property,
                                                    const BYTE* buffer, DWORD bufferSize) const {
    auto function = Get<decltype(&::SetupDiSetDeviceRegistryPropertyW)>(Entry::kSetupDiSetDeviceRegistryProperty);
    return function != nullptr ? function(set, device, property, buffer, bufferSize) : FALSE;
}

BOOL CAPIFunction::SetupDiRemoveDevice(HDEVINFO set, PSP_DEVINFO_DATA device) const {
    auto function = Get<decltype(&::SetupDiRemoveDevice)>(Entry::kSetupDiRemoveDevice);
    return function != nullptr ? function(set, device) : FALSE;
}

HINF CAPIFunction::SetupOpenInfFile(PCWSTR fileName, PCWSTR infClass, DWORD style, PUINT errorLine) const {
    auto function = Get<decltype(&::SetupOpenInfFileW)>(Entry::kSetupOpenInfFile);
    return function != nullptr ? function(fileName, infClass, style, errorLine) : INVALID_HANDLE_VALUE;
}

BOOL CAPIFunction::SetupGetLineByIndex(HINF inf, PCWSTR section, DWORD index, PINFCONTEXT context) const {
    auto function = Get<decltype(&::SetupGetLineByIndexW)>(Entry::kSetupGetLineByIndex);
    return function != nullptr ? function(inf, section, index, context) : FALSE;
}

BOOL CAPIFunction::SetupGetStringField(PINFCONTEXT context, DWORD field, PWSTR buffer, DWORD bufferSize,
                                       PDWORD requiredSize) const {
    auto function = Get<decltype(&::SetupGetStringFieldW)>(Entry::kSetupGetStringField);
    return function != nullptr ? function(context, field, buffer, bufferSize, requiredSize) : FALSE;
}

void CAPIFunction::SetupCloseInfFile(HINF inf) const {
    auto function = Get<decltype(&::SetupCloseInfFile)>(Entry::kSetupCloseInfFile);
    if (function != nullptr) function(inf);
}

LONG CAPIFunction::SetupGetLineCount(HINF inf, PCWSTR section) const {
    auto function = Get<decltype(&::SetupGetLineCountW)>(Entry::kSetupGetLineCount);
    return function != nullptr ? function(inf, section) : -1;
}

BOOL CAPIFunction::SetupGetInfFileList(PCWSTR directory, DWORD style, PWSTR buffer, DWORD bufferSize,
                                       PDWORD requiredSize) const {
    auto function = Get<decltype(&::SetupGetInfFileListW)>(Entry::kSetupGetInfFileList);
    return function != nullptr ? function(directory, style, buffer, bufferSize, requiredSize) : FALSE;
}

BOOL CAPIFunction::SetupGetInfInformation(LPCVOID infSpec, DWORD search, PSP_INF_INFORMATION buffer,
                                          DWORD bufferSize, PDWORD requiredSize) const {
    auto function = Get<decltype(&::SetupGetInfInformationW)>(Entry::kSetupGetInfInformation);
    return function != nullptr ? function(infSpec, search, buffer, bufferSize, requiredSize) : FALSE;
}

BOOL CAPIFunction::SetupQueryInfFileInformation(PSP_INF_INFORMATION information, UINT index, PWSTR buffer,
                                                DWORD bufferSize, PDWORD requiredSize) const {
    auto function = Get<decltype(&::SetupQueryInfFileInformationW)>(Entry::kSetupQueryInfFileInformation);
    return function != nullptr ? function(information, index, buffer, bufferSize, requiredSize) : FALSE;
}

BOOL CAPIFunction::SetupQueryInfVersionInformation(PSP_INF_INFORMATION information, UINT index, PCWSTR key,
                                                   PWSTR buffer, DWORD bufferSize, PDWORD requiredSize) const {
    auto function = Get<decltype(&::SetupQueryInfVersionInformationW)>(Entry::kSetupQueryInfVersionInformation);
    return function != nullptr ? function(information, index, key, buffer, bufferSize, requiredSize) : FALSE;
}

DWORD CAPIFunction::CMP_WaitNoPendingInstallEvents(DWORD timeout) const {
    auto function = Get<PfnCmpWaitNoPendingInstallEvents>(Entry::kCMP_WaitNoPendingInstallEvents);
    return function != nullptr ? function(timeout) : WAIT_FAILED;
}

NET_API_STATUS CAPIFunction::NetWkstaGetInfo(LMSTR server, DWORD level, LPBYTE* buffer) const {
    auto function = Get<decltype(&::NetWkstaGetInfo)>(Entry::kNetWkstaGetInfo);
    return function != nullptr ? function(server, level, buffer) : 1;
}

BOOL CAPIFunction::InitializeSecurityDescriptor(PSECURITY_DESCRIPTOR descriptor, DWORD revision) const {
    auto function = Get<decltype(&::InitializeSecurityDescriptor)>(Entry::kInitializeSecurityDescriptor);
    return function != nullptr ? function(descriptor, revision) : FALSE;
}

BOOL CAPIFunction::AllocateAndInitializeSid(PSID_IDENTIFIER_AUTHORITY authority, BYTE count, DWORD sub0, DWORD sub1,
                                            DWORD sub2, DWORD sub3, DWORD sub4, DWORD sub5, DWORD sub6, DWORD sub7,
                                            PSID* sid) const {
    auto function = Get<decltype(&::AllocateAndInitializeSid)>(Entry::kAllocateAndInitializeSid);
    return function != nullptr ? function(authority, count, sub0, sub1, sub2, sub3, sub4, sub5, sub6, sub7, sid)
                               : FALSE;
}

BOOL CAPIFunction::InitializeAcl(PACL acl, DWORD size, DWORD revision) const {
    auto function = Get<decltype(&::InitializeAcl)>(Entry::kInitializeAcl);
    return function != nullptr ? function(acl, size, revision) : FALSE;
}

BOOL CAPIFunction::AddAccessAllowedObjectAce(PACL acl, DWORD revision, DWORD flags, DWORD mask, GUID* objectType,
                                             GUID* inheritedObjectType, PSID sid) const {
    auto function = Get<decltype(&::AddAccessAllowedObjectAce)>(Entry::kAddAccessAllowedObjectAce);
    return function != nullptr ? function(acl, revision, flags, mask, objectType, inheritedObjectType, sid) : FALSE;
}

BOOL CAPIFunction::SetSecurityDescriptorDacl(PSECURITY_DESCRIPTOR descriptor, BOOL present, PACL acl,
                                             BOOL defaulted) const {
    auto function = Get<decltype(&::SetSecurityDescriptorDacl)>(Entry::kSetSecurityDescriptorDacl);
    return function != nullptr ? function(descriptor, present, acl, defaulted) : FALSE;
}

BOOL CAPIFunction::SetSecurityDescriptorControl(PSECURITY_DESCRIPTOR descriptor, SECURITY_DESCRIPTOR_CONTROL mask,
                                                SECURITY_DESCRIPTOR_CONTROL bits) const {
    auto function = Get<decltype(&::SetSecurityDescriptorControl)>(Entry::kSetSecurityDescriptorControl);
    return function != nullptr ? function(descriptor, mask, bits) : FALSE;
}

PVOID CAPIFunction::FreeSid(PSID sid) const {
    auto function = Get<decltype(&::FreeSid)>(Entry::kFreeSid);
    return function != nullptr ? function(sid) : nullptr;
}

BOOL CAPIFunction::GradientFill(HDC dc, PTRIVERTEX vertices, ULONG vertexCount, PVOID mesh, ULONG meshCount,
                                ULONG mode) const {
    auto function = Get<decltype(&::GradientFill)>(Entry::kGradientFill);
    return function != nullptr ? function(dc, vertices, vertexCount, mesh, meshCount, mode) : FALSE;
}

DWORD CAPIFunction::WNetAddConnection2(LPNETRESOURCEW resource, LPCWSTR password, LPCWSTR user, DWORD flags) const {
    auto function = Get<decltype(&::WNetAddConnection2W)>(Entry::kWNetAddConnection2);
    return function != nullptr ? function(resource, password, user, flags) : 1;
}

CAPIFunction& GlobalApiTable() {
    CAPIFunction* table = gTable.load();
    if (table != nullptr) return *table;
    static CAPIFunction* own = [] {
        // Lives until the process ends: workers may still call through it
        // while static objects are being destroyed.
        auto* loaded = new CAPIFunction;
        loaded->Load();
        return loaded;
    }();
    return *own;
}

void SetGlobalApiTable(CAPIFunction* table) { gTable.store(table); }
