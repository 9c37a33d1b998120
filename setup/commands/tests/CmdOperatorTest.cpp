// The interpreter of a run without pages on a medium made of the example
// one: dispatch, command sections, the wizard's side, programs, the shell,
// and the end of a run with its installation history.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <fstream>

#include "CmdOperator.h"
#include "ComponentQueries.h"
#include "InstHistory.h"
#include "Log.h"
#include "LogReader.h"
#include "Medium.h"
#include "RecordingShell.h"
#include "Registry.h"
#include "SetupContext.h"
#include "WindowlessWizard.h"

namespace {

using namespace qs_test;

const std::wstring kInstalling = L"Software\\Quorvel\\Quorvel LX-3200 Series Printer Software\\Installing";
const std::wstring kInstalled = L"Software\\Quorvel\\Quorvel LX-3200 Series Printer Software\\Installed";

class CFakeComponents final : public CComponentQueries {
public:
    bool installedItem = false;
    bool anyInstalled = false;
    int valid = 0;
    bool IsThereInstalledItem() override { return installedItem; }
    bool IsAnyInstalled() override { return anyInstalled; }
    int CountValidItems() override { return valid; }
    void WriteItemInfo() override {}
    void RemoveItemRecords() override {}
    int entriesRemoved = 0;
    void RemoveUninstallEntry() override { ++entriesRemoved; }
};

const wchar_t kTestSections[] =
    L"\r\n[T_OUTER]\r\n"
    L"CT_SET_INST_TYPE = outer\r\n"
    L"ct_command = T_INNER\r\n"
    L"CT_NO_SUCH_COMMAND = x\r\n"
    L"CT_COMMAND = T_MISSING\r\n"
    L"[T_INNER]\r\n"
    L"CT_SET_SETUP_TYPE = reinst\r\n"
    L"[T_EMPTY]\r\n";

class CmdOperatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        logFolder_ = TempDirectory() + L"qs-commands-log";
        DeleteTree(logFolder_);
        CreateDirectoryW(logFolder_.c_str(), nullptr);
        log_ = std::make_unique<CLog>(logFolder_ + L"\\", L"setup.exe");
        SetGlobalLog(log_.get());
    }
    void TearDown() override {
        wizard_.reset();
        SetGlobalContext(nullptr);
        context_.reset();
        SetGlobalLog(nullptr);
        log_.reset();
        DeleteTree(logFolder_);
    }
    // A context and a wizard on the example medium with the test sections
    // added to its command file, |vxi| (when given) as configuration file and
    // |more| laid over it.
    // A context started before is released first: it holds the medium's
    // libraries loaded, and the medium is made again in the same folder.
    CWindowlessWizard& Start(const std::wstring& vxi = L"", const std::vector<OverlayFile>& more = {}) {
        wizard_.reset();
        SetGlobalContext(nullptr);
        context_.reset();
        std::vector<OverlayFile> overlay{
            {L"data\\vxinst.cmd", StagedProfileWith(L"data\\vxinst.cmd", {}) + kTestSections}};
        if (!vxi.empty()) overlay.push_back({L"data\\vxinst.vxi", vxi});
        overlay.insert(overlay.end(), more.begin(), more.end());
        medium_ = MakeMedium(L"commands", overlay);
        EXPECT_FALSE(medium_.empty());
        context_ = std::make_unique<CSetupContext>(medium_ + L"\\setup.exe");
        SetGlobalContext(context_.get());
        EXPECT_TRUE(context_->Initialise());
        context_->SetSilent(true);
        wizard_ = std::make_unique<CWindowlessWizard>(*context_, L"INSTALL_START_INFO");
        wizard_->Operator().SetShell(shell_);
        wizard_->SetComponents(components_);
        return *wizard_;
    }
    bool Run(const std::wstring& line) { return wizard_->Operator().ExecuteLine(line); }
    std::vector<std::wstring> Logged() {
        SetupLog log;
        ReadSetupLog(log_->FilePath(), log);
        return log.messages;
    }
    bool WasLogged(const std::wstring& line) {
        const std::vector<std::wstring> logged = Logged();
        return std::find(logged.begin(), logged.end(), line) != logged.end();
    }
    static std::wstring InstallingText(const wchar_t* name) {
        wchar_t text[CRegistry::kTextChars] = {};
        return CRegistry::GetValue(kInstalling.c_str(), name, text, HKEY_LOCAL_MACHINE) == 0 ? text : L"<absent>";
    }
    static DWORD SetupType() {
        DWORD number = 0xDEAD;
        CRegistry::GetValue(kInstalling.c_str(), L"Setup_Type", &number, HKEY_LOCAL_MACHINE);
        return number;
    }
    static bool KeyExists(const std::wstring& key) {
        HKEY opened = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
        RegCloseKey(opened);
        return true;
    }

    std::wstring logFolder_, medium_;
    std::unique_ptr<CLog> log_;
    std::unique_ptr<CSetupContext> context_;
    CRecordingShell shell_;
    CFakeComponents components_;
    std::unique_ptr<CWindowlessWizard> wizard_;
};

TEST_F(CmdOperatorTest, CommandSectionsRunLineByLineAndNest) {
    Start();
    EXPECT_TRUE(Run(L"CT_COMMAND = T_OUTER"));
    EXPECT_EQ(InstallingText(L"Install_Type"), L"outer");
    EXPECT_EQ(SetupType(), 3u);
    EXPECT_TRUE(WasLogged(L"Call Command : Type = ct_command, Param1=T_INNER,Param2=,Param3=,Param4=,Param5="));
    EXPECT_TRUE(WasLogged(L"Call Command : Type = CT_NO_SUCH_COMMAND, Param1=x,Param2=,Param3=,Param4=,Param5="));

    EXPECT_TRUE(Run(L"CT_COMMAND = T_EMPTY"));
    EXPECT_FALSE(Run(L"CT_COMMAND = T_MISSING"));
    EXPECT_FALSE(Run(L"CT_COMMAND"));
    EXPECT_TRUE(Run(L"CT_NEVER_HEARD_OF"));
    EXPECT_FALSE(wizard_->Operator().Execute(nullptr));
}

TEST_F(CmdOperatorTest, SetupTypeAndRemoteInstallReadTheirParameter) {
    Start();
    struct Case {
        const wchar_t* line;
        DWORD stored;
    };
    const Case cases[] = {{L"CT_SET_SETUP_TYPE = install", 1}, {L"CT_SET_SETUP_TYPE = UNINST", 2},
                          {L"CT_SET_SETUP_TYPE = reinst", 3},  {L"CT_SET_SETUP_TYPE = Remove", 0},
                          {L"CT_SET_SETUP_TYPE", 0}};
    for (const Case& c : cases) {
        EXPECT_TRUE(Run(c.line));
        EXPECT_EQ(SetupType(), c.stored) << c.line;
    }
    EXPECT_TRUE(Run(L"CT_SET_REMOTE_INSTALL = \t 2 "));
    EXPECT_TRUE(context_->Options().RemoteInstall());
    EXPECT_TRUE(Run(L"CT_SET_REMOTE_INSTALL = yes"));
    EXPECT_FALSE(context_->Options().RemoteInstall());
}

TEST_F(CmdOperatorTest, CancelAsksAccordingToTheCancelType) {
    struct Case {
        const wchar_t* type;
        bool quits;  // the windowless wizard answers with the first button
    };
    for (const Case& c : {Case{L"NULL", true}, Case{L"RESUME_EXIT", false}, Case{L" ok_cancel ", true}}) {
        Start(StagedProfileWith(L"data\\vxinst.vxi", {{L"CANCEL_TYPE = RESUME_EXIT", std::wstring(L"CANCEL_TYPE =") + c.type}}));
        wizard_->Operator().ReadCancelType();
        EXPECT_TRUE(Run(L"CT_DLG_CANCEL"));
        EXPECT_EQ(wizard_->QuitRequested(), c.quits) << c.type;
        const std::vector<std::wstring> logged = Logged();
        const bool asked = std::any_of(logged.begin(), logged.end(),
                                       [](const std::wstring& line) { return line.rfind(L"Message box : ", 0) == 0; });
        EXPECT_EQ(asked, std::wstring(c.type) != L"NULL") << c.type;
        wizard_.reset();
    }
}

TEST_F(CmdOperatorTest, CheckItemBranchesOnTheNumberOfComponents) {
    Start();
    components_.valid = 0;
    EXPECT_TRUE(Run(L"CT_CHECK_ITEM = ONE.PAGE, CT_SET_INST_TYPE=none"));
    EXPECT_TRUE(WasLogged(L"Message box : There is no item to be installed!!!!"));
    EXPECT_EQ(InstallingText(L"Install_Type"), L"none");

    components_.valid = 1;
    EXPECT_TRUE(Run(L"CT_CHECK_ITEM = ct_set_inst_type=one, MANY.PAGE"));
    EXPECT_EQ(InstallingText(L"Install_Type"), L"one");

    components_.valid = 2;
    EXPECT_TRUE(Run(L"CT_CHECK_ITEM = ONE.PAGE, MANY.PAGE"));
    EXPECT_TRUE(WasLogged(L"No pages: page (0, MANY.PAGE) is not opened"));
}

TEST_F(CmdOperatorTest, ProgramsStartFromTheMediumAndAreWaitedFor) {
    Start();
    const std::wstring missing = medium_ + L"\\data\\NotThere.exe";
    EXPECT_FALSE(Run(L"CT_EXE_FILE_NOWAIT = $SRC_DIR$\\data\\NotThere.exe"));
    EXPECT_TRUE(WasLogged(L"(" + missing + L") file does not exist."));
    EXPECT_TRUE(Run(L"CT_EXE_AND_TERMINATE = $SRC_DIR$\\data\\NotThere.exe"));
    EXPECT_FALSE(wizard_->QuitRequested());

    EXPECT_TRUE(Run(L"CT_EXE_FILE_WAIT = $SYS_DIR$\\cmd.exe, /c exit 3"));
    bool ended = false;
    for (int i = 0; i < 200 && !ended; ++i) {
        ended = WasLogged(L"Started program ended (1)");
        if (!ended) Sleep(50);
    }
    EXPECT_TRUE(ended);
    EXPECT_TRUE(Run(L"CT_EXE_FILE_NOWAIT = $SYS_DIR$\\cmd.exe, /c exit 0"));
}

TEST_F(CmdOperatorTest, DocumentsAddressesAndFoldersGoThroughTheShell) {
    Start();
    shell_.refused.insert(L"IEXPLORE.EXE");
    EXPECT_TRUE(Run(L"CT_OPEN_URL = http://127.0.0.1/support"));
    EXPECT_FALSE(Run(L"CT_OPEN_FILE_NOWAIT = data\\License\\License_XX.txt"));
    EXPECT_TRUE(Run(L"CT_OPEN_FILE_WAIT = data\\License\\License_EN.txt"));
    EXPECT_TRUE(Run(L"CT_OPEN_BROWSE = $SRC_DIR$\\data"));

    const std::vector<CRecordingShell::OPENED> opened = shell_.Opened();
    ASSERT_EQ(opened.size(), 4u);
    EXPECT_EQ(opened[0].file, L"IEXPLORE.EXE");
    EXPECT_EQ(opened[0].parameters, L"http://127.0.0.1/support");
    EXPECT_EQ(opened[1].file, L"http://127.0.0.1/support");
    EXPECT_EQ(opened[2].file, medium_ + L"\\data\\License\\License_EN.txt");
    EXPECT_EQ(opened[3].file, medium_ + L"\\data\\");
    EXPECT_TRUE(WasLogged(L"Open Browse : " + medium_ + L"\\data\\"));

    shell_.refused.insert(L"HTTP://127.0.0.1/GONE");
    EXPECT_FALSE(Run(L"CT_OPEN_URL = http://127.0.0.1/gone"));
}

TEST_F(CmdOperatorTest, TerminationWithoutInstalledComponentsUndoesEverythingRecorded) {
    Start();
    const std::wstring file = TempDirectory() + L"qs-terminate.txt";
    std::ofstream(file.c_str()) << "made by setup";
    ASSERT_EQ(CInstHistory::Record(file.c_str(), 0), 0u);
    EXPECT_TRUE(Run(L"CT_SET_SETUP_TYPE = INSTALL"));

    EXPECT_TRUE(Run(L"CT_APP_TERMINATE"));
    EXPECT_TRUE(wizard_->QuitRequested());
    EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(KeyExists(kInstalling));
    EXPECT_FALSE(KeyExists(kInstalled));
}

TEST_F(CmdOperatorTest, TerminationWithAnInstalledComponentKeepsTheHistory) {
    Start();
    components_.installedItem = true;
    const std::wstring file = TempDirectory() + L"qs-terminate-kept.txt";
    std::ofstream(file.c_str()) << "made by setup";
    ASSERT_EQ(CInstHistory::Record(file.c_str(), 0), 0u);

    EXPECT_TRUE(Run(L"CT_APP_TERMINATE"));
    EXPECT_NE(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(KeyExists(kInstalling));
    wchar_t recorded[CRegistry::kTextChars] = {};
    EXPECT_EQ(CRegistry::GetValue((kInstalled + L"\\InstHistory").c_str(), L"File0", recorded, HKEY_LOCAL_MACHINE),
              0u);
    EXPECT_EQ(recorded, file);

    // Removing everything is refused while components remain installed.
    components_.anyInstalled = true;
    EXPECT_FALSE(Run(L"CT_DELETE_ALL"));
    EXPECT_NE(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(KeyExists(kInstalled + L"\\InstHistory"));
    EXPECT_EQ(components_.entriesRemoved, 0);
    DeleteFileW(file.c_str());
}

TEST_F(CmdOperatorTest, DeleteAllUndoesTheInstalledHistoryEvenWithoutAnUninstaller) {
    Start(L"", {{L"data\\VXDelAll.exe", L"", FileKind::Remove}});
    const std::wstring file = TempDirectory() + L"qs-delete-all.txt";
    std::ofstream(file.c_str()) << "made by setup";
    const std::wstring history = kInstalled + L"\\InstHistory";
    ASSERT_EQ(CInstHistory::Record(file.c_str(), 0, history.c_str()), 0u);

    EXPECT_TRUE(Run(L"CT_DELETE_ALL"));
    EXPECT_TRUE(WasLogged(L"Copy uninstaller fail. create uninstall process fail!!"));
    EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(KeyExists(kInstalled));
    EXPECT_EQ(components_.entriesRemoved, 1);  // no longer listed as installed
}

// The ids of the running programs named |name| that this process started.
std::vector<DWORD> ChildrenNamed(const wchar_t* name) {
    std::vector<DWORD> children;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return children;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ParentProcessID == GetCurrentProcessId() && lstrcmpiW(entry.szExeFile, name) == 0)
            children.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return children;
}

TEST_F(CmdOperatorTest, DeleteAllStartsACopyOfTheUninstallerFromTheTemporaryFolder) {
    Start();
    const std::wstring copy = TempDirectory() + L"VXDelAll.exe";
    DeleteFileW(copy.c_str());

    EXPECT_TRUE(Run(L"CT_DELETE_ALL"));
    EXPECT_FALSE(WasLogged(L"Copy uninstaller fail. create uninstall process fail!!"));
    EXPECT_NE(GetFileAttributesW(copy.c_str()), INVALID_FILE_ATTRIBUTES);
    // It waits for this process to end; end it here instead.
    const std::vector<DWORD> started = ChildrenNamed(L"VXDelAll.exe");
    EXPECT_EQ(started.size(), 1u);
    for (DWORD id : started) {
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
        if (process == nullptr) continue;
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 10000);
        CloseHandle(process);
    }
    DeleteFileW(copy.c_str());
}

TEST_F(CmdOperatorTest, DeviceCommandsAreDispatchedAndReportNothingDone) {
    Start();
    EXPECT_FALSE(Run(L"CT_REFRESH_SYSTEM"));
    EXPECT_TRUE(WasLogged(L"CT_REFRESH_SYSTEM : no printer layer in this build, nothing done"));
    EXPECT_TRUE(Run(L"CT_RUNDLL"));
    EXPECT_FALSE(Run(L"CT_SHOW_TOGGLE = \"LOGO\", NAME"));  // no page is shown
}

}  // namespace
