// The option flags: which keys are read when, the variant of "OPTION" they come
// from, the forced cases, and the lines logged for them.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ConfigReader.h"
#include "LogReader.h"
#include "Options.h"
#include "OptionsConfigContext.h"
#include "OsVersion.h"
#include "PlatformTestSupport.h"

namespace {

using Lines = std::vector<std::wstring>;
using Getter = bool (COptions::*)() const;

class OptionsTest : public CLoggedTest {
protected:
    void SetUp() override {
        CLoggedTest::SetUp();
        base_.osDefine = L"WXP";
        base_.language = L"EN";
        base_.SetVariable(L"SRC_DIR", L"C:\\medium");
        reader_.SetContext(&context_);
    }

    void LoadData(const std::wstring& text) {
        const std::wstring path = WriteProfile(L"setup" + std::to_wstring(files_++) + L".dat", text);
        reader_.Load(path.c_str(), path.c_str(), nullptr, false);
    }

    // How many log messages start with |prefix|.
    static std::size_t Count(const Lines& log, const std::wstring& prefix) {
        std::size_t n = 0;
        for (const std::wstring& line : log) n += line.rfind(prefix, 0) == 0 ? 1 : 0;
        return n;
    }

    CFixedConfigContext base_;
    COptions options_;
    COptionsConfigContext context_{base_, options_};
    CConfigReader reader_;
    int files_ = 0;
};

TEST_F(OptionsTest, EveryOptionGiven) {
    LoadData(L"[OPTION]\nUSB_ONLY=1\nNETWORK=1\nWIRELESS=1\nDEVICE_INSTALL=0\nSHOW_INST_ERROR=1\nRIGHT_ALIGN=1\n"
             L"PRECREATE_DLG=0\nMAIN_ONLY=1\nSET_SOURCE_PATH=1\nUSE_PUBLIC_OID=1\nUSE_IPX=1\nSTOP_FIREWALL=1\nVODA=1\n"
             L"MAINTENANCE_ON=0\nALTITUDE=1\nCOMMUNITY_SIZE=32\n");
    ASSERT_TRUE(options_.Load(&reader_, os_class::kWinVista));
    EXPECT_EQ(LogMessages(), (Lines{L"USB ONLY Option is ON", L"NETWORK Option is ON", L"WIRELESS Option is ON",
                                    L"INSTALL DEVICE Option is OFF", L"SHOW INSTALL ERROR Option is ON",
                                    L"RIGHT ALIGN Option is ON", L"PRECREATE DIALOG option is OFF",
                                    L"JUST MAIN option is ON", L"SET SOURCE PATH option is ON",
                                    L"USE PUBLIC OID option is ON", L"USE IPX option is ON",
                                    L"Stop Firewall option is ON", L"VODA option is ON", L"MAINTENANCE Option is OFF",
                                    L"Community Name size = 32"}));
    const std::pair<Getter, bool> expected[] = {
        {&COptions::UsbOnly, true},       {&COptions::Network, true},       {&COptions::Wireless, true},
        {&COptions::DeviceInstall, false}, {&COptions::ShowInstError, true}, {&COptions::RightAlign, true},
        {&COptions::PrecreateDlg, false}, {&COptions::MainOnly, true},      {&COptions::SetSourcePath, true},
        {&COptions::UsePublicOid, true},  {&COptions::UseIpx, true},        {&COptions::StopFirewall, true},
        {&COptions::Voda, true},          {&COptions::VodaGiven, true},     {&COptions::MaintenanceOn, false},
        {&COptions::Altitude, true},      {&COptions::RemoteInstall, false},
    };
    for (std::size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ((options_.*expected[i].first)(), expected[i].second) << "getter " << i;
    EXPECT_EQ(options_.CommunitySize(), 32u);
    EXPECT_EQ(options_.SectionName(), L"OPTION");
}

TEST_F(OptionsTest, WithoutAnOptionSectionOnlyTheAlwaysReadOnesAreLogged) {
    for (const wchar_t* data : {L"[OTHER]\nNETWORK=1\n", L""}) {
        LoadData(data);
        ASSERT_TRUE(options_.Load(&reader_, os_class::kWinVista));
        EXPECT_EQ(LogMessages(), (Lines{L"Get Option fail", L"USB ONLY Option is OFF", L"NETWORK Option is OFF",
                                        L"WIRELESS Option is OFF", L"RIGHT ALIGN Option is OFF",
                                        L"MAINTENANCE Option is ON", L"Community Name size = 14"}));
        EXPECT_TRUE(options_.DeviceInstall());
        EXPECT_TRUE(options_.PrecreateDlg());
        EXPECT_TRUE(options_.MaintenanceOn());
        EXPECT_FALSE(options_.Voda());
        EXPECT_FALSE(options_.VodaGiven());
        EXPECT_FALSE(options_.Altitude());
        EXPECT_EQ(options_.CommunitySize(), 14u);
        EXPECT_EQ(options_.SectionName(), L"");
    }
}

struct ReadCase {
    const char* name;
    const wchar_t* data;
    std::uint32_t osCode;
    std::vector<std::pair<Getter, bool>> flags;
    std::uint32_t communitySize;
    Lines logged;     // lines that must be in the log
    Lines notLogged;  // line beginnings that must not be
};

TEST_F(OptionsTest, ReadRulesAndValues) {
    const ReadCase cases[] = {
        {"absent DEVICE_INSTALL and PRECREATE_DLG stay on, unlogged", L"[OPTION]\nNETWORK=1\n", os_class::kWinXp,
         {{&COptions::DeviceInstall, true}, {&COptions::PrecreateDlg, true}, {&COptions::Network, true}},
         14,
         {L"NETWORK Option is ON"},
         {L"INSTALL DEVICE Option", L"PRECREATE DIALOG option", L"VODA option", L"Stop Firewall option"}},
        {"MAINTENANCE_ON 0 switches maintenance off", L"[OPTION]\nMAINTENANCE_ON=0\n", os_class::kWinXp,
         {{&COptions::MaintenanceOn, false}}, 14, {L"MAINTENANCE Option is OFF"}, {}},
        {"RIGHT_ALIGN on Windows NT 4.0 is forced off", L"[OPTION]\nRIGHT_ALIGN=1\n", os_class::kWinNt4,
         {{&COptions::RightAlign, false}}, 14, {L"RIGHT ALIGN Option is OFF"}, {}},
        {"RIGHT_ALIGN on Windows NT 3.x", L"[OPTION]\nRIGHT_ALIGN=1\n", os_class::kWinNt3,
         {{&COptions::RightAlign, false}}, 14, {L"RIGHT ALIGN Option is OFF"}, {}},
        {"RIGHT_ALIGN on Windows 95", L"[OPTION]\nRIGHT_ALIGN=1\n", os_class::kWin95,
         {{&COptions::RightAlign, false}}, 14, {L"RIGHT ALIGN Option is OFF"}, {}},
        {"RIGHT_ALIGN on Windows 95 OSR2", L"[OPTION]\nRIGHT_ALIGN=1\n", os_class::kWin95Osr2,
         {{&COptions::RightAlign, false}}, 14, {L"RIGHT ALIGN Option is OFF"}, {}},
        {"RIGHT_ALIGN on code 5", L"[OPTION]\nRIGHT_ALIGN=1\n", os_class::kWin95Other,
         {{&COptions::RightAlign, false}}, 14, {L"RIGHT ALIGN Option is OFF"}, {}},
        {"RIGHT_ALIGN on Windows 98", L"[OPTION]\nRIGHT_ALIGN=1\n", os_class::kWin98,
         {{&COptions::RightAlign, true}}, 14, {L"RIGHT ALIGN Option is ON"}, {}},
        {"RIGHT_ALIGN on Windows 2000", L"[OPTION]\nRIGHT_ALIGN=1\n", os_class::kWin2000,
         {{&COptions::RightAlign, true}}, 14, {L"RIGHT ALIGN Option is ON"}, {}},
        {"RIGHT_ALIGN with the system unknown", L"[OPTION]\nRIGHT_ALIGN=1\n", 0,
         {{&COptions::RightAlign, true}}, 14, {L"RIGHT ALIGN Option is ON"}, {}},
        {"COMMUNITY_SIZE 0 keeps 14", L"[OPTION]\nCOMMUNITY_SIZE=0\n", os_class::kWinXp, {}, 14,
         {L"Community Name size = 14"}, {}},
        {"COMMUNITY_SIZE in hexadecimal", L"[OPTION]\nCOMMUNITY_SIZE=0x20\n", os_class::kWinXp, {}, 32,
         {L"Community Name size = 32"}, {}},
        {"COMMUNITY_SIZE that is no number keeps 14", L"[OPTION]\nCOMMUNITY_SIZE=many\n", os_class::kWinXp, {}, 14,
         {L"Community Name size = 14"}, {}},
        {"numbers that are not 0 or 1", L"[OPTION]\nNETWORK=yes\nUSB_ONLY=-1\nWIRELESS=0x10\nSTOP_FIREWALL= 7 \n",
         os_class::kWinXp,
         {{&COptions::Network, false}, {&COptions::UsbOnly, true}, {&COptions::Wireless, true},
          {&COptions::StopFirewall, true}},
         14,
         {L"NETWORK Option is OFF", L"USB ONLY Option is ON", L"WIRELESS Option is ON", L"Stop Firewall option is ON"},
         {}},
        {"an empty value reads as 0", L"[OPTION]\nDEVICE_INSTALL=\nMAINTENANCE_ON\n", os_class::kWinXp,
         {{&COptions::DeviceInstall, false}, {&COptions::MaintenanceOn, false}},
         14, {L"INSTALL DEVICE Option is OFF", L"MAINTENANCE Option is OFF"}, {}},
        {"VODA 0 is still given", L"[OPTION]\nVODA=0\n", os_class::kWinXp,
         {{&COptions::Voda, false}, {&COptions::VodaGiven, true}}, 14, {L"VODA option is OFF"}, {}},
        {"ALTITUDE from its key", L"[OPTION]\nALTITUDE=2\n", os_class::kWinXp, {{&COptions::Altitude, true}}, 14, {},
         {L"ALTITUDE"}},
        {"ALTITUDE 0 but a section ALTITUDE_LANG", L"[OPTION]\nALTITUDE=0\n[ALTITUDE_LANG]\nEN=1\n", os_class::kWinXp,
         {{&COptions::Altitude, true}}, 14, {}, {}},
        {"ALTITUDE_LANG without OPTION", L"[ALTITUDE_LANG]\nEN=1\n", os_class::kWinXp,
         {{&COptions::Altitude, true}}, 14, {L"Get Option fail"}, {}},
        {"ALTITUDE 0 alone", L"[OPTION]\nALTITUDE=0\n", os_class::kWinXp, {{&COptions::Altitude, false}}, 14, {}, {}},
        {"the variant wins, OPTION fills in", L"[OPTION]\nUSB_ONLY=1\nNETWORK=1\n[OPTION.EN]\nNETWORK=0\n",
         os_class::kWinXp, {{&COptions::Network, false}, {&COptions::UsbOnly, true}}, 14,
         {L"NETWORK Option is OFF", L"USB ONLY Option is ON"}, {L"Get Option fail"}},
        {"the system's variant before the language's",
         L"[OPTION.EN]\nWIRELESS=0\n[OPTION.WXP]\nWIRELESS=1\n[OPTION]\nWIRELESS=0\n", os_class::kWinXp,
         {{&COptions::Wireless, true}}, 14, {L"WIRELESS Option is ON"}, {}},
        {"a variant without the plain section", L"[OPTION.WXP.EN]\nNETWORK=1\n", os_class::kWinXp,
         {{&COptions::Network, true}}, 14, {L"NETWORK Option is ON"}, {L"Get Option fail"}},
    };
    for (const ReadCase& c : cases) {
        COptions options;
        LoadData(c.data);
        ASSERT_TRUE(options.Load(&reader_, c.osCode)) << c.name;
        for (const auto& [getter, on] : c.flags) EXPECT_EQ((options.*getter)(), on) << c.name;
        EXPECT_EQ(options.CommunitySize(), c.communitySize) << c.name;
        const Lines log = LogMessages();
        for (const std::wstring& line : c.logged) EXPECT_EQ(Count(log, line), 1u) << c.name << ": " << testing::PrintToString(line);
        for (const std::wstring& line : c.notLogged) EXPECT_EQ(Count(log, line), 0u) << c.name;
    }
}

// After a language change the options are read again, and the connection
// options of the first load now choose the variant.
TEST_F(OptionsTest, ReloadResolvesByTheOptionsNowOn) {
    LoadData(L"[OPTION]\nNETWORK=1\nCOMMUNITY_SIZE=20\n"
             L"[OPTION.EN]\nDEVICE_INSTALL=0\nVODA=1\n"
             L"[OPTION.EN.NETWORK]\nSHOW_INST_ERROR=1\nCOMMUNITY_SIZE=0\n");
    ASSERT_TRUE(options_.Load(&reader_, os_class::kWinXp));
    EXPECT_EQ(options_.SectionName(), L"OPTION.EN");
    EXPECT_TRUE(options_.Network());
    EXPECT_FALSE(options_.DeviceInstall());
    EXPECT_TRUE(options_.Voda());
    EXPECT_FALSE(options_.ShowInstError());
    EXPECT_EQ(options_.CommunitySize(), 20u);
    LogMessages();

    ASSERT_TRUE(options_.Load(&reader_, os_class::kWinXp));
    EXPECT_EQ(options_.SectionName(), L"OPTION.EN.NETWORK");
    EXPECT_TRUE(options_.Network());
    EXPECT_TRUE(options_.ShowInstError());
    // Read only when their key exists: kept from the first load.
    EXPECT_FALSE(options_.DeviceInstall());
    EXPECT_TRUE(options_.Voda());
    // The variant's 0 counts as given.
    EXPECT_EQ(options_.CommunitySize(), 14u);
    const Lines log = LogMessages();
    EXPECT_EQ(Count(log, L"INSTALL DEVICE Option"), 0u);
    EXPECT_EQ(Count(log, L"VODA option"), 0u);
    EXPECT_EQ(Count(log, L"SHOW INSTALL ERROR Option is ON"), 1u);
}

TEST_F(OptionsTest, NoReaderNoLoad) {
    options_.SetVoda(true);
    EXPECT_FALSE(options_.Load(nullptr, os_class::kWinXp));
    EXPECT_FALSE(options_.Load(nullptr));
    EXPECT_TRUE(options_.Voda());
    EXPECT_TRUE(options_.DeviceInstall());
    EXPECT_EQ(LogMessages(), Lines{});
}

TEST_F(OptionsTest, TheRunningSystemAllowsRightAlign) {
    LoadData(L"[OPTION]\nRIGHT_ALIGN=1\n");
    ASSERT_TRUE(options_.Load(&reader_));
    EXPECT_TRUE(options_.RightAlign());
}

TEST_F(OptionsTest, RemoteInstallLeavesPathVariablesUnexpanded) {
    LoadData(L"[PATHS]\nDRIVER=$SRC_DIR$\\drivers\n");
    std::wstring value;
    ASSERT_TRUE(reader_.GetString(L"PATHS", L"DRIVER", value, true));
    EXPECT_EQ(value, L"C:\\medium\\drivers");
    options_.SetRemoteInstall(true);
    EXPECT_TRUE(context_.PathVariablesOff());
    ASSERT_TRUE(reader_.GetString(L"PATHS", L"DRIVER", value, true));
    EXPECT_EQ(value, L"$SRC_DIR$\\drivers");
    options_.SetRemoteInstall(false);
    ASSERT_TRUE(reader_.GetString(L"PATHS", L"DRIVER", value, true));
    EXPECT_EQ(value, L"C:\\medium\\drivers");
}

}  // namespace
