#include "Utl.h"

#include <windows.h>
#include <winspool.h>

#include <cwchar>
#include <string>
#include <vector>

#include "Log.h"
#include "ScopedHandle.h"
#include "ServiceController.h"
#include "ShellFolders.h"

namespace {

constexpr DWORD kShortcutFolderWaitMs = 150;
constexpr int kShortcutFolderRetries = 10;
constexpr DWORD kPnPWaitMs = 1000;
constexpr int kPnPLimitedFurtherWaits = 61;
const wchar_t kSetupKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup";
const wchar_t kSourcePath[] = L"SourcePath";
const wchar_t kSourcePathOrg[] = L"SourcePath_ORG";

std::wstring Upper(const wchar_t* text, std::size_t length) {
    std::wstring upper(text, length);
    if (!upper.empty()) CharUpperBuffW(&upper[0], static_cast<DWORD>(upper.size()));
    return upper;
}

bool SameTextNoCase(const wchar_t* a, std::size_t aLength, const wchar_t* b, std::size_t bLength) {
    return aLength == bLength && Upper(a, aLength) == Upper(b, bLength);
}

bool SameTextNoCase(const wchar_t* a, const wchar_t* b) {
    return a != nullptr && b != nullptr && SameTextNoCase(a, wcslen(a), b, wcslen(b));
}

// The system's text for |code|, empty when it has none.
std::wstring SystemText(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&text), 0,
                       nullptr);
    std::wstring result;
    if (text != nullptr) {
        if (length > 0) result.assign(text, length);
        LocalFree(text);
    }
    return result;
}

// Fills a spooler buffer sized by a first call: |enumerate| takes buffer,
// size, needed and returned. An empty buffer with |count| 0 when there is
// nothing to list. False on failure; |allocationFailed| tells why.
template <typename Enumerate>
bool EnumerateSpooler(Enumerate enumerate, std::vector<BYTE>& buffer, DWORD& count, bool& allocationFailed) {
    allocationFailed = false;
    count = 0;
    DWORD needed = 0;
    // The list may grow between the sizing call and the filling one.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (enumerate(buffer.empty() ? nullptr : buffer.data(), static_cast<DWORD>(buffer.size()), &needed, &count)) {
            if (buffer.empty()) count = 0;
            return true;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= buffer.size()) return false;
        try {
            buffer.assign(needed, 0);
        } catch (const std::bad_alloc&) {
            allocationFailed = true;
            return false;
        }
    }
    return false;
}

template <typename Function>
Function BoundFunction(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// Whether a 32-bit process runs on 64-bit Windows (the registry then has two views).
bool IsWow64() {
#ifdef _WIN64
    return false;
#else
    using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);
    const auto isWow64Process =
        BoundFunction<IsWow64ProcessFunction>(GetModuleHandleW(L"kernel32.dll"), "IsWow64Process");
    BOOL wow64 = FALSE;
    return isWow64Process != nullptr && isWow64Process(GetCurrentProcess(), &wow64) && wow64;
#endif
}

// Reverts the calling thread's impersonation when it goes out of scope.
class CImpersonation {
public:
    CImpersonation() : active_(ImpersonateSelf(SecurityImpersonation) != FALSE) {}
    ~CImpersonation() {
        if (active_) RevertToSelf();
    }
    CImpersonation(const CImpersonation&) = delete;
    CImpersonation& operator=(const CImpersonation&) = delete;
    bool Active() const { return active_; }

private:
    bool active_;
};

// The token to check: the thread's impersonation token, or an impersonation
// copy of the process token when the thread has none.
bool OpenTokenToCheck(CKernelHandle& token) {
    if (OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, token.Receive())) return true;
    if (GetLastError() != ERROR_NO_TOKEN) return false;
    CKernelHandle process;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY | TOKEN_DUPLICATE, process.Receive())) return false;
    return DuplicateToken(process.Get(), SecurityImpersonation, token.Receive()) != FALSE;
}

bool AdministratorAccessCheck() {
    CImpersonation impersonation;
    if (!impersonation.Active()) return false;
    CKernelHandle token;
    if (!OpenTokenToCheck(token)) return false;

    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    CAllocatedSid administrators;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0,
                                  0, 0, administrators.Receive())) {
        return false;
    }
    constexpr DWORD kAccessRead = 1;
    constexpr DWORD kAccessWrite = 2;
    constexpr DWORD kAccessAll = kAccessRead | kAccessWrite;
    const DWORD aclSize = sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(administrators.Get()) - sizeof(DWORD);
    std::vector<DWORD> aclBuffer((aclSize + sizeof(DWORD) - 1) / sizeof(DWORD));
    ACL* acl = reinterpret_cast<ACL*>(aclBuffer.data());
    if (!InitializeAcl(acl, aclSize, ACL_REVISION2)) return false;
    if (!AddAccessAllowedAce(acl, ACL_REVISION2, kAccessAll, administrators.Get())) return false;

    SECURITY_DESCRIPTOR descriptor = {};
    if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION)) return false;
    if (!SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE)) return false;
    if (!SetSecurityDescriptorGroup(&descriptor, administrators.Get(), FALSE)) return false;
    if (!SetSecurityDescriptorOwner(&descriptor, administrators.Get(), FALSE)) return false;
    if (!IsValidSecurityDescriptor(&descriptor)) return false;

    GENERIC_MAPPING mapping = {kAccessRead, kAccessWrite, 0, kAccessAll};
    PRIVILEGE_SET privileges = {};
    DWORD privilegesSize = sizeof(privileges);
    DWORD granted = 0;
    BOOL status = FALSE;
    if (!AccessCheck(&descriptor, token.Get(), kAccessRead, &mapping, &privileges, &privilegesSize, &granted,
                     &status)) {
        return false;
    }
    return status != FALSE;
}

// A port name without the colon that may end it ("LPT1:" and "LPT1" are one port).
std::size_t PortNameLength(const wchar_t* name) {
    std::size_t length = wcslen(name);
    if (length > 0 && name[length - 1] == L':') --length;
    return length;
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

DWORD CUtl::StringToNumber(const wchar_t* text) {
    try {
        if (text == nullptr) return 0;
        std::wstring upper(text);
        for (wchar_t& c : upper) {
            if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
        }
        if (upper.find(L"0X") == std::wstring::npos) {
            return static_cast<DWORD>(wcstol(upper.c_str(), nullptr, 10));
        }
        for (std::size_t at = upper.find(L"0X"); at != std::wstring::npos; at = upper.find(L"0X")) {
            upper.erase(at, 2);
        }
        DWORD value = 0;
        DWORD weight = 1;
        const std::size_t digits = upper.size() < 8 ? upper.size() : 8;
        for (std::size_t i = 0; i < digits; ++i, weight <<= 4) {
            const wchar_t c = upper[upper.size() - 1 - i];
            DWORD digit = 0;
            if (c >= L'A' && c <= L'F') {
                digit = static_cast<DWORD>(c - L'A' + 10);
            } else if (c >= L'0' && c <= L'9') {
                digit = static_cast<DWORD>(c - L'0');
            }
            value += digit * weight;
        }
        return value;
    } catch (...) {
        return 0;
    }
}

bool CUtl::GetSystemErrorText(DWORD code, wchar_t* output, std::size_t outputChars) {
    try {
        if (output == nullptr || outputChars == 0) return true;
        const std::wstring text = SystemText(code);
        if (text.empty()) return true;
        const std::size_t length = text.size() < outputChars ? text.size() : outputChars - 1;
        text.copy(output, length);
        output[length] = L'\0';
    } catch (...) {
    }
    return true;
}

void CUtl::ShowSystemErrorBox(DWORD code, const wchar_t* caption) {
    ShowSystemErrorBox(code, caption, [](HWND owner, const wchar_t* text, const wchar_t* title, UINT type) {
        return MessageBoxW(owner, text, title, type);
    });
}

void CUtl::ShowSystemErrorBox(DWORD code, const wchar_t* caption, const MessageBoxFunction& show) {
    try {
        const std::wstring text = SystemText(code);
        if (text.empty() || !show) return;
        show(nullptr, text.c_str(), caption, MB_OK | MB_ICONWARNING);
    } catch (...) {
    }
}

bool CUtl::BytesToHex(const BYTE* bytes, std::size_t count, wchar_t* output, std::size_t outputChars) {
    if (bytes == nullptr || count == 0 || output == nullptr) return false;
    if (outputChars == 0 || (outputChars - 1) / 2 < count) return false;  // room for 2 * count + 1
    static const wchar_t kDigits[] = L"0123456789ABCDEF";
    for (std::size_t i = 0; i < count; ++i) {
        output[2 * i] = kDigits[bytes[i] >> 4];
        output[2 * i + 1] = kDigits[bytes[i] & 0x0F];
    }
    output[2 * count] = L'\0';
    return true;
}

bool CUtl::IsInCommaList(const wchar_t* list, const wchar_t* item, const wchar_t* separator) {
    try {
        if (list == nullptr || item == nullptr || separator == nullptr) return false;
        if (*list == L'\0' || *item == L'\0' || *separator == L'\0') return false;
        const std::wstring text(list);
        const std::size_t separatorLength = wcslen(separator);
        const std::size_t itemLength = wcslen(item);
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = text.find(separator, start);
            const std::size_t stop = end == std::wstring::npos ? text.size() : end;
            std::size_t first = start;
            std::size_t last = stop;
            while (first < last && IsBlank(text[first])) ++first;
            while (last > first && IsBlank(text[last - 1])) --last;
            if (SameTextNoCase(text.c_str() + first, last - first, item, itemLength)) return true;
            if (end == std::wstring::npos) return false;
            start = end + separatorLength;
        }
    } catch (...) {
        return false;
    }
}

bool CUtl::DeleteShortcut(const wchar_t* path, bool keepFolders) {
    try {
        if (path == nullptr || *path == L'\0') return false;
        if (!DeleteFileW(path)) return false;
        if (keepFolders) return true;

        std::wstring folder = CShellFolders::ParentOf(path);
        if (CShellFolders::IsRoot(folder)) return true;
        const CShellFolders shellFolders;
        int retry = 0;
        while (!shellFolders.IsKept(folder)) {
            Sleep(kShortcutFolderWaitMs);
            if (RemoveDirectoryW(folder.c_str())) {
                retry = 0;
                folder = CShellFolders::ParentOf(folder);
                continue;
            }
            if (retry >= kShortcutFolderRetries) break;
            GlobalLog().Print(L"[CUtl::DeleteShortcut] %dth Retry DeleteShortcut : [%ls]", retry, folder.c_str());
            ++retry;
        }
        return true;
    } catch (...) {
        return false;
    }
}

bool CUtl::RemoveDirectoryAndEmptyParents(const wchar_t* directory) {
    try {
        if (directory == nullptr || *directory == L'\0') return false;
        std::wstring folder(directory);
        if (CShellFolders::IsRoot(folder)) return true;
        const CShellFolders shellFolders;
        while (!shellFolders.IsKept(folder) && RemoveDirectoryW(folder.c_str())) {
            folder = CShellFolders::ParentOf(folder);
        }
        return true;
    } catch (...) {
        return false;
    }
}

bool CUtl::IsAdministrator() {
    try {
        return AdministratorAccessCheck();
    } catch (...) {
        return false;
    }
}

bool CUtl::IsPrinterDriverInstalled(const wchar_t* driverName, bool byPrinters) {
    try {
        if (driverName == nullptr || *driverName == L'\0') return false;
        std::vector<BYTE> buffer;
        DWORD count = 0;
        bool allocationFailed = false;
        bool listed = false;
        if (byPrinters) {
            listed = EnumerateSpooler(
                [](BYTE* data, DWORD size, DWORD* needed, DWORD* returned) {
                    return EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, data, size, needed, returned) != FALSE;
                },
                buffer, count, allocationFailed);
        } else {
            listed = EnumerateSpooler(
                [](BYTE* data, DWORD size, DWORD* needed, DWORD* returned) {
                    return EnumPrinterDriversW(nullptr, nullptr, 3, data, size, needed, returned) != FALSE;
                },
                buffer, count, allocationFailed);
        }
        if (allocationFailed) GlobalLog().Print(L"GlobalAlloc Error [Check Printer Installed]");
        if (!listed) return false;
        for (DWORD i = 0; i < count; ++i) {
            const wchar_t* name = byPrinters ? reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data())[i].pDriverName
                                             : reinterpret_cast<const DRIVER_INFO_3W*>(buffer.data())[i].pName;
            if (SameTextNoCase(name, driverName)) return true;
        }
        return false;
    } catch (...) {
        return false;
    }
}

bool CUtl::PortExists(const wchar_t* portName) {
    try {
        if (portName == nullptr || *portName == L'\0') return false;
        std::vector<BYTE> buffer;
        DWORD count = 0;
        bool allocationFailed = false;
        const bool listed = EnumerateSpooler(
            [](BYTE* data, DWORD size, DWORD* needed, DWORD* returned) {
                return EnumPortsW(nullptr, 2, data, size, needed, returned) != FALSE;
            },
            buffer, count, allocationFailed);
        if (!listed) return false;
        const std::size_t length = PortNameLength(portName);
        for (DWORD i = 0; i < count; ++i) {
            const wchar_t* name = reinterpret_cast<const PORT_INFO_2W*>(buffer.data())[i].pPortName;
            if (name != nullptr && SameTextNoCase(name, PortNameLength(name), portName, length)) return true;
        }
        return false;
    } catch (...) {
        return false;
    }
}

bool CUtl::WaitForPnP(bool unlimited, const std::function<void()>& stillPending) {
    try {
        const CModuleHandle setupApi(LoadLibraryW(L"Setupapi.dll"));
        if (!setupApi) return false;
        using WaitFunction = DWORD(WINAPI*)(DWORD);
        const auto waitNoPending = BoundFunction<WaitFunction>(setupApi.Get(), "CMP_WaitNoPendingInstallEvents");
        if (waitNoPending == nullptr) return false;
        return WaitForPnP(unlimited, stillPending, [waitNoPending](DWORD timeoutMs) { return waitNoPending(timeoutMs); });
    } catch (...) {
        return false;
    }
}

bool CUtl::WaitForPnP(bool unlimited, const std::function<void()>& stillPending, const PendingInstallWait& wait) {
    try {
        if (!wait) return false;
        // Only a timeout means installations are pending; nothing pending, or
        // a wait that failed, means there is nothing to wait for.
        if (wait(kPnPWaitMs) != WAIT_TIMEOUT) return false;
        if (unlimited) {
            while (wait(kPnPWaitMs) == WAIT_TIMEOUT) {
                if (stillPending) stillPending();
            }
        } else {
            for (int i = 0; i < kPnPLimitedFurtherWaits && wait(kPnPWaitMs) == WAIT_TIMEOUT; ++i) {
            }
        }
        return true;
    } catch (...) {
        return false;
    }
}

LONG CUtl::RestoreSourcePath() {
    return RestoreSourcePath(HKEY_LOCAL_MACHINE, kSetupKey, IsWow64() ? KEY_WOW64_64KEY : 0);
}

LONG CUtl::RestoreSourcePath(HKEY root, const wchar_t* subKey, REGSAM view) {
    try {
        CRegistryKey key;
        LONG error = RegOpenKeyExW(root, subKey, 0, KEY_ALL_ACCESS | view, key.Receive());
        if (error != ERROR_SUCCESS) return error;

        DWORD type = 0;
        DWORD size = 0;
        error = RegQueryValueExW(key.Get(), kSourcePathOrg, nullptr, &type, nullptr, &size);
        if (error == ERROR_SUCCESS) {
            // The saved path is restored whole, whatever its length: it is
            // deleted afterwards, so a part of it would be lost for good.
            std::vector<BYTE> data(size + sizeof(wchar_t), 0);
            size = static_cast<DWORD>(data.size());
            error = RegQueryValueExW(key.Get(), kSourcePathOrg, nullptr, &type, data.data(), &size);
            if (error != ERROR_SUCCESS) return error;
            error = RegSetValueExW(key.Get(), kSourcePath, 0, type, data.data(), size);
            if (error != ERROR_SUCCESS) return error;
        } else if (error != ERROR_FILE_NOT_FOUND) {
            return error;
        }
        return RegDeleteValueW(key.Get(), kSourcePathOrg);
    } catch (...) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
}

DWORD CUtl::StartServiceAndWait(const wchar_t* serviceName, DWORD* state) {
    try {
        const CServiceController service(serviceName, SERVICE_ALL_ACCESS);
        if (service.OpenError() != ERROR_SUCCESS) return service.OpenError();
        DWORD current = 0;
        const DWORD error = service.StartAndWait(current);
        if (state != nullptr && (error == ERROR_SUCCESS || error == ERROR_INVALID_SERVICE_CONTROL)) *state = current;
        return error;
    } catch (...) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
}

DWORD CUtl::StopServiceAndWait(const wchar_t* serviceName, DWORD* state) {
    try {
        const CServiceController service(serviceName, SERVICE_ALL_ACCESS);
        if (service.OpenError() != ERROR_SUCCESS) return service.OpenError();
        DWORD current = 0;
        const DWORD error = service.StopAndWait(current);
        if (state != nullptr && (error == ERROR_SUCCESS || error == ERROR_INVALID_SERVICE_CONTROL)) *state = current;
        return error;
    } catch (...) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
}

DWORD CUtl::QueryServiceState(const wchar_t* serviceName, DWORD* state) {
    if (state == nullptr) return ERROR_INVALID_PARAMETER;
    try {
        const CServiceController service(serviceName, SERVICE_QUERY_STATUS);
        if (service.OpenError() != ERROR_SUCCESS) return service.OpenError();
        return service.Query(*state);
    } catch (...) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
}
