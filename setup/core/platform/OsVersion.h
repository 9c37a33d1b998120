#pragma once
// The running Windows version: the facts the system reports about itself, and
// the code and family by which the rest of setup tells systems apart.
//
//   System                                                code  family
//   Win32s (platform 0)                                     2      2
//   Windows 95 (platform 1, 4.0)                            3     10
//   Windows 95 OSR2 (4.0, service text "B" or "C")          4     10
//   Windows 98 (4.10)                                       6     10
//   Windows 98 Second Edition (4.10, service text "A")      7     10
//   Windows ME (4.90)                                       9     10
//   other platform-1 minor versions                        10     10
//   Windows NT 3.x                                         11     15
//   Windows NT 4.0                                         12     15
//   Windows 2000 (5.0), and NT majors 0 to 2               13     17
//   Windows XP (5.1, other 5.x), XP x64 (5.2 workstation   14     17
//     on 64-bit Windows)
//   Windows Server 2003 (5.2)                              16     17
//   Windows Vista and later client (6.0 and up, workstation) 18   17
//   Windows Server 2008 and later (6.0 and up, other types)  19   17
//
// Service texts are compared whole, in upper case. Code 5 is never produced,
// though some lists of codes still name it.

#include <windows.h>

#include <cstdint>
#include <string>

namespace os_class {
constexpr std::uint32_t kWin32s = 2;
constexpr std::uint32_t kWin95 = 3;
constexpr std::uint32_t kWin95Osr2 = 4;
constexpr std::uint32_t kWin95Other = 5;
constexpr std::uint32_t kWin98 = 6;
constexpr std::uint32_t kWin98Se = 7;
constexpr std::uint32_t kWinMe = 9;
constexpr std::uint32_t kWin9xOther = 10;
constexpr std::uint32_t kWinNt3 = 11;
constexpr std::uint32_t kWinNt4 = 12;
constexpr std::uint32_t kWin2000 = 13;
constexpr std::uint32_t kWinXp = 14;
constexpr std::uint32_t kWinServer2003 = 16;
constexpr std::uint32_t kWinVista = 18;
constexpr std::uint32_t kWinServer2008 = 19;

constexpr std::uint32_t kFamilyWin32s = 2;
constexpr std::uint32_t kFamily9x = 10;
constexpr std::uint32_t kFamilyNt4 = 15;
constexpr std::uint32_t kFamilyNt5 = 17;
}  // namespace os_class

// What the system says about its version, plus the two 64-bit notions.
struct OS_VERSION_FACTS {
    bool known = false;        // false: neither form of the version query answered
    DWORD queryError = 0;      // the system's error code when it did not
    bool extended = false;     // the extended form answered: product type and suite mask are valid
    DWORD platformId = 0;      // VER_PLATFORM_WIN32s, _WIN32_WINDOWS, _WIN32_NT
    DWORD majorVersion = 0;
    DWORD minorVersion = 0;
    DWORD buildNumber = 0;
    std::wstring serviceText;  // the service-pack text (szCSDVersion)
    WORD suiteMask = 0;
    BYTE productType = 0;      // VER_NT_WORKSTATION, VER_NT_DOMAIN_CONTROLLER, VER_NT_SERVER
    // The system is 64-bit: 64-bit drivers and INF sections apply. True for a
    // 64-bit process, and for a 32-bit one that runs under WOW64.
    bool is64BitWindows = false;
    // This process is a 32-bit one under WOW64, whose system-directory paths
    // the system redirects. Always false for a 64-bit process.
    bool wow64Redirected = false;
    // Only on a platform-1 4.10 system: "VersionNumber" of
    // HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion (a Windows
    // ME that reports itself as 98 has "4.90." in it).
    std::wstring windowsVersionNumber;
};

// Asks the system: the extended version form first, the basic form when the
// extended one is refused.
OS_VERSION_FACTS QueryOSVersionFacts();

// False when the facts are not known or the platform is none of the three.
bool ClassifyOSVersion(const OS_VERSION_FACTS& facts, std::uint32_t& code, std::uint32_t& family);

// Queries the running system and classifies it.
bool GetOSVersionClass(std::uint32_t& code, std::uint32_t& family);

// "0X%04X%02X%02X" of platform, major and minor: Windows XP gives "0X00020501".
std::wstring PlatformKey(DWORD platformId, DWORD majorVersion, DWORD minorVersion);
