#pragma once
// Version facts of systems the tests cannot run on.

#include "OsVersion.h"

namespace platform_test {

constexpr BYTE kWorkstation = VER_NT_WORKSTATION;
constexpr BYTE kDomainController = VER_NT_DOMAIN_CONTROLLER;
constexpr BYTE kServer = VER_NT_SERVER;

inline OS_VERSION_FACTS WindowsNt(DWORD major, DWORD minor, BYTE productType, bool is64 = false) {
    OS_VERSION_FACTS facts;
    facts.known = true;
    facts.extended = true;
    facts.platformId = VER_PLATFORM_WIN32_NT;
    facts.majorVersion = major;
    facts.minorVersion = minor;
    facts.productType = productType;
    facts.is64BitWindows = is64;
    return facts;
}

// The basic version form only: no product type.
inline OS_VERSION_FACTS WindowsNtBasic(DWORD major, DWORD minor, bool is64 = false) {
    OS_VERSION_FACTS facts = WindowsNt(major, minor, 0, is64);
    facts.extended = false;
    return facts;
}

inline OS_VERSION_FACTS Windows9x(DWORD minor, const wchar_t* serviceText = L"", const wchar_t* versionNumber = L"") {
    OS_VERSION_FACTS facts;
    facts.known = true;
    facts.platformId = VER_PLATFORM_WIN32_WINDOWS;
    facts.majorVersion = 4;
    facts.minorVersion = minor;
    facts.serviceText = serviceText;
    facts.windowsVersionNumber = versionNumber;
    return facts;
}

inline OS_VERSION_FACTS UnknownVersion(DWORD error) {
    OS_VERSION_FACTS facts;
    facts.queryError = error;
    return facts;
}

}  // namespace platform_test
