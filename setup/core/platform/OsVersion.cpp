#include "OsVersion.h"

#include <cstdio>
#include <cwchar>
#include <cwctype>

#include "SystemBitness.h"

namespace {

class CRegistryKey {
public:
    CRegistryKey(HKEY root, const wchar_t* path) {
        if (RegOpenKeyExW(root, path, 0, KEY_QUERY_VALUE, &key_) != ERROR_SUCCESS) key_ = nullptr;
    }
    ~CRegistryKey() {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    // A REG_SZ value; empty when it is missing, of another type or too long.
    std::wstring Text(const wchar_t* name) const {
        if (key_ == nullptr) return {};
        wchar_t buffer[MAX_PATH] = {};
        DWORD type = 0;
        DWORD size = sizeof(buffer) - sizeof(wchar_t);  // room for a terminator the value may lack
        if (RegQueryValueExW(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS ||
            type != REG_SZ)
            return {};
        return std::wstring(buffer, wcsnlen(buffer, size / sizeof(wchar_t)));
    }

private:
    HKEY key_ = nullptr;
};

std::wstring Upper(const std::wstring& text) {
    std::wstring upper = text;
    for (wchar_t& c : upper) c = static_cast<wchar_t>(std::towupper(c));
    return upper;
}

std::uint32_t ClassifyWindows9x(const OS_VERSION_FACTS& facts) {
    const std::wstring service = Upper(facts.serviceText);
    switch (facts.minorVersion) {
    case 0:
        return service == L"B" || service == L"C" ? os_class::kWin95Osr2 : os_class::kWin95;
    case 10:
        return service == L"A" ? os_class::kWin98Se : os_class::kWin98;
    case 90:
        return os_class::kWinMe;
    default:
        return os_class::kWin9xOther;
    }
}

std::uint32_t ClassifyWindowsNt(const OS_VERSION_FACTS& facts, std::uint32_t& family) {
    family = os_class::kFamilyNt5;
    const bool workstation = facts.productType == VER_NT_WORKSTATION;
    switch (facts.majorVersion) {
    case 3:
        family = os_class::kFamilyNt4;
        return os_class::kWinNt3;
    case 4:
        family = os_class::kFamilyNt4;
        return os_class::kWinNt4;
    case 5:
        if (facts.minorVersion == 0) return os_class::kWin2000;
        if (facts.minorVersion == 2)
            // Windows XP x64 reports 5.2 like Server 2003, as a workstation.
            return facts.is64BitWindows && workstation ? os_class::kWinXp : os_class::kWinServer2003;
        return os_class::kWinXp;
    default:
        // Vista was 6.0; later systems report 6.x or 10.0 and belong to the same classes.
        if (facts.majorVersion >= 6) return workstation ? os_class::kWinVista : os_class::kWinServer2008;
        return os_class::kWin2000;
    }
}

}  // namespace

OS_VERSION_FACTS QueryOSVersionFacts() {
    OS_VERSION_FACTS facts;
    facts.is64BitWindows = Is64BitWindows();
    facts.wow64Redirected = IsWow64Redirected();

    OSVERSIONINFOEXW extended = {};
    extended.dwOSVersionInfoSize = sizeof(extended);
    OSVERSIONINFOW basic = {};
    basic.dwOSVersionInfoSize = sizeof(basic);
    const OSVERSIONINFOW* answer = nullptr;
    if (GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&extended))) {
        facts.extended = true;
        facts.suiteMask = extended.wSuiteMask;
        facts.productType = extended.wProductType;
        answer = reinterpret_cast<const OSVERSIONINFOW*>(&extended);
    } else if (GetVersionExW(&basic)) {
        answer = &basic;
    } else {
        facts.queryError = GetLastError();
        return facts;
    }
    facts.known = true;
    facts.platformId = answer->dwPlatformId;
    facts.majorVersion = answer->dwMajorVersion;
    facts.minorVersion = answer->dwMinorVersion;
    facts.buildNumber = answer->dwBuildNumber;
    facts.serviceText.assign(answer->szCSDVersion,
                             wcsnlen(answer->szCSDVersion, sizeof(answer->szCSDVersion) / sizeof(wchar_t)));
    if (facts.platformId == VER_PLATFORM_WIN32_WINDOWS && facts.majorVersion == 4 && facts.minorVersion == 10)
        facts.windowsVersionNumber =
            CRegistryKey(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion").Text(L"VersionNumber");
    return facts;
}

bool ClassifyOSVersion(const OS_VERSION_FACTS& facts, std::uint32_t& code, std::uint32_t& family) {
    if (!facts.known) return false;
    switch (facts.platformId) {
    case VER_PLATFORM_WIN32s:
        code = os_class::kWin32s;
        family = os_class::kFamilyWin32s;
        return true;
    case VER_PLATFORM_WIN32_WINDOWS:
        code = ClassifyWindows9x(facts);
        family = os_class::kFamily9x;
        return true;
    case VER_PLATFORM_WIN32_NT:
        code = ClassifyWindowsNt(facts, family);
        return true;
    default:
        return false;
    }
}

bool GetOSVersionClass(std::uint32_t& code, std::uint32_t& family) {
    return ClassifyOSVersion(QueryOSVersionFacts(), code, family);
}

std::wstring PlatformKey(DWORD platformId, DWORD majorVersion, DWORD minorVersion) {
    wchar_t key[40];
    std::swprintf(key, sizeof(key) / sizeof(key[0]), L"0X%04X%02X%02X", static_cast<unsigned>(platformId),
                  static_cast<unsigned>(majorVersion), static_cast<unsigned>(minorVersion));
    return key;
}
