// The components of a medium made of the example one: which load, what they
// are made of, and the records written for the installer library.
#include <gtest/gtest.h>

#include <windows.h>

#include "InstallEngine.h"
#include "Item.h"
#include "Log.h"
#include "LogReader.h"
#include "Medium.h"
#include "MyPrinter.h"
#include "Registry.h"
#include "SetupContext.h"

namespace {

using namespace qs_test;

const std::wstring kInstalling = L"Software\\Quorvel\\Quorvel LX-3200 Series Printer Software\\Installing";
const std::wstring kInstallDir = L"C:\\Program Files\\Quorvel\\LX-3200 Series\\Install";

// The programs the example medium names, as files that merely exist.
std::vector<OverlayFile> Programs() {
    return {{L"data\\Setup\\Bin\\QvDrvInst.exe", L"program", FileKind::Ansi},
            {L"Application\\StatusMonitor\\setup.exe", L"program", FileKind::Ansi},
            {L"Application\\ScanDesk\\English\\setup.exe", L"program", FileKind::Ansi}};
}

std::wstring Text(const std::wstring& key, const wchar_t* name) {
    wchar_t text[CRegistry::kTextChars] = {};
    return CRegistry::GetValue(key.c_str(), name, text, HKEY_LOCAL_MACHINE) == ERROR_SUCCESS ? text : L"<absent>";
}

std::wstring Number(const std::wstring& key, const wchar_t* name) {
    DWORD number = 0;
    return CRegistry::GetValue(key.c_str(), name, &number, HKEY_LOCAL_MACHINE) == ERROR_SUCCESS
               ? std::to_wstring(number)
               : L"<absent>";
}

class ItemTest : public ::testing::Test {
protected:
    void SetUp() override {
        logFolder_ = TempDirectory() + L"qs-items-log";
        DeleteTree(logFolder_);
        CreateDirectoryW(logFolder_.c_str(), nullptr);
        log_ = std::make_unique<CLog>(logFolder_ + L"\\", L"setup.exe");
        SetGlobalLog(log_.get());
    }
    void TearDown() override {
        items_.reset();
        printers_.reset();
        SetGlobalContext(nullptr);
        context_.reset();
        SetGlobalLog(nullptr);
        log_.reset();
        DeleteTree(logFolder_);
    }
    CItem& Load(std::vector<OverlayFile> overlay) {
        for (const OverlayFile& program : Programs()) overlay.push_back(program);
        medium_ = MakeMedium(L"items", overlay);
        EXPECT_FALSE(medium_.empty());
        context_ = std::make_unique<CSetupContext>(medium_ + L"\\setup.exe");
        SetGlobalContext(context_.get());
        EXPECT_TRUE(context_->Initialise());
        printers_ = std::make_unique<CMyPrinter>();
        items_ = std::make_unique<CItem>(*context_, *printers_);
        EXPECT_TRUE(items_->Init());
        return *items_;
    }
    // Selects every component by its install type and writes every record.
    void WriteRecords() {
        for (int i = 0; i < items_->GetCount(); ++i) {
            CItemInfo& item = items_->GetItem(i);
            const int type = item.InstallTypeValue();
            item.SetSelected(type == CItemInfo::kAll || type == CItemInfo::kChk || type == CItemInfo::kGrayChk);
        }
        EXPECT_TRUE(items_->WriteAllRecords(true));
    }
    bool WasLogged(const std::wstring& line) {
        SetupLog log;
        ReadSetupLog(log_->FilePath(), log);
        for (const std::wstring& message : log.messages)
            if (message == line) return true;
        return false;
    }

    std::wstring logFolder_, medium_;
    std::unique_ptr<CLog> log_;
    std::unique_ptr<CSetupContext> context_;
    std::unique_ptr<CMyPrinter> printers_;
    std::unique_ptr<CItem> items_;
};

struct EXPECTED_VALUE {
    std::wstring key;  // below the installing root
    const wchar_t* name;
    std::wstring value;  // a number in decimal
};

TEST_F(ItemTest, TheExampleMediumsRecordsAreThoseOfItsComponents) {
    CItem& items = Load({});
    ASSERT_EQ(items.GetCount(), 4);
    EXPECT_EQ(items.GetItem(0).Name(), L"QV_PS_DRIVER");
    EXPECT_EQ(items.GetItem(1).Name(), L"QV_SCAN_DRIVER");
    EXPECT_EQ(items.GetItem(2).Name(), L"QV_STATUS_MONITOR");
    EXPECT_EQ(items.GetItem(3).Name(), L"QV_SCANDESK");
    WriteRecords();

    const std::wstring inf64 = medium_ + L"\\Printer\\PS\\WinXP_VISTA_64\\QVLX3200.INF";
    const std::wstring destInf64 = kInstallDir + L"\\Printer\\PS\\WinXP_VISTA_64\\QVLX3200.INF";
    const std::wstring installer = medium_ + L"\\data\\Setup\\Bin\\QvDrvInst.exe";
    const std::wstring monitor = medium_ + L"\\Application\\StatusMonitor\\setup.exe";
    const std::wstring scanInf = L"$SRC_DIR$\\SCANNER\\WINXP_VISTA_64\\QVLX32SC.INF";
    const std::wstring ps = L"Items\\QV_PS_DRIVER", scan = L"Items\\QV_SCAN_DRIVER",
                       status = L"Items\\QV_STATUS_MONITOR";
    const EXPECTED_VALUE expected[] = {
        {ps, L"Item_Name", L"QV_PS_DRIVER"},
        {ps, L"InstCmd", installer},
        {ps, L"UninstCmd", installer},
        {ps, L"InstParam", L"/IP /INF \"" + inf64 + L"\" /I 0"},
        {ps, L"UninstParam", L"/UP /INF \"" + destInf64 + L"\" /I 0"},
        {ps, L"ReinstParam", L"/RP /INF \"" + inf64 + L"\" /I 0"},
        {ps, L"Success_Return", L"0"},
        {ps, L"InstallNow", L"1"},
        {ps, L"Driver_Name", L"Quorvel LX-3200 Series PS"},
        {ps, L"Printer", L"1"},
        {ps, L"Printer_Name", L"Quorvel LX-3200 Series PS"},
        {ps, L"Inf_Path", destInf64},
        {ps, L"Win_32_Inf", kInstallDir + L"\\PRINTER\\PS\\WINXP_2000_VISTA_32\\QVLX3200.INF"},
        {ps, L"Win_64_Inf", kInstallDir + L"\\PRINTER\\PS\\WINXP_VISTA_64\\QVLX3200.INF"},
        {ps, L"Win_9x_Inf", L"<absent>"},
        {ps, L"Share_Name", L"LX3200PS"},
        {ps, L"Share", L"0"},
        {ps, L"UniDrv", L"1"},
        // Offered for a connected multifunction model only: not selected here.
        {scan, L"InstallNow", L"<absent>"},
        {scan, L"Driver_Name", L"Quorvel LX-3200MF Scanner"},
        {scan, L"InstParam", L"/IS /INF \"" + medium_ + L"\\SCANNER\\WINXP_VISTA_64\\QVLX32SC.INF\""},
        {scan, L"UninstParam",
         L"/US /INF \"" + kInstallDir + L"\\SCANNER\\WINXP_VISTA_64\\QVLX32SC.INF\" /U\"Quorvel LX-3200MF Scanner\""},
        {status, L"InstCmd", monitor},
        {status, L"InstParam", L"/S /L0409 /D\"C:\\Program Files\\Quorvel\\LX-3200 Series\\StatusMonitor\""},
        {status, L"ReinstParam", L"/S /REPAIR /L0409"},
        {status, L"Uninstall_Value_Name", L"QvStatusMonitor"},
        {status, L"Reinstall_Value_Name", L"QvStatusMonitorRepair"},
        {status, L"InstallNow", L"1"},
        {status, L"Driver_Name", L"<absent>"},
        {L"CopyFiles\\QV_PS_DRIVER", L"Src", medium_ + L"\\Printer\\PS"},
        {L"CopyFiles\\QV_PS_DRIVER", L"Dest", kInstallDir + L"\\Printer\\PS"},
        {L"CopyFiles\\QV_PS_DRIVER", L"CopySubDir", L"1"},
        {L"CopyFiles\\QV_PS_DRIVER_0", L"Src", medium_ + L"\\PRINTER\\PS\\WINXP_2000_VISTA_32"},
        {L"CopyFiles\\QV_PS_DRIVER_1", L"Dest", kInstallDir + L"\\PRINTER\\PS\\WINXP_VISTA_64"},
        {L"CopyFiles\\QV_SCAN_DRIVER", L"Src", L"<absent>"},
        {L"CopyFiles\\COPY_INSTALLER", L"Src", medium_},
        {L"CopyFiles\\COPY_INSTALLER", L"Dest", kInstallDir},
        {L"CopyFiles\\COPY_INSTALLER", L"CopySubDir", L"0"},
        {L"CopyFiles\\COPY_INSTALLER_DATA", L"Delete", L"1"},
        {L"Shortcut\\SC_MAINTENANCE", L"Target", kInstallDir + L"\\setup.exe"},
        {L"Shortcut\\SC_MAINTENANCE", L"Argument", L"/R"},
        {L"Shortcut\\SC_MAINTENANCE", L"Group", L"0"},
        {L"Shortcut\\SC_MAINTENANCE", L"Delete", L"1"},
        {L"Shortcut\\SC_UNINSTALL", L"Start_in", kInstallDir},
        {L"Shortcut\\SC_UNINSTALL", L"Icon_Index", L"1"},
    };
    for (const EXPECTED_VALUE& value : expected) {
        const std::wstring key = kInstalling + L"\\" + value.key;
        const std::wstring text = Text(key, value.name);
        const std::wstring actual = text != L"<absent>" ? text : Number(key, value.name);
        EXPECT_EQ(actual, value.value) << value.key << " " << value.name;
    }
    EXPECT_EQ(items.GetShortcutCount(), 2);

    // The printer list: the one printer component, made the default by its own flag.
    ASSERT_EQ(printers_->GetPrinterCount(), 1);
    PrinterData record;
    ASSERT_TRUE(printers_->GetPrinterData(0, record));
    EXPECT_EQ(record.installedName, L"Quorvel LX-3200 Series PS");
    EXPECT_EQ(record.printerName, L"Quorvel LX-3200 Series PS");
    EXPECT_TRUE(record.defaultPrinter);
    EXPECT_EQ(record.componentIndex, 0);
}

TEST_F(ItemTest, ComponentsLoadBySystemCommandsAndInf) {
    const std::wstring sections =
        L"\r\n[T_UNSUPPORTED]\r\nUNSUPPORTED_OS = w9x, win7_64\r\nINST_CMD = $SRC_DIR$\\T\\setup.exe\r\n"
        L"[T_NOCMD]\r\nINST_CMD = $SRC_DIR$\\T\\missing.exe\r\n"
        L"[T_PARAMS]\r\nINST_CMD = $SRC_DIR$\\T\\setup.exe\r\nINST_PARAM = /A\r\nINST_PARAM =\r\nINST_PARAM = /B $LANG_ABBR$\r\n"
        L"DESCRIPTION = plain\r\nDESCRIPTION.WIN7_64 = for this system\r\nITEM_LANG = T_LANG\r\n"
        L"DEFAULT_INST_TYPE = devchk\r\n"
        L"[T_LANG]\r\n0X0009 = 0X0007\r\n"
        L"[T_PCL]\r\nINF_FILE = $SRC_DIR$\\Printer\\PS\\$OS_DIR$\\QVLX3200.INF\r\n"
        L"DRIVER_NAME = quorvel lx-3200 series pcl 6\r\nINST_PARAM = ignored\r\n"
        L"[T_BADMODEL]\r\nINF_FILE = $SRC_DIR$\\Printer\\PS\\$OS_DIR$\\QVLX3200.INF\r\nDRIVER_NAME = No Such Model\r\n"
        L"[T_NOTINF]\r\nCOMP_CLASS = Printer\r\nINF_FILE = $SRC_DIR$\\data\\License\\License_EN.txt\r\n"
        L"[T_NODIR]\r\nCOMP_DIR = $SRC_DIR$\\Nowhere\r\n"
        L"[T_PS]\r\nINF_FILE = $SRC_DIR$\\Printer\\PS\\$OS_DIR$\\QVLX3200.INF\r\nINDEX = 0\r\n";
    CItem& items = Load({{L"setup.dat",
                          StagedProfileWith(L"setup.dat",
                                     {{L"[ITEM_INFO]\nQV_PS_DRIVER\nQV_SCAN_DRIVER\nQV_STATUS_MONITOR\nQV_SCANDESK",
                                       L"[ITEM_INFO]\nT_UNSUPPORTED\nT_NOCMD\nT_PARAMS\nT_NOT_THERE\nT_BADMODEL\nT_NOTINF\nT_NODIR\nT_PS\nT_PCL"}},
                                     sections)},
                         {L"T\\setup.exe", L"program", FileKind::Ansi}});
    ASSERT_EQ(items.GetCount(), 3);
    EXPECT_TRUE(WasLogged(L" T_UNSUPPORTED is not available in this OS(WIN7_64)"));
    EXPECT_EQ(items.GetItemIndex(L"t_nocmd"), -1);
    // Bad input leaves a component out with its log lines.
    EXPECT_TRUE(WasLogged(L"Can not find driver name in this inf [No Such Model]"));
    EXPECT_TRUE(WasLogged(L"[" + medium_ + L"\\data\\License\\License_EN.txt] Inf has wrong data"));
    EXPECT_TRUE(WasLogged(L"[" + medium_ + L"\\Nowhere] directory is not available!!!!"));

    CItemInfo& params = items.GetItem(items.GetItemIndex(L"T_PARAMS"));
    EXPECT_EQ(params.InstallParameters(), L"/A /B $LANG_ABBR$");
    EXPECT_EQ(params.GetRealData(params.InstallParameters(), false), L"/A /B DE");
    EXPECT_EQ(params.InstallDescription(), L"for this system");
    EXPECT_EQ(params.InstallTypeValue(), CItemInfo::kUnchk);  // no device string
    EXPECT_EQ(params.SuccessValue(), 0);

    // The driver name, in another case, picks the INF's second model; the
    // item type's installer and parameters replace the section's.
    CItemInfo& pcl = items.GetItem(items.GetItemIndex(L"T_PCL"));
    EXPECT_TRUE(pcl.IsPrinter());
    EXPECT_EQ(pcl.DriverIndex(), 1);
    EXPECT_TRUE(pcl.UniversalDriver());
    EXPECT_TRUE(pcl.CommandFromItemType());
    EXPECT_EQ(pcl.InstallParameters(), L"/IP /INF \"$INF$\" /I 1");
    EXPECT_EQ(pcl.ShareName(), L"LX");

    // Neither printer asks to be the default: the PCL 6 one is chosen, the
    // PostScript one passed over.
    EXPECT_TRUE(pcl.DefaultPrinter());
    EXPECT_FALSE(items.GetItem(items.GetItemIndex(L"T_PS")).DefaultPrinter());
    EXPECT_TRUE(WasLogged(L"quorvel lx-3200 series pcl 6 driver was set as default printer"));
}

TEST_F(ItemTest, FailuresAreListedInOrder) {
    CItem& items = Load({});
    for (const int index : {2, 0, 3}) EXPECT_TRUE(items.WriteFailItem(index));
    EXPECT_EQ(items.GetFailCount(), 3);
    EXPECT_EQ(Text(kInstalling + L"\\InstallFail", L"0"), L"QV_STATUS_MONITOR");
    EXPECT_EQ(Text(kInstalling + L"\\InstallFail", L"2"), L"QV_SCANDESK");
    EXPECT_EQ(items.GetFailItemName(1), items.GetItem(0).DisplayName());
    EXPECT_EQ(items.GetFailItemName(7), L"");
    EXPECT_FALSE(items.WriteFailItem(9));
}

// Records what the engine reports, in order.
class CRecordingListener final : public CInstallListener {
public:
    std::vector<std::wstring> events;
    void OnStart(int index) override { events.push_back(L"start " + std::to_wstring(index)); }
    void OnComponentDone(int index, bool success) override {
        events.push_back((success ? L"success " : L"fail ") + std::to_wstring(index));
    }
    void OnAllDone() override { events.push_back(L"all done"); }
    void OnFinished() override { events.push_back(L"finished"); }
};

TEST_F(ItemTest, TheEngineHandsEverySelectedComponentToTheInstaller) {
    CItem& items = Load({});
    items.GetItem(0).SetSelected(true);
    items.GetItem(2).SetSelected(true);
    ASSERT_EQ(CRegistry::SetValue(kInstalling.c_str(), L"Setup_Type", DWORD{2}, HKEY_LOCAL_MACHINE), 0u);

    CRecordingListener listener;
    std::vector<std::wstring> handed;
    CInstallEngine engine(
        items, kInstalling,
        [&](const std::wstring& root, const std::wstring& key, bool installed) {
            handed.push_back(root + L"|" + key + L"|" + (installed ? L"1" : L"0"));
            return key.find(L"QV_STATUS_MONITOR") == std::wstring::npos;
        },
        listener);
    ASSERT_TRUE(engine.Start(CInstallEngine::PageKind::kStatusAndList));
    engine.Join();
    EXPECT_EQ(engine.SetupType(), 2u);
    EXPECT_EQ(handed, (std::vector<std::wstring>{kInstalling + L"|" + kInstalling + L"\\Items\\QV_PS_DRIVER|0",
                                                 kInstalling + L"|" + kInstalling + L"\\Items\\QV_STATUS_MONITOR|0"}));
    EXPECT_TRUE(WasLogged(CInstallEngine::ResultLine(items.GetItem(0).DisplayName(), true)));
    EXPECT_TRUE(WasLogged(CInstallEngine::ResultLine(items.GetItem(2).DisplayName(), false)));

    std::vector<std::wstring> commands;
    bool installing = false;
    engine.Finish([&](const std::wstring& command) { return commands.push_back(command), true; },
                  [&]() { installing = true; });
    engine.Join();
    EXPECT_EQ(commands, std::vector<std::wstring>{L"CT_DELETE_ALL"});  // a removal
    EXPECT_TRUE(installing);
    EXPECT_EQ(listener.events, (std::vector<std::wstring>{L"start 0", L"success 0", L"start 2", L"fail 2",
                                                          L"all done", L"finished"}));
}

TEST_F(ItemTest, WithNothingSelectedTheEngineStillFinishes) {
    CItem& items = Load({});
    CRecordingListener listener;
    int calls = 0;
    CInstallEngine engine(items, kInstalling, [&](const std::wstring&, const std::wstring&, bool) { return ++calls, true; },
                          listener);
    ASSERT_TRUE(engine.Start(CInstallEngine::PageKind::kRows));
    engine.Join();
    EXPECT_EQ(engine.SetupType(), 1u);  // no Setup_Type: an installation
    std::vector<std::wstring> commands;
    bool installing = false;
    engine.Finish([&](const std::wstring& command) { return commands.push_back(command), true; },
                  [&]() { installing = true; });
    engine.Join();
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(commands, std::vector<std::wstring>{L"CT_INSTALL_UPDATE"});
    EXPECT_FALSE(installing);  // only the status-and-list page runs the installing section
    EXPECT_EQ(listener.events, (std::vector<std::wstring>{L"start -1", L"all done", L"finished"}));
}

}  // namespace
