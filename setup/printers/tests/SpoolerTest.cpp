// Printer changes, port and printer lists and OEM INF registration against
// Wine's spooler and Setup API, with printers, drivers and ports each test
// adds for itself.
#include <gtest/gtest.h>

#include <windows.h>
#include <setupapi.h>
#include <winspool.h>

#include <algorithm>
#include <string>
#include <vector>

#include "LocalPorts.h"
#include "MyPrinter.h"
#include "PrinterChange.h"
#include "PrinterTestSupport.h"

namespace {

using printer_test::LocalPrinterNames;
using printer_test::Narrow;
using printer_test::ReadPrinter;
using printer_test::RecordingServices;

bool Contains(const std::vector<std::wstring>& names, const std::wstring& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The names of a name list: |count| zero-terminated names one after the other.
std::vector<std::wstring> Names(const wchar_t* buffer, int count) {
    std::vector<std::wstring> names;
    for (int i = 0; i < count; ++i) {
        names.emplace_back(buffer);
        buffer += names.back().size() + 1;
    }
    return names;
}

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(towlower(c));
    return text;
}

class SpoolerTest : public printer_test::PrinterTest {
protected:
    // The system's error text follows the printer's name.
    void ExpectErrorLines(std::size_t from, const std::wstring& printer, DWORD error) {
        const std::vector<std::wstring> logged = MessagesSince(from);
        ASSERT_EQ(logged.size(), 2u);
        EXPECT_EQ(logged[0], printer);
        EXPECT_EQ(logged[1].rfind(L"Error Code = " + std::to_wstring(error) + L" :", 0), 0u) << Narrow(logged[1]);
    }
};

TEST_F(SpoolerTest, AttachesAPrinterToAPort) {
    const std::wstring printer = Unique(L"QsTest Port");
    const std::wstring port = L"IP_127.0.0.11_" + std::to_wstring(GetCurrentProcessId());
    MakePort(port);
    InstallPrinter(printer);
    ASSERT_FALSE(HasFatalFailure());

    ASSERT_TRUE(SetPrinterPort(printer.c_str(), port.c_str()));
    EXPECT_EQ(ReadPrinter(printer).port, port);
    EXPECT_EQ(Messages().back(), L"Set " + printer + L" Printer port as " + port + L" successfully!");

    const std::wstring missing = printer + L" missing";
    const std::size_t before = MessageCount();
    EXPECT_FALSE(SetPrinterPort(missing.c_str(), port.c_str()));
    ExpectErrorLines(before, missing, ERROR_INVALID_PRINTER_NAME);

    const std::size_t quiet = MessageCount();
    EXPECT_FALSE(SetPrinterPort(printer.c_str(), L""));
    EXPECT_FALSE(SetPrinterPort(L"", port.c_str()));
    EXPECT_FALSE(SetPrinterPort(nullptr, nullptr));
    EXPECT_EQ(MessageCount(), quiet);
}

TEST_F(SpoolerTest, SharesAPrinterUnderAShareName) {
    const std::wstring printer = Unique(L"QsTest Share");
    InstallPrinter(printer);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_EQ(ReadPrinter(printer).attributes & PRINTER_ATTRIBUTE_SHARED, 0u);

    ASSERT_TRUE(SharePrinter(printer.c_str(), L"QSSHARE"));
    const printer_test::PRINTER_STATE state = ReadPrinter(printer);
    EXPECT_EQ(state.share, L"QSSHARE");
    EXPECT_NE(state.attributes & PRINTER_ATTRIBUTE_SHARED, 0u);
    EXPECT_EQ(Messages().back(), L"Share " + printer + L" Printer with QSSHARE share name successfully!");

    const std::wstring missing = printer + L" missing";
    const std::size_t before = MessageCount();
    EXPECT_FALSE(SharePrinter(missing.c_str(), L"QSSHARE"));
    ExpectErrorLines(before, missing, ERROR_INVALID_PRINTER_NAME);
    EXPECT_FALSE(SharePrinter(printer.c_str(), L""));
}

TEST_F(SpoolerTest, RenamesAPrinterAndLeavesANameThatDiffersOnlyInCaseAlone) {
    const std::wstring printer = Unique(L"QsTest Rename");
    const std::wstring renamed = Unique(L"QsTest Renamed");
    InstallPrinter(printer);
    RemoveAlso(renamed);
    ASSERT_FALSE(HasFatalFailure());

    const std::size_t before = MessageCount();
    EXPECT_TRUE(RenamePrinter(printer.c_str(), Lower(printer).c_str()));
    EXPECT_EQ(MessageCount(), before) << "the spooler is not asked";
    EXPECT_EQ(ReadPrinter(printer).name, printer);

    ASSERT_TRUE(RenamePrinter(printer.c_str(), renamed.c_str()));
    EXPECT_EQ(Messages().back(), L"Set " + printer + L" Printer name as " + renamed + L" successfully!");
    // What the spooler lists. (Wine changes only the listed name: the printer
    // still opens under its old name and not under the new one.)
    const std::vector<std::wstring> names = LocalPrinterNames();
    EXPECT_TRUE(Contains(names, renamed));
    EXPECT_FALSE(Contains(names, printer));

    const std::wstring missing = printer + L" missing";
    const std::size_t failed = MessageCount();
    EXPECT_FALSE(RenamePrinter(missing.c_str(), L"Anything"));
    ExpectErrorLines(failed, missing, ERROR_INVALID_PRINTER_NAME);
    EXPECT_FALSE(RenamePrinter(printer.c_str(), L""));
    EXPECT_FALSE(RenamePrinter(nullptr, renamed.c_str()));
}

TEST_F(SpoolerTest, ListsLocalPortsWithoutAnyWhoseNameHoldsCom) {
    const std::wstring plain = L"QsPort_" + std::to_wstring(GetCurrentProcessId());
    const std::wstring withCom = L"IP_127.0.0.12_Com" + std::to_wstring(GetCurrentProcessId());
    MakePort(plain);
    MakePort(withCom);
    ASSERT_FALSE(HasFatalFailure());

    std::vector<wchar_t> buffer(kPortListChars, L'#');
    DWORD count = 0;
    ASSERT_TRUE(EnumLocalPorts(buffer.data(), &count));
    const std::vector<std::wstring> ports = Names(buffer.data(), static_cast<int>(count));
    EXPECT_TRUE(Contains(ports, plain));
    EXPECT_TRUE(Contains(ports, L"LPT1:"));
    EXPECT_TRUE(Contains(ports, L"FILE:"));
    EXPECT_FALSE(Contains(ports, withCom));
    for (const std::wstring& port : ports) EXPECT_EQ(port.find(L"COM"), std::wstring::npos) << Narrow(port);

    // A tight buffer takes the ports that fit; the others are named in the log.
    ASSERT_GE(ports.size(), 2u);
    std::vector<wchar_t> tight(ports[0].size() + 2, L'#');
    DWORD fitted = 99;
    ASSERT_TRUE(EnumLocalPorts(tight.data(), &fitted, tight.size()));
    EXPECT_EQ(fitted, 1u);
    EXPECT_EQ(std::wstring(tight.data()), ports[0]);
    EXPECT_EQ(tight.back(), L'\0');
    EXPECT_TRUE(Logged(L"EnumLocalPorts : no room for port " + ports[1]));

    EXPECT_FALSE(EnumLocalPorts(nullptr, &count));
    EXPECT_FALSE(EnumLocalPorts(buffer.data(), nullptr));
}

TEST_F(SpoolerTest, ListsTheMachinesPrintersWhileTheyFit) {
    const std::wstring first = Unique(L"QsTest List A");
    const std::wstring second = Unique(L"QsTest List B");
    InstallPrinter(first);
    InstallPrinter(second);
    ASSERT_FALSE(HasFatalFailure());

    CMyPrinter list;
    std::vector<wchar_t> buffer(CMyPrinter::kNameListChars, L'#');
    const int count = list.MyGetPrinterInPC(buffer.data());
    ASSERT_GE(count, 2);
    const std::vector<std::wstring> names = Names(buffer.data(), count);
    EXPECT_TRUE(Contains(names, first));
    EXPECT_TRUE(Contains(names, second));
    EXPECT_EQ(names, LocalPrinterNames());

    // Room for the first name only: -1, and the first name stays.
    std::vector<wchar_t> tight(names[0].size() + 2, L'#');
    EXPECT_EQ(list.MyGetPrinterInPC(tight.data(), tight.size()), -1);
    EXPECT_EQ(std::wstring(tight.data()), names[0]);
    EXPECT_EQ(list.MyGetPrinterInPC(nullptr), -1);
}

TEST_F(SpoolerTest, ANameIsUsedWhenAnotherPrinterBearsIt) {
    const std::wstring printer = Unique(L"QsTest Used");
    InstallPrinter(printer);
    ASSERT_FALSE(HasFatalFailure());
    RecordingServices services;
    CMyPrinter list(&services);
    PrinterData record;
    record.installedName = Unique(L"QsTest Listed");
    record.printerName = L"Listed";
    ASSERT_TRUE(list.AddPrinterData(record));

    struct Case {
        std::wstring candidate;
        std::wstring own;
        bool used;
    };
    const Case cases[] = {
        {Lower(printer), L"", true},
        {printer, L"Something else", true},
        {printer, Lower(printer), false},  // the printer itself
        {printer + L" 2", L"", false},
        {record.installedName, L"", false},  // not installed yet, and not in the spooler
        {L"", L"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(list.IsPrinterNameUsed(c.candidate.c_str(), c.own.c_str()), c.used) << Narrow(c.candidate);
    }
    ASSERT_TRUE(list.MarkPrinterInstalled(record.installedName.c_str()));
    EXPECT_TRUE(list.IsPrinterNameUsed(Lower(record.installedName).c_str(), L"Other"));
    EXPECT_FALSE(list.IsPrinterNameUsed(record.installedName.c_str(), record.installedName.c_str()));
    EXPECT_FALSE(list.IsPrinterNameUsed(nullptr, nullptr));
}

TEST_F(SpoolerTest, APrinterWithANameOfItsOwnIsSharedAndRenamedForReal) {
    const std::wstring installed = Unique(L"QsTest Driver Name");
    const std::wstring own = Unique(L"QsTest Office");
    InstallPrinter(installed);
    RemoveAlso(own);
    ASSERT_FALSE(HasFatalFailure());

    CMyPrinter list;
    PrinterData record;
    record.installedName = installed;
    record.printerName = own;
    record.shareName = L"QSOFFICE";
    record.sharePrinter = true;
    ASSERT_TRUE(list.AddPrinterData(record));
    ASSERT_TRUE(list.MarkPrinterInstalled(own.c_str()));

    EXPECT_TRUE(list.ShareAllPrinters());
    EXPECT_EQ(ReadPrinter(installed).share, L"QSOFFICE");
    EXPECT_TRUE(list.RenameAllPrinters());
    const std::vector<std::wstring> names = LocalPrinterNames();
    EXPECT_TRUE(Contains(names, own));
    EXPECT_FALSE(Contains(names, installed));
    std::vector<wchar_t> buffer(CMyPrinter::kNameListChars);
    ASSERT_EQ(list.MyGetInstalledPrinter(buffer.data()), 1);
    EXPECT_EQ(std::wstring(buffer.data()), own);
}

class OemInfTest : public printer_test::PrinterTest {
protected:
    void SetUp() override {
        PrinterTest::SetUp();
        name_ = L"qs" + std::to_wstring(GetCurrentProcessId()) + L"oem.inf";
        services_.setupDirectory = Under(L"medium");
        services_.installDirectory = Under(L"installed");
        services_.infDirectory = Under(L"inf");
        for (const std::wstring& folder :
             {services_.setupDirectory, services_.installDirectory, services_.infDirectory}) {
            CreateDirectoryW(folder.c_str(), nullptr);
        }
    }
    void TearDown() override {
        SetupUninstallOEMInfW(name_.c_str(), SUOI_FORCEDELETE, nullptr);
        wchar_t windows[MAX_PATH] = {};
        GetWindowsDirectoryW(windows, MAX_PATH);
        std::wstring pnf = std::wstring(windows) + L"\\inf\\" + name_;
        pnf.replace(pnf.size() - 3, 3, L"pnf");
        DeleteFileW(pnf.c_str());
        PrinterTest::TearDown();
    }

    std::wstring SystemInf() const {
        wchar_t windows[MAX_PATH] = {};
        GetWindowsDirectoryW(windows, MAX_PATH);
        return std::wstring(windows) + L"\\inf\\" + name_;
    }

    std::wstring name_;
    RecordingServices services_;
};

TEST_F(OemInfTest, RegistersTheInstalledCopyAndAnInfAlreadyThereIsSuccess) {
    // Only the installed copy exists: the medium's path must have been rewritten.
    WriteFile(L"installed\\" + name_, L"[Version]\r\nSignature=\"$Windows NT$\"\r\nClass=Printer\r\n"
                                      L"ClassGUID={4D36E979-E325-11CE-BFC1-08002BE10318}\r\nProvider=Quorvel\r\n");
    CMyPrinter list(&services_);
    const std::wstring onMedium = services_.setupDirectory + L"\\" + name_;
    ASSERT_TRUE(list.CopyOEMInf(onMedium.c_str()));
    EXPECT_NE(GetFileAttributesW(SystemInf().c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(Logged(L"SetupCopyOEMInf (" + services_.installDirectory + L"\\" + name_ + L") => " + SystemInf()));

    EXPECT_TRUE(list.CopyOEMInf(onMedium.c_str())) << "already there";

    const std::wstring missing = services_.setupDirectory + L"\\missing.inf";
    const std::size_t before = MessageCount();
    EXPECT_FALSE(list.CopyOEMInf(missing.c_str()));
    const std::vector<std::wstring> logged = MessagesSince(before);
    ASSERT_FALSE(logged.empty());
    EXPECT_EQ(logged[0], L"SetupCopyOEMInf (" + services_.installDirectory + L"\\missing.inf)");
}

TEST_F(OemInfTest, OnOlderSystemsCopiesTheInfIntoTheInfDirectory) {
    services_.family = 15;
    const std::wstring inf = WriteFile(L"medium\\" + name_, L"[Version]\r\nClass=Printer\r\n");
    CMyPrinter list(&services_);
    ASSERT_TRUE(list.CopyOEMInf(inf.c_str()));
    EXPECT_NE(GetFileAttributesW((services_.infDirectory + L"\\" + name_).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW(SystemInf().c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(list.CopyOEMInf(name_.c_str())) << "a path without a folder";
    EXPECT_FALSE(list.CopyOEMInf(L""));
}

}  // namespace
