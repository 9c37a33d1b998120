#pragma once
// System functions that not every Windows version has, bound at run time.
//
// CAPIFunction owns the seven system libraries it loads (Kernel32, User32,
// SetupAPI, Netapi32, ADVAPI32, Msimg32, MPR) and a table of entry points
// taken from them with GetProcAddress. Each entry is called through a wrapper
// of the same name, parameters and result as the system function (text
// functions in their wide-character form): when the entry was found the
// function is called; when it was not, the wrapper returns that function's
// fixed failure result and logs nothing:
//
//   RegisterDeviceNotification        nullptr        SetupOpenInfFile        INVALID_HANDLE_VALUE
//   UnregisterDeviceNotification      FALSE          SetupGetLineByIndex     FALSE
//   GetWindowModuleFileName           0              SetupGetStringField     FALSE
//   GetDiskFreeSpaceEx                (no wrapper)   SetupCloseInfFile       (does nothing)
//   MoveFileEx                        FALSE          SetupGetLineCount       -1
//   SetupDiEnumDeviceInterfaces       FALSE          SetupGetInfFileList     FALSE
//   SetupDiGetDeviceInterfaceDetail   FALSE          SetupGetInfInformation  FALSE
//   SetupDiOpenDeviceInterfaceRegKey  nullptr        SetupQueryInfFileInformation     FALSE
//   SetupDiGetClassDevs               nullptr        SetupQueryInfVersionInformation  FALSE
//   SetupDiDestroyDeviceInfoList      FALSE          CMP_WaitNoPendingInstallEvents   WAIT_FAILED
//   SetupDiEnumDeviceInfo             FALSE          NetWkstaGetInfo         1
//   SetupDiGetDeviceRegistryProperty  FALSE          GradientFill            FALSE
//   SetupDiSetDeviceRegistryProperty  FALSE          WNetAddConnection2      1
//   SetupDiRemoveDevice               FALSE
//   InitializeSecurityDescriptor, AllocateAndInitializeSid, InitializeAcl, AddAccessAllowedObjectAce,
//   SetSecurityDescriptorDacl, SetSecurityDescriptorControl: FALSE;  FreeSid: nullptr
//
// A caller therefore never crashes on a system that lacks a function and only
// handles that function's ordinary failure value. The table is written by
// Load() alone, before use; afterwards the wrappers may be called from any
// thread.
//
// Note for callers: windows.h maps several of these names to their "W" forms
// (MoveFileEx -> MoveFileExW, ...); the wrappers are renamed the same way, so
// table.MoveFileEx(...) is table.MoveFileExW(...) and calls the wide function.

#include <windows.h>

#include <lm.h>
#include <setupapi.h>
#include <winnetwk.h>

#include <array>
#include <cstddef>

class CAPIFunction {
public:
    // The libraries, in the order the object keeps their handles.
    enum class Library : unsigned {
        kKernel32,
        kUser32,
        kSetupApi,
        kNetapi32,
        kAdvapi32,
        kMsimg32,
        kMpr,
        kCount
    };

    // The table's entries.
    enum class Entry : unsigned {
        kRegisterDeviceNotification,
        kUnregisterDeviceNotification,
        kGetWindowModuleFileName,
        kGetDiskFreeSpaceEx,
        kMoveFileEx,
        kSetupDiEnumDeviceInterfaces,
        kSetupDiGetDeviceInterfaceDetail,
        kSetupDiOpenDeviceInterfaceRegKey,
        kSetupDiGetClassDevs,
        kSetupDiDestroyDeviceInfoList,
        kSetupDiEnumDeviceInfo,
        kSetupDiGetDeviceRegistryProperty,
        kSetupDiSetDeviceRegistryProperty,
        kSetupDiRemoveDevice,
        kSetupOpenInfFile,
        kSetupGetLineByIndex,
        kSetupGetStringField,
        kSetupCloseInfFile,
        kSetupGetLineCount,
        kSetupGetInfFileList,
        kSetupGetInfInformation,
        kSetupQueryInfFileInformation,
        kSetupQueryInfVersionInformation,
        kCMP_WaitNoPendingInstallEvents,
        kNetWkstaGetInfo,
        kInitializeSecurityDescriptor,
        kAllocateAndInitializeSid,
        kInitializeAcl,
        kAddAccessAllowedObjectAce,
        kSetSecurityDescriptorDacl,
        kSetSecurityDescriptorControl,
        kFreeSid,
        kGradientFill,
        kWNetAddConnection2,
        kCount
    };

    static constexpr std::size_t kLibraryCount = static_cast<std::size_t>(Library::kCount);
    static constexpr std::size_t kEntryCount = static_cast<std::size_t>(Entry::kCount);

    // Every handle and entry null; nothing is loaded until Load().
    CAPIFunction() = default;
    // Frees every library that Load() loaded, once.
    virtual ~CAPIFunction();
    CAPIFunction(const CAPIFunction&) = delete;
    CAPIFunction& operator=(const CAPIFunction&) = delete;

    // Loads "MPR.dll", "Msimg32.dll", "Kernel32.dll", "User32.dll",
    // "SetupAPI.dll", "Netapi32.dll" and "ADVAPI32.dll", in this order, and
    // binds the entries of each library that loaded. A library that does not
    // load leaves its handle and its entries null. Loading a second time
    // changes nothing. Always true.
    bool Load();

    HMODULE Module(Library library) const { return modules_[static_cast<std::size_t>(library)]; }
    bool IsBound(Entry entry) const { return entries_[static_cast<std::size_t>(entry)] != nullptr; }
    // The library and the exported name an entry is bound from.
    static Library LibraryOf(Entry entry);
    static const char* ExportNameOf(Entry entry);
    static const wchar_t* FileNameOf(Library library);

    // The wrappers.
    HDEVNOTIFY RegisterDeviceNotification(HANDLE recipient, LPVOID filter, DWORD flags) const;
    BOOL UnregisterDeviceNotification(HDEVNOTIFY handle) const;
    UINT GetWindowModuleFileName(HWND window, LPWSTR fileName, UINT size) const;
    BOOL MoveFileEx(LPCWSTR existing, LPCWSTR target, DWORD flags) const;
    BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, PSP_DEVINFO_DATA device, const GUID* interfaceClass, DWORD index,
                                     PSP_DEVICE_INTERFACE_DATA data) const;
    BOOL SetupDiGetDeviceInterfaceDetail(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data,
                                         PSP_DEVICE_INTERFACE_DETAIL_DATA_W detail, DWORD detailSize,
                                         PDWORD requiredSize, PSP_DEVINFO_DATA device) const;
    HKEY SetupDiOpenDeviceInterfaceRegKey(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data, DWORD reserved,
                                          REGSAM access) const;
    HDEVINFO SetupDiGetClassDevs(const GUID* classGuid, PCWSTR enumerator, HWND parent, DWORD flags) const;
    BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set) const;
    BOOL SetupDiEnumDeviceInfo(HDEVINFO set, DWORD index, PSP_DEVINFO_DATA device) const;
    BOOL SetupDiGetDeviceRegistryProperty(HDEVINFO set, PSP_DEVINFO_DATA device, DWORD property, PDWORD type,
                                          PBYTE buffer, DWORD bufferSize, PDWORD requiredSize) const;
    BOOL SetupDiSetDeviceRegistryProperty(HDEVINFO set, PSP_DEVINFO_DATA device, DWORD property, const BYTE* buffer,
                                          DWORD bufferSize) const;
    BOOL SetupDiRemoveDevice(HDEVINFO set, PSP_DEVINFO_DATA device) const;
    HINF SetupOpenInfFile(PCWSTR fileName, PCWSTR infClass, DWORD style, PUINT errorLine) const;
    BOOL SetupGetLineByIndex(HINF inf, PCWSTR section, DWORD index, PINFCONTEXT context) const;
    BOOL SetupGetStringField(PINFCONTEXT context, DWORD field, PWSTR buffer, DWORD bufferSize,
                             PDWORD requiredSize) const;
    void SetupCloseInfFile(HINF inf) const;
    LONG SetupGetLineCount(HINF inf, PCWSTR section) const;
    BOOL SetupGetInfFileList(PCWSTR directory, DWORD style, PWSTR buffer, DWORD bufferSize,
                             PDWORD requiredSize) const;
    BOOL SetupGetInfInformation(LPCVOID infSpec, DWORD search, PSP_INF_INFORMATION buffer, DWORD bufferSize,
                                PDWORD requiredSize) const;
    BOOL SetupQueryInfFileInformation(PSP_INF_INFORMATION information, UINT index, PWSTR buffer, DWORD bufferSize,
                                      PDWORD requiredSize) const;
    BOOL SetupQueryInfVersionInformation(PSP_INF_INFORMATION information, UINT index, PCWSTR key, PWSTR buffer,
                                         DWORD bufferSize, PDWORD requiredSize) const;
    DWORD CMP_WaitNoPendingInstallEvents(DWORD timeout) const;
    NET_API_STATUS NetWkstaGetInfo(LMSTR server, DWORD level, LPBYTE* buffer) const;
    BOOL InitializeSecurityDescriptor(PSECURITY_DESCRIPTOR descriptor, DWORD revision) const;
    BOOL AllocateAndInitializeSid(PSID_IDENTIFIER_AUTHORITY authority, BYTE count, DWORD sub0, DWORD sub1,
                                  DWORD sub2, DWORD sub3, DWORD sub4, DWORD sub5, DWORD sub6, DWORD sub7,
                                  PSID* sid) const;
    BOOL InitializeAcl(PACL acl, DWORD size, DWORD revision) const;
    BOOL AddAccessAllowedObjectAce(PACL acl, DWORD revision, DWORD flags, DWORD mask, GUID* objectType,
                                   GUID* inheritedObjectType, PSID sid) const;
    BOOL SetSecurityDescriptorDacl(PSECURITY_DESCRIPTOR descriptor, BOOL present, PACL acl, BOOL defaulted) const;
    BOOL SetSecurityDescriptorControl(PSECURITY_DESCRIPTOR descriptor, SECURITY_DESCRIPTOR_CONTROL mask,
                                      SECURITY_DESCRIPTOR_CONTROL bits) const;
    PVOID FreeSid(PSID sid) const;
    BOOL GradientFill(HDC dc, PTRIVERTEX vertices, ULONG vertexCount, PVOID mesh, ULONG meshCount,
                      ULONG mode) const;
    DWORD WNetAddConnection2(LPNETRESOURCEW resource, LPCWSTR password, LPCWSTR user, DWORD flags) const;

protected:
    // How a library is loaded; a test may refuse one to stand for a system
    // that lacks it.
    virtual HMODULE LoadSystemLibrary(const wchar_t* fileName);
    // Binds |entry| again from its (loaded) library under |exportName|; the
    // entry is null when the library is not loaded or has no such export.
    // True when bound.
    bool BindEntry(Entry entry, const char* exportName);

private:
    // The bound entry as a typed function pointer, or nullptr.
    template <typename Function>
    Function Get(Entry entry) const;

    std::array<HMODULE, kLibraryCount> modules_{};
    std::array<FARPROC, kEntryCount> entries_{};
    bool loaded_ = false;
};

// The application's table. Until one is set, a table of this module's own,
// loaded on first use (thread-safe), answers. The application sets the table
// it owns at start-up, before any worker starts, and resets it (nullptr) before
// destroying it. Not owned.
CAPIFunction& GlobalApiTable();
void SetGlobalApiTable(CAPIFunction* table);
