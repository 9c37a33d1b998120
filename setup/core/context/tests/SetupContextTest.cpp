// The setup context initialised from a medium: files, identity, roots,
// language, destination, operating system and what it records.
#include <gtest/gtest.h>

#include <windows.h>

#include "Log.h"
#include "LogReader.h"
#include "Medium.h"
#include "RegistrySnapshot.h"
#include "SetupContext.h"

namespace {

using namespace qs_test;

const std::wstring kRoot = L"HKLM\\Software\\Quorvel\\Quorvel LX-3200 Series Printer Software";
const std::wstring kDestination = L"C:\\Program Files\\Quorvel\\LX-3200 Series";

class SetupContextTest : public ::testing::Test {
protected:
    void SetUp() override {
        logFolder_ = TempDirectory() + L"qs-context-log";
        DeleteTree(logFolder_);
        CreateDirectoryW(logFolder_.c_str(), nullptr);
        log_ = std::make_unique<CLog>(logFolder_ + L"\\", L"setup.exe");
        SetGlobalLog(log_.get());
    }
    void TearDown() override {
        SetGlobalLog(nullptr);
        log_.reset();
        DeleteTree(logFolder_);
    }
    // Initialises a context from a medium made of the example one and |overlay|.
    bool Initialise(CSetupContext*& context, const std::vector<OverlayFile>& overlay = {}) {
        medium_ = MakeMedium(L"context", overlay);
        EXPECT_FALSE(medium_.empty());
        context_ = std::make_unique<CSetupContext>(medium_ + L"\\setup.exe");
        context = context_.get();
        return context_->Initialise();
    }
    std::vector<std::wstring> Messages() {
        SetupLog log;
        ReadSetupLog(log_->FilePath(), log);
        return log.messages;
    }
    bool Logged(const std::wstring& message) {
        for (const std::wstring& m : Messages())
            if (m == message) return true;
        return false;
    }

    std::wstring logFolder_, medium_;
    std::unique_ptr<CLog> log_;
    std::unique_ptr<CSetupContext> context_;
};

// The example data file with texts replaced.
std::wstring DataFileWith(const std::vector<std::pair<std::wstring, std::wstring>>& replacements) {
    return StagedProfileWith(L"setup.dat", replacements);
}

TEST_F(SetupContextTest, TheExampleMediumInitialisesEverything) {
    CSetupContext* context = nullptr;
    ASSERT_TRUE(Initialise(context));
    EXPECT_EQ(context->SourceDirectory(), medium_);
    EXPECT_EQ(context->InstallerExe(), L"setup.exe");
    EXPECT_EQ(context->Version(), L"2.10.04");
    EXPECT_EQ(context->ProgramInfo().Manufacturer(), L"Quorvel");
    EXPECT_EQ(context->ProgramInfo().ProgramName(), L"Quorvel LX-3200 Series Printer Software");
    EXPECT_EQ(context->Roots().InstallingHistory(),
              L"Software\\Quorvel\\Quorvel LX-3200 Series Printer Software\\Installing\\InstHistory");
    EXPECT_EQ(context->Language().Abbreviation(), L"EN");
    EXPECT_EQ(context->Files().StringFile(), medium_ + L"\\data\\String\\Lang_EN.str");
    EXPECT_EQ(context->Target().Destination(), kDestination);
    EXPECT_EQ(context->Target().InstallDirectory(), kDestination + L"\\Install");
    EXPECT_EQ(context->Target().OsDefine(), L"WIN7_64");
    EXPECT_EQ(context->Target().OsDirectory(), L"WinXP_VISTA_64");
    EXPECT_EQ(context->Target().Port(), L"LPT1:");
    EXPECT_NE(GetFileAttributesW(kDestination.c_str()), INVALID_FILE_ATTRIBUTES);

    // Readers expand this run's path variables and messages.
    std::wstring value;
    ASSERT_TRUE(context->Files().Data().GetString(L"NETWORK_PRINTER_INFO", L"MONITOR_FILE_WIN7_64", value, true));
    EXPECT_EQ(value, medium_ + L"\\data\\Setup\\Monitor\\WinXP_VISTA_64\\QvTcpMon.dll");

    // What it recorded: the language, and the directories it made.
    const RegistrySnapshot installing = RegistrySnapshot::Take(kRoot + L"\\Installing");
    EXPECT_EQ(installing.Value(kRoot + L"\\Installing", L"LangAbbr"), L"\"EN\"");
    const std::wstring history = kRoot + L"\\Installing\\InstHistory";
    EXPECT_EQ(installing.Value(history, L"NumOfDirs"), L"dword:00000002");
    EXPECT_EQ(installing.Value(history, L"Dir0"), L"\"C:\\\\Program Files\\\\Quorvel\\\\\"");
    EXPECT_EQ(installing.Value(history, L"Dir1"), L"\"C:\\\\Program Files\\\\Quorvel\\\\LX-3200 Series\\\\\"");

    // The accessors reach the same objects.
    SetGlobalContext(context);
    EXPECT_EQ(&GlobalInstallTarget(), &context->Target());
    EXPECT_EQ(&DataReader(), &context->Files().Data());
    SetGlobalContext(nullptr);
}

TEST_F(SetupContextTest, MissingFilesAndIdentityFailAsTheyShould) {
    const std::pair<std::wstring, std::wstring> noMfg{L"MFG = %MFG_NAME%", L"MAKER = x"};
    const std::pair<std::wstring, std::wstring> mainOnly{L"MAIN_ONLY = 0", L"MAIN_ONLY = 1"};
    const struct {
        OverlayFile file;
        bool succeeds;
        std::vector<std::wstring> lines;
    } cases[] = {
        {{L"setup.dat", L"", FileKind::Remove}, false, {L"Initialize Profiles fail!!"}},
        {{L"data\\vxinst.cmd", L"", FileKind::Remove}, false, {L"Initialize Profiles fail!!"}},
        {{L"setup.dat", DataFileWith({noMfg}), FileKind::Profile}, false, {L"Initialize Model Variable fail!!"}},
        {{L"setup.dat", DataFileWith({{L"[PROGRAM_INFO]", L"[PROGRAM_INFO_OLD]"}}), FileKind::Profile}, false,
         {L"Initialize Model Variable fail!!"}},
        // MAIN_ONLY lets a run without an identity go on
        {{L"setup.dat", DataFileWith({noMfg, mainOnly}), FileKind::Profile}, true,
         {L"Initialize Model Variable fail!!", L"Initialize Registry Variable fail!!"}},
    };
    for (const auto& c : cases) {
        CSetupContext* context = nullptr;
        EXPECT_EQ(Initialise(context, {c.file}), c.succeeds) << c.file.relativePath;
        for (const std::wstring& line : c.lines) EXPECT_TRUE(Logged(line)) << line;
    }
}

TEST_F(SetupContextTest, ARecordedDestinationWinsAndTrailingBackslashesGo) {
    CSetupContext* context = nullptr;
    const std::wstring installed = L"Software\\Quorvel\\Quorvel LX-3200 Series Printer Software\\Installed";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, installed.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const std::wstring recorded = L"C:\\QsRecorded\\Target\\";
    RegSetValueExW(key, L"Dest_Dir", 0, REG_SZ, reinterpret_cast<const BYTE*>(recorded.c_str()),
                   static_cast<DWORD>((recorded.size() + 1) * 2));
    RegCloseKey(key);
    ASSERT_TRUE(Initialise(context));
    EXPECT_EQ(context->Target().Destination(), L"C:\\QsRecorded\\Target");
    EXPECT_EQ(context->Target().InstallDirectory(), L"C:\\QsRecorded\\Target\\Install");
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, installed.c_str());
}

}  // namespace
