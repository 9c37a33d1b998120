// CMyPrinter's list of printers and what it asks of the spooler when it is
// applied, with the spooler changes recorded (RecordingServices).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "MyPrinter.h"
#include "PrinterTestSupport.h"

namespace {

using printer_test::Narrow;
using printer_test::RecordingServices;
using Calls = std::vector<std::wstring>;

PrinterData Record(const std::wstring& installedName, const std::wstring& printerName) {
    PrinterData record;
    record.installedName = installedName;
    record.printerName = printerName;
    return record;
}

class PrinterListTest : public printer_test::PrinterTest {
protected:
    void SetUp() override {
        PrinterTest::SetUp();
        services_.setupDirectory = Under(L"medium");
        services_.installDirectory = Under(L"installed");
        services_.infDirectory = Under(L"inf");
        CreateDirectoryW(services_.setupDirectory.c_str(), nullptr);
        CreateDirectoryW(services_.installDirectory.c_str(), nullptr);
        CreateDirectoryW(services_.infDirectory.c_str(), nullptr);
    }

    // Adds records and returns their slots.
    void Fill(CMyPrinter& list, const std::vector<PrinterData>& records) {
        for (const PrinterData& record : records) ASSERT_TRUE(list.AddPrinterData(record));
    }
    PrinterData Slot(const CMyPrinter& list, int index) {
        PrinterData record;
        EXPECT_TRUE(list.GetPrinterData(index, record));
        return record;
    }

    RecordingServices services_;
};

TEST_F(PrinterListTest, HoldsTenRecordsAndRefusesAnEleventh) {
    CMyPrinter list(&services_);
    EXPECT_TRUE(list.GetCommonPort().empty());
    for (int i = 0; i < CMyPrinter::kMaxPrinters; ++i) {
        PrinterData record = Record(L"Driver " + std::to_wstring(i), L"Printer " + std::to_wstring(i));
        record.listIndex = 7;  // set by the list
        ASSERT_TRUE(list.AddPrinterData(record));
    }
    EXPECT_FALSE(list.AddPrinterData(Record(L"Driver 10", L"Printer 10")));
    EXPECT_EQ(list.GetPrinterCount(), 10);
    for (int i = 0; i < CMyPrinter::kMaxPrinters; ++i) {
        const PrinterData record = Slot(list, i);
        EXPECT_EQ(record.listIndex, i);
        EXPECT_EQ(record.installedName, L"Driver " + std::to_wstring(i));
    }

    PrinterData out = Record(L"stale", L"stale");
    out.installed = true;
    for (int index : {10, 11, -1}) {
        EXPECT_FALSE(list.GetPrinterData(index, out)) << index;
        EXPECT_TRUE(out.installedName.empty() && out.printerName.empty() && !out.installed);
        EXPECT_EQ(out.listIndex, -1);
        EXPECT_EQ(out.componentIndex, -1);
    }

    PrinterData changed = Slot(list, 3);
    changed.port = L"IP_127.0.0.5";
    changed.setPort = true;
    ASSERT_TRUE(list.UpdatePrinterData(changed));
    EXPECT_EQ(Slot(list, 3).port, L"IP_127.0.0.5");
    for (int index : {-1, 10}) {
        changed.listIndex = index;
        EXPECT_FALSE(list.UpdatePrinterData(changed)) << index;
    }

    ASSERT_TRUE(list.SetAllPrinterPort(L"LPT1:", true));
    ASSERT_TRUE(list.ClearPrinterData());
    EXPECT_EQ(list.GetPrinterCount(), 0);
    EXPECT_EQ(list.GetCommonPort(), L"LPT1:") << "the port the pages chose outlives a new list";
    EXPECT_TRUE(Slot(list, 0).installedName.empty());
    EXPECT_TRUE(Slot(list, 0).port.empty());
    EXPECT_TRUE(list.AddPrinterData(Record(L"again", L"again")));
}

TEST_F(PrinterListTest, KeepsTextsToTheirSize) {
    CMyPrinter list(&services_);
    PrinterData record = Record(std::wstring(9000, L'a'), std::wstring(8191, L'b'));
    record.port = std::wstring(8192, L'c');
    ASSERT_TRUE(list.AddPrinterData(record));
    const PrinterData stored = Slot(list, 0);
    EXPECT_EQ(stored.installedName.size(), 8191u);
    EXPECT_EQ(stored.printerName.size(), 8191u);
    EXPECT_EQ(stored.port.size(), 8191u);

    ASSERT_TRUE(list.SetAllPrinterPort(std::wstring(300, L'P').c_str(), false));
    EXPECT_EQ(list.GetCommonPort().size(), 259u);
    EXPECT_EQ(Slot(list, 0).port.size(), 300u);
}

TEST_F(PrinterListTest, MarksARecordByItsInstalledNameElseByItsPrinterName) {
    const std::vector<PrinterData> records = {
        Record(L"Quorvel LX-3200 Series PS", L"Quorvel LX-3200 Series PS"),
        Record(L"Quorvel LX-3200 Series PCL 6", L"Office"),
        Record(L"Office", L"Front desk"),
    };
    struct Case {
        const wchar_t* name;
        int marked;  // -1: none
    };
    const Case cases[] = {
        {L"quorvel lx-3200 series ps", 0},
        {L"Office", 2},  // an installed name wins over an earlier record's printer name
        {L"FRONT DESK", 2},
        {L"Quorvel LX-3200 Series PCL 6", 1},
        {L"Nobody", -1},
        {L"", -1},
        {nullptr, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name ? Narrow(c.name) : "null");
        CMyPrinter list(&services_);
        Fill(list, records);
        EXPECT_EQ(list.MarkPrinterInstalled(c.name), c.marked != -1);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(Slot(list, i).installed, i == c.marked) << i;
    }
    EXPECT_TRUE(Logged(L"MarkPrinterInstalled (Nobody) : no printer of this name in the list"));
}

TEST_F(PrinterListTest, APrinterWithANameOfItsOwnIsSharedRenamedAndMadeDefaultLikeAnyOther) {
    // The component installs "Quorvel LX-3200 Series PS" and reports its own
    // printer name "Office" once installed.
    const std::wstring inf = Under(L"medium\\QVLX3200.INF");
    ASSERT_TRUE(CopyFileW((printer_test::SourceMedium() + L"\\Printer\\PS\\WinXP_VISTA_64\\QVLX3200.INF").c_str(),
                          inf.c_str(), FALSE));
    PrinterData own = Record(L"Quorvel LX-3200 Series PS", L"Office");
    own.shareName = L"OFFICE";
    own.sharePrinter = true;
    own.defaultPrinter = true;
    own.infPath = L"$SRC_DIR$\\QVLX3200.INF";
    services_.family = 10;  // the INF is copied to $INF_DIR$, not registered with this machine

    CMyPrinter list(&services_);
    Fill(list, {own});
    ASSERT_TRUE(list.SetAllPrinterPort(L"IP_127.0.0.7", true));
    ASSERT_TRUE(list.MarkPrinterInstalled(L"Office"));

    // The finishing command's order.
    EXPECT_TRUE(list.SetDefaultFromList(false));
    EXPECT_TRUE(list.ShareAllPrinters());
    EXPECT_TRUE(list.DiagnoseInstalledPrinters());
    EXPECT_TRUE(list.ApplyPrinterPorts());
    EXPECT_TRUE(list.RenameAllPrinters());
    EXPECT_TRUE(list.SetDefaultFromList(true));
    EXPECT_EQ(services_.calls, (Calls{
                                   L"MakeDefaultPrinter(Quorvel LX-3200 Series PS)",
                                   L"SharePrinter(Quorvel LX-3200 Series PS,OFFICE)",
                                   L"DiagnosisEx(Quorvel,Office,LX-3200,VID_3A17&PID_3200,0)",
                                   L"SetPrinterPort(Quorvel LX-3200 Series PS,IP_127.0.0.7)",
                                   L"RenamePrinter(Quorvel LX-3200 Series PS,Office)",
                                   L"MakeDefaultPrinter(Office)",
                               }));
    // The INF went where INF files go on a system without OEM INF registration.
    EXPECT_NE(GetFileAttributesW(Under(L"inf\\QVLX3200.INF").c_str()), INVALID_FILE_ATTRIBUTES);

    // Not marked: nothing is done to it but its port.
    services_.calls.clear();
    CMyPrinter unmarked(&services_);
    Fill(unmarked, {own});
    ASSERT_FALSE(unmarked.MarkPrinterInstalled(L"Reception"));
    EXPECT_FALSE(unmarked.SetDefaultFromList(false));
    unmarked.ShareAllPrinters();
    unmarked.DiagnoseInstalledPrinters();
    unmarked.RenameAllPrinters();
    EXPECT_FALSE(unmarked.SetDefaultFromList(true));
    EXPECT_TRUE(services_.calls.empty());
}

TEST_F(PrinterListTest, TheLastInstalledDefaultRecordBecomesTheDefault) {
    PrinterData first = Record(L"Driver A", L"Printer A");
    first.defaultPrinter = true;
    PrinterData second = Record(L"Driver B", L"Printer B");
    second.defaultPrinter = true;
    PrinterData notInstalled = Record(L"Driver C", L"Printer C");
    notInstalled.defaultPrinter = true;

    CMyPrinter list(&services_);
    Fill(list, {first, second, notInstalled});
    EXPECT_FALSE(list.SetDefaultFromList(true)) << "nothing installed yet";
    ASSERT_TRUE(list.MarkPrinterInstalled(L"Driver A"));
    ASSERT_TRUE(list.MarkPrinterInstalled(L"Driver B"));
    EXPECT_TRUE(list.SetDefaultFromList(true));
    services_.failingPrinter = L"Printer B";  // the spooler's answer does not count
    EXPECT_TRUE(list.SetDefaultFromList(true));
    EXPECT_EQ(services_.calls, (Calls{L"MakeDefaultPrinter(Printer B)", L"MakeDefaultPrinter(Printer B)"}));

    // The first record flagged default names the default, installed or not.
    EXPECT_EQ(list.GetDefaultPrinterName(), L"Printer A");
    std::wstring installed;
    EXPECT_FALSE(list.GetDefaultInstalledName(installed));
    EXPECT_EQ(installed, L"Driver A");

    CMyPrinter withoutDefault(&services_);
    Fill(withoutDefault, {Record(L"Driver X", L"Printer X"), Record(L"Driver Y", L"Printer Y")});
    EXPECT_EQ(withoutDefault.GetDefaultPrinterName(), L"");
    EXPECT_FALSE(withoutDefault.GetDefaultInstalledName(installed));
    EXPECT_EQ(installed, L"Printer X") << "slot 0's printer name";
    CMyPrinter empty(&services_);
    installed = L"stale";
    EXPECT_FALSE(empty.GetDefaultInstalledName(installed));
    EXPECT_EQ(installed, L"");
}

TEST_F(PrinterListTest, RenamesAndFindsPortsOfRecords) {
    PrinterData a = Record(L"Driver A", L"Printer A");
    a.componentIndex = 4;
    a.port = L"USB001";
    PrinterData unnamed = Record(L"Driver B", L"");
    unnamed.componentIndex = 5;
    PrinterData b = Record(L"Driver C", L"printer a");
    b.componentIndex = 4;
    b.port = L"LPT1:";
    CMyPrinter list(&services_);
    Fill(list, {a, unnamed, b});

    EXPECT_TRUE(list.SetPrinterName(L"PRINTER A", L"Office"));
    EXPECT_EQ(Slot(list, 0).printerName, L"Office");
    EXPECT_EQ(Slot(list, 2).printerName, L"printer a");
    EXPECT_TRUE(list.SetPrinterName(L"Printer A", L"Reception"));
    EXPECT_EQ(Slot(list, 2).printerName, L"Reception");
    EXPECT_FALSE(list.SetPrinterName(L"", L"Anything")) << "an empty printer name is nobody's";
    EXPECT_FALSE(list.SetPrinterName(nullptr, L"Anything"));
    EXPECT_FALSE(list.SetPrinterName(L"Printer A", L"Again"));

    std::wstring port;
    EXPECT_TRUE(list.GetPortByComponent(4, &port));
    EXPECT_EQ(port, L"USB001");
    EXPECT_TRUE(list.GetPortByComponent(5, &port));
    EXPECT_EQ(port, L"");
    EXPECT_FALSE(list.GetPortByComponent(6, &port));
    EXPECT_FALSE(list.GetPortByComponent(-1, &port));
    EXPECT_FALSE(list.GetPortByComponent(4, nullptr));
}

TEST_F(PrinterListTest, AppliesPortsNamesAndSharesOnlyWhereTheRecordsSaySo) {
    PrinterData shared = Record(L"Driver A", L"Printer A");
    shared.sharePrinter = true;
    shared.shareName = L"SHAREA";
    PrinterData noShareName = Record(L"Driver B", L"Printer B");
    noShareName.sharePrinter = true;
    PrinterData notFlagged = Record(L"Driver C", L"");
    notFlagged.shareName = L"SHAREC";
    PrinterData notInstalled = Record(L"Driver D", L"Printer D");
    notInstalled.sharePrinter = true;
    notInstalled.shareName = L"SHARED";

    CMyPrinter list(&services_);
    Fill(list, {shared, noShareName, notFlagged, notInstalled});
    for (const wchar_t* name : {L"Driver A", L"Driver B", L"Driver C"}) ASSERT_TRUE(list.MarkPrinterInstalled(name));

    EXPECT_FALSE(list.SetAllPrinterPort(L"", true));
    EXPECT_FALSE(list.SetAllPrinterPort(nullptr, true));
    ASSERT_TRUE(list.SetAllPrinterPort(L"IP_127.0.0.9", true));
    EXPECT_EQ(Messages().back(), L"Set all printer port as IP_127.0.0.9 , 1");
    EXPECT_EQ(list.GetCommonPort(), L"IP_127.0.0.9");
    PrinterData second = Slot(list, 1);
    second.setPort = false;
    ASSERT_TRUE(list.UpdatePrinterData(second));
    services_.failingPrinter = L"Driver A";

    EXPECT_TRUE(list.ApplyPrinterPorts());
    EXPECT_TRUE(Logged(L"Set Driver A printer port to IP_127.0.0.9 => fail"));
    EXPECT_TRUE(list.ShareAllPrinters());
    EXPECT_TRUE(list.RenameAllPrinters());
    EXPECT_EQ(services_.calls, (Calls{
                                   L"SetPrinterPort(Driver A,IP_127.0.0.9)",
                                   L"SetPrinterPort(Driver C,IP_127.0.0.9)",
                                   L"SetPrinterPort(Driver D,IP_127.0.0.9)",
                                   L"SharePrinter(Driver A,SHAREA)",
                                   L"RenamePrinter(Driver A,Printer A)",
                                   L"RenamePrinter(Driver B,Printer B)",
                               }));

    services_.calls.clear();
    list.ClearPortFlags();
    EXPECT_TRUE(list.ApplyPrinterPorts());
    EXPECT_TRUE(services_.calls.empty());
    ASSERT_TRUE(list.SetAllPrinterPort(L"LPT1:", false));
    EXPECT_EQ(Messages().back(), L"Set all printer port as LPT1: , 0");
    EXPECT_EQ(Slot(list, 3).port, L"LPT1:");
    EXPECT_TRUE(list.ApplyPrinterPorts());
    EXPECT_TRUE(services_.calls.empty());
}

TEST_F(PrinterListTest, ListsTheInstalledPrintersByTheirPrinterNamesWhileTheyFit) {
    PrinterData longer = Record(L"A", L"Quorvel LX-3200 Series PS (Office)");
    PrinterData skipped = Record(L"B", L"Not installed");
    PrinterData noInstalledName = Record(L"", L"No installed name");
    noInstalledName.installed = true;
    PrinterData second = Record(L"C", L"Reception");
    CMyPrinter list(&services_);
    Fill(list, {longer, skipped, noInstalledName, second});
    ASSERT_TRUE(list.MarkPrinterInstalled(L"A"));
    ASSERT_TRUE(list.MarkPrinterInstalled(L"C"));

    std::vector<wchar_t> buffer(CMyPrinter::kNameListChars, L'#');
    EXPECT_EQ(list.MyGetInstalledPrinter(buffer.data()), 2);
    const std::wstring expected = std::wstring(L"Quorvel LX-3200 Series PS (Office)") + L'\0' + L"Reception" + L'\0';
    EXPECT_EQ(std::wstring(buffer.data(), expected.size()), expected);
    EXPECT_EQ(buffer[expected.size()], L'\0') << "the rest of the buffer is zero-filled";
    EXPECT_EQ(list.MyGetInstalledPrinter(nullptr), -1);

    // Two names with their terminators fill 8192 characters exactly; one
    // character more does not fit, and the first name stays.
    for (const std::size_t secondLength : {std::size_t(4190), std::size_t(4191)}) {
        SCOPED_TRACE(secondLength);
        CMyPrinter full(&services_);
        Fill(full, {Record(L"A", std::wstring(4000, L'a')), Record(L"B", std::wstring(secondLength, L'b'))});
        full.MarkPrinterInstalled(L"A");
        full.MarkPrinterInstalled(L"B");
        std::vector<wchar_t> names(CMyPrinter::kNameListChars, L'#');
        const int count = full.MyGetInstalledPrinter(names.data());
        EXPECT_EQ(count, secondLength == 4190 ? 2 : -1);
        EXPECT_EQ(std::wstring(names.data()), std::wstring(4000, L'a'));
    }
}

TEST_F(PrinterListTest, DiagnosesEveryInstalledPrinter) {
    CMyPrinter list(&services_);
    Fill(list, {Record(L"Driver A", L"Printer A"), Record(L"Driver B", L"Printer B"), Record(L"Driver C", L"")});
    ASSERT_TRUE(list.MarkPrinterInstalled(L"Driver B"));
    ASSERT_TRUE(list.MarkPrinterInstalled(L"Driver C"));
    EXPECT_TRUE(list.DiagnoseInstalledPrinters());
    EXPECT_EQ(services_.calls, (Calls{L"DiagnosisEx(Quorvel,Printer B,LX-3200,VID_3A17&PID_3200,0)",
                                      L"DiagnosisEx(Quorvel,,LX-3200,VID_3A17&PID_3200,0)"}));
}

}  // namespace
