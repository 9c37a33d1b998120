// Looking up ports and printer drivers in the spooler.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <cwctype>
#include <string>

#include "LogReader.h"
#include "Medium.h"
#include "TestPrinters.h"
#include "Utl.h"

namespace {

std::string Narrow(const wchar_t* text) { return text ? std::string(text, text + wcslen(text)) : "null"; }

TEST(PortExists, NamesCompareWithoutCaseAndWithoutTheEndingColon) {
    struct Case {
        const wchar_t* name;
        bool exists;
    };
    const Case cases[] = {
        {L"lpt1", true},  {L"LPT1:", true},   {L"Lpt1:", true}, {L"COM1:", true},   {L"LPT", false},
        {L"LPT1:X", false}, {L"LPT1::", false}, {L"", false},     {nullptr, false}, {L"QS_NO_SUCH_PORT", false},
    };
    for (const Case& c : cases) EXPECT_EQ(CUtl::PortExists(c.name), c.exists) << Narrow(c.name);
}

TEST(PortExists, SeesPortsAddedAndDeleted) {
    const std::wstring port = L"IP_127.0.0.9_" + std::to_wstring(GetCurrentProcessId());
    ASSERT_FALSE(CUtl::PortExists(port.c_str()));
    ASSERT_TRUE(qs_test::LocalPortCommand(L"AddPort", port));
    EXPECT_TRUE(CUtl::PortExists(port.c_str()));
    ASSERT_TRUE(qs_test::LocalPortCommand(L"DeletePort", port));
    EXPECT_FALSE(CUtl::PortExists(port.c_str()));
}

// A printer driver of the test's own (Wine's PostScript driver with a small
// PPD), and later a printer that uses it.
class PrinterDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::wstring id = std::to_wstring(GetCurrentProcessId());
        driver_ = L"QsTest Utl Driver " + id;
        printer_ = L"QsTest Utl Printer " + id;
        folder_ = qs_test::TempDirectory() + L"qs-utl-driver-" + id;
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
        ppd_ = folder_ + L"\\qsutl" + id + L".ppd";
        ASSERT_TRUE(qs_test::WriteAnsiFile(ppd_, L"*PPD-Adobe: \"4.3\"\r\n"
                                                 L"*FormatVersion: \"4.3\"\r\n"
                                                 L"*LanguageVersion: English\r\n"
                                                 L"*ModelName: \"QsTest Utl\"\r\n"
                                                 L"*NickName: \"QsTest Utl\"\r\n"
                                                 L"*DefaultPageSize: Letter\r\n"
                                                 L"*PageSize Letter: \"<</PageSize[612 792]>>setpagedevice\"\r\n"));
        ASSERT_EQ(qs_test::AddPostScriptDriver(driver_, ppd_), 0u);
    }
    void TearDown() override {
        DeletePrinterNamed(printer_);
        DeletePrinterDriverW(nullptr, nullptr, &driver_[0]);
        qs_test::DeleteTree(folder_);
    }

    bool AddPrinterUsingDriver() {
        PRINTER_INFO_2W info = {};
        info.pPrinterName = &printer_[0];
        info.pPortName = const_cast<wchar_t*>(L"LPT1:");
        info.pDriverName = &driver_[0];
        info.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
        info.pDatatype = const_cast<wchar_t*>(L"RAW");
        const HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
        if (printer == nullptr) return false;
        ClosePrinter(printer);
        return true;
    }

    static void DeletePrinterNamed(std::wstring name) {
        PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
        HANDLE printer = nullptr;
        if (!OpenPrinterW(&name[0], &printer, &defaults)) return;
        DeletePrinter(printer);
        ClosePrinter(printer);
    }

    std::wstring driver_;
    std::wstring printer_;
    std::wstring folder_;
    std::wstring ppd_;
};

TEST_F(PrinterDriverTest, InstalledDriversAndTheDriversOfPrinters) {
    std::wstring otherCase = driver_;
    for (wchar_t& c : otherCase) c = static_cast<wchar_t>(towlower(c));

    EXPECT_TRUE(CUtl::IsPrinterDriverInstalled(driver_.c_str(), false));
    EXPECT_TRUE(CUtl::IsPrinterDriverInstalled(otherCase.c_str(), false));
    EXPECT_FALSE(CUtl::IsPrinterDriverInstalled(driver_.c_str(), true)) << "no printer uses it yet";

    ASSERT_TRUE(AddPrinterUsingDriver()) << GetLastError();
    EXPECT_TRUE(CUtl::IsPrinterDriverInstalled(driver_.c_str(), true));
    EXPECT_TRUE(CUtl::IsPrinterDriverInstalled(otherCase.c_str(), true));

    for (const bool byPrinters : {false, true}) {
        EXPECT_FALSE(CUtl::IsPrinterDriverInstalled((driver_ + L" 2").c_str(), byPrinters));
        EXPECT_FALSE(CUtl::IsPrinterDriverInstalled(L"QsTest Utl Driver", byPrinters));
        EXPECT_FALSE(CUtl::IsPrinterDriverInstalled(L"", byPrinters));
        EXPECT_FALSE(CUtl::IsPrinterDriverInstalled(nullptr, byPrinters));
    }

    DeletePrinterNamed(printer_);
    EXPECT_FALSE(CUtl::IsPrinterDriverInstalled(driver_.c_str(), true));
    EXPECT_TRUE(CUtl::IsPrinterDriverInstalled(driver_.c_str(), false));
}

}  // namespace
