// Version classification, platform keys and the machine's architecture text.
#include <gtest/gtest.h>

#include <string>

#include "FactsBuilder.h"
#include "NativeArchitecture.h"
#include "OsVersion.h"
#include "SystemBitness.h"

using namespace platform_test;

namespace {

struct ClassCase {
    const char* system;
    OS_VERSION_FACTS facts;
    std::uint32_t code;
    std::uint32_t family;
};

OS_VERSION_FACTS Win32s() {
    OS_VERSION_FACTS facts;
    facts.known = true;
    facts.platformId = VER_PLATFORM_WIN32s;
    facts.majorVersion = 3;
    facts.minorVersion = 10;
    return facts;
}

TEST(OsVersionClass, EverySystemGetsItsCodeAndFamily) {
    const ClassCase cases[] = {
        {"Win32s", Win32s(), 2, 2},
        {"Windows 95", Windows9x(0), 3, 10},
        {"Windows 95 with service text A", Windows9x(0, L"A"), 3, 10},
        {"Windows 95 OSR2 B", Windows9x(0, L"B"), 4, 10},
        {"Windows 95 OSR2 c, upper-cased", Windows9x(0, L"c"), 4, 10},
        {"Windows 95 service text compared whole", Windows9x(0, L" C"), 3, 10},
        {"Windows 98", Windows9x(10), 6, 10},
        {"Windows 98 with service text B", Windows9x(10, L"B"), 6, 10},
        {"Windows 98 SE", Windows9x(10, L"A"), 7, 10},
        {"Windows 98 SE lower case", Windows9x(10, L"a"), 7, 10},
        {"Windows ME", Windows9x(90), 9, 10},
        {"other 9x minor", Windows9x(3), 10, 10},
        {"Windows NT 3.51", WindowsNt(3, 51, kWorkstation), 11, 15},
        {"Windows NT 4.0", WindowsNt(4, 0, kWorkstation), 12, 15},
        {"Windows NT 4.0 server, basic form", WindowsNtBasic(4, 0), 12, 15},
        {"Windows 2000", WindowsNt(5, 0, kWorkstation), 13, 17},
        {"Windows 2000 Server", WindowsNt(5, 0, kServer), 13, 17},
        {"Windows XP", WindowsNt(5, 1, kWorkstation), 14, 17},
        {"other 5.x minor", WindowsNt(5, 3, kServer), 14, 17},
        {"Windows Server 2003", WindowsNt(5, 2, kServer), 16, 17},
        {"Windows Server 2003 x64", WindowsNt(5, 2, kServer, true), 16, 17},
        {"Windows Server 2003 domain controller x64", WindowsNt(5, 2, kDomainController, true), 16, 17},
        {"5.2 workstation on 32-bit Windows", WindowsNt(5, 2, kWorkstation), 16, 17},
        {"Windows XP x64", WindowsNt(5, 2, kWorkstation, true), 14, 17},
        {"Windows XP x64, basic form: no product type", WindowsNtBasic(5, 2, true), 16, 17},
        {"Windows Vista", WindowsNt(6, 0, kWorkstation), 18, 17},
        {"Windows Vista x64", WindowsNt(6, 0, kWorkstation, true), 18, 17},
        {"Windows 7 x64", WindowsNt(6, 1, kWorkstation, true), 18, 17},
        {"Windows Server 2008", WindowsNt(6, 0, kServer), 19, 17},
        {"Windows Server 2008 domain controller", WindowsNt(6, 0, kDomainController, true), 19, 17},
        {"Windows 8.1", WindowsNt(6, 3, kWorkstation, true), 18, 17},
        {"Windows 10", WindowsNt(10, 0, kWorkstation, true), 18, 17},
        {"Windows Server 2016", WindowsNt(10, 0, kServer, true), 19, 17},
        {"NT major 2", WindowsNt(2, 0, kWorkstation), 13, 17},
    };
    for (const ClassCase& c : cases) {
        std::uint32_t code = 0, family = 0;
        EXPECT_TRUE(ClassifyOSVersion(c.facts, code, family)) << c.system;
        EXPECT_EQ(code, c.code) << c.system;
        EXPECT_EQ(family, c.family) << c.system;
    }
}

TEST(OsVersionClass, FailsWithoutVersionOrOnAnUnknownPlatform) {
    OS_VERSION_FACTS unknownPlatform = WindowsNt(6, 1, kWorkstation);
    unknownPlatform.platformId = 3;
    for (const OS_VERSION_FACTS& facts : {UnknownVersion(ERROR_INVALID_PARAMETER), unknownPlatform}) {
        std::uint32_t code = 77, family = 77;
        EXPECT_FALSE(ClassifyOSVersion(facts, code, family));
        EXPECT_EQ(code, 77u);
        EXPECT_EQ(family, 77u);
    }
}

TEST(OsVersionClass, PlatformKeys) {
    const struct {
        DWORD platform, major, minor;
        const wchar_t* key;
    } cases[] = {
        {2, 5, 1, L"0X00020501"}, {1, 4, 10, L"0X0001040A"}, {1, 4, 90, L"0X0001045A"},
        {2, 6, 0, L"0X00020600"}, {2, 10, 0, L"0X00020A00"}, {0, 3, 10, L"0X0000030A"},
    };
    for (const auto& c : cases) EXPECT_EQ(PlatformKey(c.platform, c.major, c.minor), c.key);
}

TEST(NativeArchitecture, OnlyItaniumAndAmd64ChangeTheText) {
    const struct {
        WORD architecture;
        const wchar_t* text;
    } cases[] = {
        {PROCESSOR_ARCHITECTURE_IA64, L"NTia64"},
        {PROCESSOR_ARCHITECTURE_AMD64, L"NTamd64"},
        {PROCESSOR_ARCHITECTURE_INTEL, L"NTx86"},
        {12 /* ARM64 */, L"NTx86"},
        {PROCESSOR_ARCHITECTURE_UNKNOWN, L"NTx86"},
    };
    for (const auto& c : cases) {
        std::wstring text = L"NTx86";
        ApplyNativeArchitecture(c.architecture, text);
        EXPECT_EQ(text, c.text) << c.architecture;
    }
}

// What this (64-bit) test process finds on the machine it runs on.
TEST(RunningSystem, FactsOfThisProcess) {
    const OS_VERSION_FACTS facts = QueryOSVersionFacts();
    ASSERT_TRUE(facts.known);
    EXPECT_TRUE(facts.extended);
    EXPECT_EQ(facts.platformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
    EXPECT_GE(facts.majorVersion, 5u);
    EXPECT_TRUE(facts.windowsVersionNumber.empty());

    std::uint32_t code = 0, family = 0, expectedCode = 0, expectedFamily = 0;
    ASSERT_TRUE(GetOSVersionClass(code, family));
    ASSERT_TRUE(ClassifyOSVersion(facts, expectedCode, expectedFamily));
    EXPECT_EQ(code, expectedCode);
    EXPECT_EQ(family, expectedFamily);

    std::wstring architecture = L"unchanged";
    EXPECT_TRUE(GetNativeArchitectureText(architecture));
#if defined(_WIN64)
    EXPECT_TRUE(facts.is64BitWindows);
    EXPECT_FALSE(facts.wow64Redirected);
    EXPECT_TRUE(Is64BitWindows());
    EXPECT_FALSE(IsWow64Redirected());
    EXPECT_EQ(architecture, L"NTamd64");
#endif
}

}  // namespace
