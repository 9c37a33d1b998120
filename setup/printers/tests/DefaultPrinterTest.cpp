// Making a printer the default, each way the system families have, and
// reading the default back. The default printer is the machine's: every case
// runs in a Wine prefix of its own.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

#include "DefaultPrinter.h"
#include "MyPrinter.h"
#include "OsVersion.h"
#include "PrinterTestSupport.h"

namespace {

using printer_test::Narrow;
using printer_test::ReadPrinter;

std::wstring SpoolerDefault() {
    wchar_t name[512] = {};
    DWORD size = 512;
    return GetDefaultPrinterW(name, &size) ? name : L"<none>";
}

std::wstring ProfileDevice() {
    wchar_t device[512] = {};
    GetProfileStringW(L"Windows", L"Device", L"", device, 512);
    return device;
}

class DefaultPrinterTest : public printer_test::PrinterTest {};

TEST_F(DefaultPrinterTest, TheSpoolerMakesAPrinterDefaultAndItsWideNameReadsBack) {
    const std::wstring plain = Unique(L"QsTest Default");
    // A name outside the ANSI code page.
    const std::wstring wide = Unique(L"QsTest \x03A9mega");
    InstallPrinter(plain);
    InstallPrinter(wide);
    ASSERT_FALSE(HasFatalFailure());

    ASSERT_TRUE(MySetDefaultPrinter(plain.c_str(), os_class::kFamilyNt5));
    EXPECT_EQ(Messages().back(), L"Set Default Printer (" + plain + L") Success");
    EXPECT_EQ(SpoolerDefault(), plain);

    ASSERT_TRUE(MySetDefaultPrinter(wide.c_str(), os_class::kFamilyNt5));
    EXPECT_EQ(SpoolerDefault(), wide);
    CMyPrinter printers;
    std::wstring read;
    ASSERT_TRUE(printers.MyGetDefaultPrinter(&read));
    EXPECT_EQ(read, wide);
    EXPECT_EQ(printers.GetPreviousDefaultPrinter(), wide);
    EXPECT_TRUE(printers.MyGetDefaultPrinter(nullptr));

    // A printer that does not exist: neither the spooler nor the profile way.
    const std::wstring missing = plain + L" missing";
    EXPECT_FALSE(MySetDefaultPrinter(missing.c_str(), os_class::kFamilyNt5));
    EXPECT_EQ(Messages().back(), L"Set Default Printer (" + missing + L") fail");
    EXPECT_EQ(SpoolerDefault(), wide);
    EXPECT_FALSE(MySetDefaultPrinter(L"", os_class::kFamilyNt5));
    EXPECT_FALSE(MySetDefaultPrinter(nullptr));
    // On the running system (Windows 7 here) the spooler's way is taken.
    ASSERT_TRUE(MySetDefaultPrinter(plain.c_str()));
    EXPECT_EQ(SpoolerDefault(), plain);
}

TEST_F(DefaultPrinterTest, OnWindowsNt4TheProfileNamesThePrinterWithItsDevicesValue) {
    const std::wstring printer = Unique(L"QsTest Nt4");
    InstallPrinter(printer, L"LPT2:");
    ASSERT_FALSE(HasFatalFailure());

    ASSERT_TRUE(MySetDefaultPrinter(printer.c_str(), os_class::kFamilyNt4));
    // The spooler's own value for the printer: "<driver file>,<port>".
    const std::wstring device = ProfileDevice();
    EXPECT_EQ(device.rfind(printer + L",", 0), 0u) << Narrow(device);
    EXPECT_NE(device.find(L"LPT2:"), std::wstring::npos) << Narrow(device);
    EXPECT_EQ(SpoolerDefault(), printer);

    const std::wstring missing = printer + L" missing";
    EXPECT_FALSE(MySetDefaultPrinter(missing.c_str(), os_class::kFamilyNt4));
    EXPECT_EQ(Messages().back(), L"Set Default Printer (" + missing + L") fail");
    EXPECT_EQ(ProfileDevice(), device);

    // Families without a way of their own.
    EXPECT_FALSE(MySetDefaultPrinter(printer.c_str(), os_class::kFamilyWin32s));
    EXPECT_FALSE(MySetDefaultPrinter(printer.c_str(), 0));
}

TEST_F(DefaultPrinterTest, OnWindows9xThePrinterIsMarkedDefault) {
    const std::wstring printer = Unique(L"QsTest 9x");
    InstallPrinter(printer);
    ASSERT_FALSE(HasFatalFailure());

    ASSERT_TRUE(MySetDefaultPrinter(printer.c_str(), os_class::kFamily9x));
    EXPECT_NE(ReadPrinter(printer).attributes & PRINTER_ATTRIBUTE_DEFAULT, 0u);
    EXPECT_EQ(Messages().back(), L"Set Default Printer (" + printer + L") Success");

    const std::wstring missing = printer + L" missing";
    const std::size_t before = MessageCount();
    EXPECT_FALSE(MySetDefaultPrinter(missing.c_str(), os_class::kFamily9x));
    const std::vector<std::wstring> logged = MessagesSince(before);
    ASSERT_EQ(logged.size(), 3u);
    EXPECT_EQ(logged[0], L"OpenPrinter (" + missing + L")");
    EXPECT_EQ(logged[1].rfind(L"Error Code = 1801 :", 0), 0u) << Narrow(logged[1]);
    EXPECT_EQ(logged[2], L"Set Default Printer (" + missing + L") fail");
}

TEST_F(DefaultPrinterTest, TheFinishingStepsMakeAPrinterWithANameOfItsOwnTheDefault) {
    const std::wstring installed = Unique(L"QsTest LX Driver");
    const std::wstring own = Unique(L"QsTest Office");
    InstallPrinter(installed);
    RemoveAlso(own);
    ASSERT_FALSE(HasFatalFailure());
    WriteFile(L"medium\\QVLX.INF", L"[Version]\r\nClass=Printer\r\n");

    printer_test::RecordingServices services;
    services.realSpooler = true;
    services.family = os_class::kFamily9x;  // the INF goes to a folder of the test's
    services.setupDirectory = Under(L"medium");
    services.infDirectory = Under(L"inf");
    CreateDirectoryW(services.infDirectory.c_str(), nullptr);
    CMyPrinter list(&services);
    PrinterData record;
    record.installedName = installed;
    record.printerName = own;
    record.shareName = L"QSOFFICE";
    record.sharePrinter = true;
    record.defaultPrinter = true;
    record.infPath = L"$SRC_DIR$\\QVLX.INF";
    ASSERT_TRUE(list.AddPrinterData(record));
    ASSERT_TRUE(list.MarkPrinterInstalled(own.c_str()));

    EXPECT_TRUE(list.SetDefaultFromList(false));
    EXPECT_EQ(SpoolerDefault(), installed);
    EXPECT_NE(GetFileAttributesW(Under(L"inf\\QVLX.INF").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(list.ShareAllPrinters());
    EXPECT_TRUE(list.RenameAllPrinters());
    EXPECT_TRUE(list.SetDefaultFromList(true));
    EXPECT_EQ(services.calls.back(), L"MakeDefaultPrinter(" + own + L")");
    // The printer stays the default under one of its names. (Wine cannot open
    // a renamed printer under its new name, so there the second call fails and
    // the default keeps the installed name.)
    const std::wstring now = SpoolerDefault();
    EXPECT_TRUE(now == installed || now == own) << Narrow(now);
    EXPECT_EQ(ReadPrinter(installed).share, L"QSOFFICE");
}

}  // namespace
