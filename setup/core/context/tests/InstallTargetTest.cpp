// The install target's port choice and destination changes.
#include <gtest/gtest.h>

#include <set>

#include <windows.h>

#include "InstallTarget.h"
#include "Registry.h"

namespace {

TEST(InstallTarget, DefaultPort) {
    const struct {
        const wchar_t* configured;
        bool usbOnly;
        std::set<std::wstring> ports;
        const wchar_t* expected;
    } cases[] = {
        {L"USB001", false, {L"USB001", L"LPT1:"}, L"USB001"},
        {L"USB001", false, {L"LPT1:"}, L"LPT1:"},
        {L"USB001", true, {L"LPT1:"}, L"FILE:"},
        {L"", false, {L"COM1:"}, L"FILE:"},
        {L"", true, {L"USB001", L"LPT1:"}, L"FILE:"},
    };
    for (const auto& c : cases) {
        const auto exists = [&](const std::wstring& port) { return c.ports.count(port) != 0; };
        EXPECT_EQ(CInstallTarget::DefaultPort(c.configured, c.usbOnly, exists), c.expected) << c.configured;
    }
}

TEST(InstallTarget, DestinationChangesOnlyWhenItDiffers) {
    CInstallTarget target;
    std::vector<std::wstring> made;
    target.SetServices({[](std::wstring& text) {
                            const std::size_t pos = text.find(L"$PF$");
                            if (pos != std::wstring::npos) text.replace(pos, 4, L"C:\\PF");
                        },
                        [&](const std::wstring& directory) {
                            made.push_back(directory);
                            return true;
                        },
                        nullptr});
    target.SetDestination(L"C:\\QsTarget\\One\\", L"Software\\QsTest\\InstallTarget");
    EXPECT_EQ(target.Destination(), L"C:\\QsTarget\\One");
    EXPECT_EQ(target.InstallDirectory(), L"C:\\QsTarget\\One\\Install");
    target.SetDestination(L"c:\\qstarget\\ONE", L"Software\\QsTest\\InstallTarget");
    EXPECT_EQ(made, (std::vector<std::wstring>{L"C:\\QsTarget\\One"}));
    EXPECT_FALSE(target.FindInstalledDevicePort(false));
    CRegistry::DeleteKey(L"Software\\QsTest\\InstallTarget", false, HKEY_LOCAL_MACHINE);
}

}  // namespace
