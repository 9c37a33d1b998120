// The start-up requirement check: values from a data file of the test's own,
// messages and device answers through the check's seams, free space from the
// real disk or a given figure.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "ConfigReader.h"
#include "LogReader.h"
#include "Medium.h"
#include "SystemRequirement.h"

namespace {

struct SHOWN_MESSAGE {
    HWND owner;
    std::wstring text;
    std::wstring caption;
    UINT type;
};

const std::wstring kDefaultSpaceText =
    L"The available Disk space is not enough. Please increase available disk space about \"300MB\" and try again.";

class SystemRequirementTest : public ::testing::Test {
protected:
    void SetUp() override {
        static std::atomic<unsigned> counter{0};
        folder_ = qs_test::TempDirectory() + L"qs-sysreq-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                  std::to_wstring(counter++);
        qs_test::DeleteTree(folder_);
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
        context_.osDefine = L"0X00020601";
        context_.SetVariable(L"SRC_DIR", L"C:\\medium");
        reader_.SetContext(&context_);
    }
    void TearDown() override { qs_test::DeleteTree(folder_); }

    void LoadData(const std::wstring& text) {
        const std::wstring path = folder_ + L"\\setup" + std::to_wstring(files_++) + L".dat";
        ASSERT_TRUE(qs_test::WriteProfileFile(path, text));
        ASSERT_TRUE(reader_.Load(path.c_str(), path.c_str(), nullptr, false));
    }

    REQUIREMENT_FACTS Facts() const {
        return {L"0X00020601", folder_ + L"\\Dest", L"Test Installer", L"Maker", L"Model 1", L"VID_1234&PID_5678"};
    }

    // Answers every message with OK and the device check with |portCount|;
    // the free space is |figure| unless the real disk is asked.
    REQUIREMENT_SYSTEM Seams(std::optional<std::uint64_t> figure, long portCount, bool realDisk = false) {
        REQUIREMENT_SYSTEM system;
        system.showMessage = [this](HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
            shown_.push_back({owner, text, caption, type});
            return IDOK;
        };
        if (!realDisk) {
            system.freeSpace = [this, figure](const std::wstring& path) {
                spaceAsked_.push_back(path);
                return figure;
            };
        }
        system.devicePort = [this, portCount](const std::wstring& manufacturer, const std::wstring& model,
                                              const std::wstring& vidPid, std::wstring& port) {
            deviceAsked_.push_back(manufacturer + L"|" + model + L"|" + vidPid);
            port = portCount > 0 ? L"USB001" : L"";
            return portCount;
        };
        return system;
    }

    std::vector<std::wstring> ShownTexts() const {
        std::vector<std::wstring> texts;
        for (const SHOWN_MESSAGE& shown : shown_) texts.push_back(shown.text);
        return texts;
    }

    std::wstring folder_;
    CFixedConfigContext context_;
    CConfigReader reader_;
    int files_ = 0;
    std::vector<SHOWN_MESSAGE> shown_;
    std::vector<std::wstring> spaceAsked_;
    std::vector<std::wstring> deviceAsked_;
};

TEST_F(SystemRequirementTest, WithoutTheSectionEverythingPasses) {
    // Sections whose names merely contain the name do not count.
    LoadData(L"[NO_SYSTEM_REQUIREMENT]\nFREE_SPACE=500\nUNSUPPORTED_OS=0X00020601\n"
             L"[SYSTEM_REQUIREMENTS]\nFREE_SPACE=500\n");
    CSystemRequirement requirement(reader_, Facts(), Seams(std::uint64_t{1}, -1));
    EXPECT_FALSE(requirement.Present());
    EXPECT_TRUE(requirement.Check(true, false));
    EXPECT_TRUE(requirement.CheckFreeSpace(L"C:\\", true));
    EXPECT_TRUE(shown_.empty());
    EXPECT_TRUE(deviceAsked_.empty());

    // The section name in any case is the section.
    LoadData(L"[system_requirement]\nFREE_SPACE=500\n");
    CSystemRequirement lower(reader_, Facts(), Seams(std::uint64_t{1}, -1));
    EXPECT_FALSE(lower.Check(false, false));
}

TEST_F(SystemRequirementTest, FreeSpaceFailsOnlyForAFigureBelowTheRequirement) {
    struct SpaceCase {
        const char* what;
        std::optional<std::uint64_t> figure;
        bool passes;
    };
    const std::vector<SpaceCase> cases = {
        {"no figure", std::nullopt, true},
        {"120 MB free", 120, false},
        {"a full disk", 0, false},
        {"one short", 299, false},
        {"exactly enough", 300, true},
        {"more than 4 GB of megabytes", 0x100000000ull, true},
    };
    LoadData(L"[SYSTEM_REQUIREMENT]\nFREE_SPACE=300\n");
    for (const SpaceCase& c : cases) {
        SCOPED_TRACE(c.what);
        shown_.clear();
        spaceAsked_.clear();
        CSystemRequirement requirement(reader_, Facts(), Seams(c.figure, 1));
        EXPECT_EQ(requirement.Check(false, false), c.passes);
        // The start-up check asks about the destination's disk.
        EXPECT_EQ(spaceAsked_, std::vector<std::wstring>{Facts().destinationDir});
        if (c.passes) {
            EXPECT_TRUE(shown_.empty());
            continue;
        }
        ASSERT_EQ(shown_.size(), 1u);
        EXPECT_EQ(shown_[0].owner, nullptr);
        EXPECT_EQ(shown_[0].text, kDefaultSpaceText);
        EXPECT_EQ(shown_[0].caption, L"Test Installer");
        EXPECT_EQ(shown_[0].type, 0u);

        // The same test for a path of the caller's, with and without the message.
        shown_.clear();
        EXPECT_FALSE(requirement.CheckFreeSpace(L"D:\\", false));
        EXPECT_TRUE(shown_.empty());
        EXPECT_FALSE(requirement.CheckFreeSpace(L"D:\\", true));
        EXPECT_EQ(ShownTexts(), std::vector<std::wstring>{kDefaultSpaceText});
        EXPECT_EQ(spaceAsked_.back(), L"D:\\");
    }
}

TEST_F(SystemRequirementTest, FreeSpaceOfTheRealDisk) {
    struct DiskCase {
        const wchar_t* data;
        std::wstring path;
        bool passes;
        std::wstring message;
    };
    const std::wstring more = L"The available Disk space is not enough. Please increase available disk space about "
                              L"\"4000000000MB\" and try again.";
    const std::vector<DiskCase> cases = {
        {L"[SYSTEM_REQUIREMENT]\nFREE_SPACE=4000000000\n", folder_, false, more},
        // A destination that is not made yet is answered by its nearest parent.
        {L"[SYSTEM_REQUIREMENT]\nFREE_SPACE=4000000000\n", folder_ + L"\\not\\made\\yet", false, more},
        {L"[SYSTEM_REQUIREMENT]\nFREE_SPACE=1\n", folder_ + L"\\not\\made\\yet", true, L""},
        {L"[SYSTEM_REQUIREMENT]\nFREE_SPACE=0\n", folder_, true, L""},
        {L"[SYSTEM_REQUIREMENT]\n", folder_, true, L""},
    };
    for (const DiskCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.data) + " " + testing::PrintToString(c.path));
        shown_.clear();
        LoadData(c.data);
        REQUIREMENT_FACTS facts = Facts();
        facts.destinationDir = c.path;
        CSystemRequirement requirement(reader_, facts, Seams(std::nullopt, 1, true));
        EXPECT_EQ(requirement.Check(false, false), c.passes);
        EXPECT_EQ(ShownTexts(), c.passes ? std::vector<std::wstring>{} : std::vector<std::wstring>{c.message});
    }
}

TEST_F(SystemRequirementTest, TheSpaceMessageTakesTheRequirementAtItsFirstPercentS) {
    struct FormatCase {
        const wchar_t* configured;
        const wchar_t* shown;
    };
    const std::vector<FormatCase> cases = {
        {L"Need %s.", L"Need 300MB."},
        {L"%s and %s", L"300MB and %s"},
        {L"100%% of %s", L"100% of 300MB"},
        // Nothing else is a format: these would read arguments that are not there.
        {L"%d %n %x %ls %s", L"%d %n %x %ls 300MB"},
        {L"No figure at all", L"No figure at all"},
        {L"Trailing %", L"Trailing %"},
        {L"$SRC_DIR$ needs %s", L"C:\\medium needs 300MB"},
        {L"", L""},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.configured)));
        shown_.clear();
        LoadData(std::wstring(L"[SYSTEM_REQUIREMENT]\nFREE_SPACE=300\nMSG_NO_FREE_SPACE=") + c.configured + L"\n");
        CSystemRequirement requirement(reader_, Facts(), Seams(std::uint64_t{10}, 1));
        EXPECT_FALSE(requirement.Check(false, false));
        EXPECT_EQ(ShownTexts(), std::vector<std::wstring>{c.shown});
    }
}

TEST_F(SystemRequirementTest, ExcludedSystems) {
    struct SystemCase {
        const wchar_t* osDefine;
        const wchar_t* unsupported;
        bool excluded;
    };
    const std::vector<SystemCase> cases = {
        {L"0X00020601", L"0X00020601", true},
        {L"0X00020601", L"0x00020601", true},
        {L"0x00020601", L"0X00020601", true},
        {L"0X00020601", L"\"0X00020601\"", true},
        {L"0X00020601", L"0X00020501,0X00020601,0X00020600", true},
        {L"0X00020601", L"0X00020501 0X00020601", true},
        {L"0X00020601", L", 0X00020601 ,", true},
        {L"0X00020601", L"\t 0X00020601 \t", true},
        {L"0X00020601", L"\"0X00020501\",\"0X00020601\"", true},
        {L"0X00020601.64", L"0X00020601.64", true},
        {L"0X00020601", L"0X00020601.64", false},
        {L"0X00020601", L"0X0002060", false},
        {L"0X00020601", L"0X00020501;0X00020601", false},
        {L"0X00020601", L"0X00020501", false},
        {L"0X00020601", L"", false},
        // No define string is known: empty pieces name no system.
        {L"", L"0X00020501,, ,", false},
    };
    for (const SystemCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.osDefine)) + " in " +
                     testing::PrintToString(std::wstring(c.unsupported)));
        shown_.clear();
        LoadData(std::wstring(L"[SYSTEM_REQUIREMENT]\nUNSUPPORTED_OS=") + c.unsupported + L"\n");
        REQUIREMENT_FACTS facts = Facts();
        facts.osDefine = c.osDefine;
        CSystemRequirement requirement(reader_, facts, Seams(std::nullopt, 1));
        EXPECT_EQ(requirement.Check(false, false), !c.excluded);
        EXPECT_EQ(ShownTexts(), c.excluded ? std::vector<std::wstring>{CSystemRequirement::kDefaultSystemMessage}
                                           : std::vector<std::wstring>{});
    }
}

TEST_F(SystemRequirementTest, DeviceCheckForUsbOnlyProducts) {
    struct UsbCase {
        bool usbOnly;
        bool network;
        long portCount;
        bool asked;
        bool passes;
    };
    const std::vector<UsbCase> cases = {
        {true, false, -1, true, false},
        {true, false, 0, true, true},
        {true, false, 2, true, true},
        {true, true, -1, false, true},
        {false, false, -1, false, true},
        {false, true, -1, false, true},
    };
    LoadData(L"[SYSTEM_REQUIREMENT]\nFREE_SPACE=10\n");
    for (const UsbCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "usbOnly " << c.usbOnly << " network " << c.network << " count "
                                        << c.portCount);
        shown_.clear();
        deviceAsked_.clear();
        CSystemRequirement requirement(reader_, Facts(), Seams(std::uint64_t{100}, c.portCount));
        EXPECT_EQ(requirement.Check(c.usbOnly, c.network), c.passes);
        EXPECT_EQ(deviceAsked_, c.asked ? std::vector<std::wstring>{L"Maker|Model 1|VID_1234&PID_5678"}
                                        : std::vector<std::wstring>{});
        EXPECT_EQ(ShownTexts(), c.passes ? std::vector<std::wstring>{}
                                         : std::vector<std::wstring>{CSystemRequirement::kDefaultUsbMessage});
    }
}

TEST_F(SystemRequirementTest, OnlyTheFirstFailureIsShown) {
    LoadData(L"[SYSTEM_REQUIREMENT]\nFREE_SPACE=300\nUNSUPPORTED_OS=0X00020601\n");
    CSystemRequirement noSpace(reader_, Facts(), Seams(std::uint64_t{120}, -1));
    EXPECT_FALSE(noSpace.Check(true, false));
    EXPECT_EQ(ShownTexts(), std::vector<std::wstring>{kDefaultSpaceText});
    EXPECT_TRUE(deviceAsked_.empty());

    shown_.clear();
    CSystemRequirement excluded(reader_, Facts(), Seams(std::uint64_t{500}, -1));
    EXPECT_FALSE(excluded.Check(true, false));
    EXPECT_EQ(ShownTexts(), std::vector<std::wstring>{CSystemRequirement::kDefaultSystemMessage});
    EXPECT_TRUE(deviceAsked_.empty());
}

TEST_F(SystemRequirementTest, ConfiguredMessages) {
    LoadData(L"[SYSTEM_REQUIREMENT]\nFREE_SPACE=300\nMSG_NOT_SUPPORTED_OS=Not on this system (from $SRC_DIR$)\n"
             L"MSG_USB_NOT_AVAILABLE=No USB here %s\n");
    CSystemRequirement requirement(reader_, Facts(), Seams(std::nullopt, -1));
    for (int kind : {0, 1, 2, 3, 4}) requirement.ShowRequirementMessage(kind);
    EXPECT_EQ(ShownTexts(), (std::vector<std::wstring>{kDefaultSpaceText, L"Not on this system (from C:\\medium)",
                                                       L"No USB here %s"}));
    for (const SHOWN_MESSAGE& shown : shown_) {
        EXPECT_EQ(shown.owner, nullptr);
        EXPECT_EQ(shown.caption, L"Test Installer");
        EXPECT_EQ(shown.type, 0u);
    }
}

}  // namespace
