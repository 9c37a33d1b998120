// Which start section a run starts from, and in which mode.
#include <gtest/gtest.h>

#include <set>

#include "StartSection.h"

namespace {

START_CHOICE Choose(const START_FACTS& facts, const std::set<std::wstring>& sections) {
    return ChooseStartSection(
        facts,
        [&](const std::wstring& name, std::wstring& resolved) {
            if (sections.count(name) == 0) return false;
            resolved = name;
            return true;
        },
        [&](const std::wstring& name) { return sections.count(name) != 0; });
}

const std::set<std::wstring> kAll = {L"INSTALL_START_INFO",      L"UNINST_START_INFO",   L"REINST_START_INFO",
                                     L"REINST_START_INFO_LOCAL", L"REINST_START_INFO_CD", L"DELETEALL_START_INFO"};

TEST(StartSection, EveryRowOfTheTableWithItsFallbacks) {
    const struct {
        int requested;
        bool fixed;
        std::set<std::wstring> sections;
        int mode;
        const wchar_t* section;
    } cases[] = {
        {3, true, kAll, 5, L"REINST_START_INFO_CD"},
        {3, false, kAll, 5, L"REINST_START_INFO_LOCAL"},
        {3, true, {L"REINST_START_INFO", L"INSTALL_START_INFO"}, 3, L"REINST_START_INFO"},
        {3, false, {L"UNINST_START_INFO", L"INSTALL_START_INFO"}, 2, L"UNINST_START_INFO"},
        {3, true, {L"INSTALL_START_INFO"}, 1, L"INSTALL_START_INFO"},
        {2, true, kAll, 2, L"UNINST_START_INFO"},
        {2, true, {L"REINST_START_INFO_CD", L"INSTALL_START_INFO"}, 5, L"REINST_START_INFO_CD"},
        {2, false, {L"REINST_START_INFO_LOCAL", L"INSTALL_START_INFO"}, 4, L"REINST_START_INFO_LOCAL"},
        {2, false, {L"REINST_START_INFO", L"REINST_START_INFO_LOCAL"}, 3, L"REINST_START_INFO"},
        {6, true, kAll, 6, L"DELETEALL_START_INFO"},
        {6, false, {L"REINST_START_INFO", L"UNINST_START_INFO"}, 3, L"REINST_START_INFO"},
        {6, true, {L"UNINST_START_INFO"}, 2, L"UNINST_START_INFO"},
        {1, true, kAll, 1, L"INSTALL_START_INFO"},
        {1, false, {L"REINST_START_INFO"}, 0, L""},
        {6, true, {}, 0, L""},
    };
    for (const auto& c : cases) {
        START_FACTS facts;
        facts.requestedMode = c.requested;
        facts.fixedDrive = c.fixed;
        const START_CHOICE choice = Choose(facts, c.sections);
        EXPECT_EQ(choice.mode, c.mode) << c.requested << (c.fixed ? " fixed" : " removable");
        EXPECT_EQ(choice.section, c.section) << c.requested << (c.fixed ? " fixed" : " removable");
    }
}

TEST(StartSection, APreviousInstallationTurnsAPlainStartIntoAReinstall) {
    const struct {
        bool itemInstalled, languageRecorded, maintenance, network;
        int requested;
        int mode;
        bool installed;
    } cases[] = {
        {true, true, true, false, 1, 5, true},   // reinstall, from the medium (fixed drive: _CD)
        {true, true, true, true, 1, 1, true},    // NETWORK keeps the install mode
        {true, true, false, false, 1, 1, true},  // MAINTENANCE_ON off keeps it too
        {true, false, true, false, 1, 1, false}, // nothing recorded
        {false, true, true, false, 1, 1, false}, // no component installed
        {false, true, true, false, 3, 5, true},  // asked to reinstall
        {true, true, true, false, 2, 2, false},  // asked to remove
    };
    for (const auto& c : cases) {
        START_FACTS facts;
        facts.requestedMode = c.requested;
        facts.fixedDrive = true;
        facts.someItemInstalled = c.itemInstalled;
        facts.languageRecorded = c.languageRecorded;
        facts.maintenanceOn = c.maintenance;
        facts.network = c.network;
        const START_CHOICE choice = Choose(facts, kAll);
        EXPECT_EQ(choice.mode, c.mode);
        EXPECT_EQ(choice.installed, c.installed);
    }
}

TEST(StartSection, AVodaVariantOfTheInstallSection) {
    START_FACTS facts;
    facts.vodaGiven = true;
    EXPECT_EQ(Choose(facts, {L"INSTALL_START_INFO", L"INSTALL_START_INFO.VODA"}).section, L"INSTALL_START_INFO.VODA");
    EXPECT_EQ(Choose(facts, {L"INSTALL_START_INFO"}).section, L"INSTALL_START_INFO");
    facts.vodaGiven = false;
    EXPECT_EQ(Choose(facts, {L"INSTALL_START_INFO", L"INSTALL_START_INFO.VODA"}).section, L"INSTALL_START_INFO");
}

}  // namespace
