// The example medium's driver INF files as the INF reader and the spooler see
// them, and the PostScript description they ship as Wine's PostScript driver
// prints with it.
#include <gtest/gtest.h>

#include <windows.h>
#include <setupapi.h>
#include <winspool.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "InfInfo.h"
#include "PrinterTestSupport.h"
#include "Utl.h"

namespace {

using printer_test::Narrow;
using printer_test::SourceMedium;

const wchar_t kPs[] = L"Quorvel LX-3200 Series PS";
const wchar_t kPcl6[] = L"Quorvel LX-3200 Series PCL 6";
const wchar_t kScanner[] = L"Quorvel LX-3200MF Scanner";

struct DriverCase {
    std::wstring inf;  // below the medium
    const wchar_t* driver;
    std::wstring cls;
    std::wstring section;
    int index;
    bool uniDrv;
};

std::vector<DriverCase> DriverCases() {
    return {
        {L"Printer\\PS\\WinXP_VISTA_64\\QVLX3200.INF", kPs, L"Printer", L"Quorvel.NTamd64", 0, true},
        {L"Printer\\PS\\WinXP_VISTA_64\\QVLX3200.INF", kPcl6, L"Printer", L"Quorvel.NTamd64", 1, true},
        {L"Printer\\PS\\WinXP_2000_VISTA_32\\QVLX3200.INF", kPs, L"Printer", L"Quorvel.NTx86", 0, true},
        {L"Printer\\PS\\WinXP_2000_VISTA_32\\QVLX3200.INF", kPcl6, L"Printer", L"Quorvel.NTx86", 1, true},
        {L"Scanner\\WinXP_VISTA_64\\QVLX32SC.INF", kScanner, L"Image", L"Quorvel.NTamd64", 0, false},
        {L"Scanner\\WinXP_2000_VISTA_32\\QVLX32SC.INF", kScanner, L"Image", L"Quorvel.NTx86", 0, false},
    };
}

class MediumInfTest : public printer_test::PrinterTest {};

TEST_F(MediumInfTest, TheReaderFindsEachDriverInTheSectionOfItsPlatform) {
    for (const DriverCase& c : DriverCases()) {
        SCOPED_TRACE(Narrow(c.inf + L" " + c.driver));
        const std::wstring path = SourceMedium() + L"\\" + c.inf;
        CInfInfo inf;
        ASSERT_TRUE(inf.Init(path.c_str(), -1, c.driver));
        EXPECT_EQ(inf.GetInfClassName(), c.cls);
        EXPECT_STREQ(inf.GetManufacturer(), L"Quorvel");
        EXPECT_EQ(inf.GetModelSection(), c.section);
        EXPECT_STREQ(inf.GetDriverName(), c.driver);
        EXPECT_EQ(inf.GetSelectedIndex(), c.index);
        EXPECT_EQ(inf.IsUniDrv(), c.uniDrv);
        wchar_t name[CInfInfo::kTextChars] = {};
        ASSERT_TRUE(inf.GetDriverNameByIndex(c.index, name, CInfInfo::kTextChars));
        EXPECT_STREQ(name, c.driver);
    }
}

// What a printer model's install section names, read through the Setup API.
std::wstring LineText(HINF inf, const wchar_t* section, const wchar_t* key) {
    wchar_t text[512] = {};
    return SetupGetLineTextW(nullptr, inf, section, key, text, 512, nullptr) ? text : L"<none>";
}

TEST_F(MediumInfTest, EachPrinterModelShipsItsDescriptionBesideTheInfAndNoCatalogIsNamed) {
    struct Model {
        const wchar_t* driver;
        std::wstring needs;
        std::wstring dataFile;
    };
    for (const wchar_t* directory : {L"WinXP_VISTA_64", L"WinXP_2000_VISTA_32"}) {
        const std::wstring folder = SourceMedium() + L"\\Printer\\PS\\" + directory;
        SCOPED_TRACE(Narrow(folder));
        const HINF inf = SetupOpenInfFileW((folder + L"\\QVLX3200.INF").c_str(), nullptr, INF_STYLE_WIN4, nullptr);
        ASSERT_NE(inf, INVALID_HANDLE_VALUE) << GetLastError();
        EXPECT_EQ(LineText(inf, L"Version", L"ClassGUID"), L"{4D36E979-E325-11CE-BFC1-08002BE10318}");
        EXPECT_EQ(LineText(inf, L"Version", L"Provider"), L"Quorvel");
        EXPECT_EQ(LineText(inf, L"Version", L"CatalogFile"), L"<none>");
        EXPECT_EQ(SetupGetLineCountW(inf, L"Quorvel"), -1) << "no undecorated models section";
        for (const Model& model : {Model{kPs, L"PSCRIPT.OEM", L"QVLX3200.PPD"},
                                   Model{kPcl6, L"UNIDRV.OEM", L"QVLX3200.GPD"}}) {
            CInfInfo reader;
            ASSERT_TRUE(reader.Init((folder + L"\\QVLX3200.INF").c_str(), -1, model.driver));
            wchar_t install[260] = {};
            ASSERT_TRUE(reader.GetString(inf, reader.GetModelSection(), reader.GetSelectedIndex(), 1, install, 260));
            EXPECT_EQ(LineText(inf, install, L"Include"), L"NTPRINT.INF");
            EXPECT_EQ(LineText(inf, install, L"Needs"), model.needs);
            EXPECT_EQ(LineText(inf, install, L"DataFile"), model.dataFile);
            EXPECT_EQ(LineText(inf, L"SourceDisksFiles", model.dataFile.c_str()), L"1");
            EXPECT_NE(GetFileAttributesW((folder + L"\\" + model.dataFile).c_str()), INVALID_FILE_ATTRIBUTES);
        }
        SetupCloseInfFile(inf);
    }
}

TEST(MediumDriverFiles, ArePlainAsciiWithCrLfLineEnds) {
    for (const wchar_t* relative :
         {L"Printer\\PS\\WinXP_VISTA_64\\QVLX3200.INF", L"Printer\\PS\\WinXP_VISTA_64\\QVLX3200.PPD",
          L"Printer\\PS\\WinXP_VISTA_64\\QVLX3200.GPD", L"Printer\\PS\\WinXP_2000_VISTA_32\\QVLX3200.INF",
          L"Printer\\PS\\WinXP_2000_VISTA_32\\QVLX3200.PPD", L"Printer\\PS\\WinXP_2000_VISTA_32\\QVLX3200.GPD",
          L"Scanner\\WinXP_VISTA_64\\QVLX32SC.INF", L"Scanner\\WinXP_2000_VISTA_32\\QVLX32SC.INF"}) {
        const std::wstring path = SourceMedium() + L"\\" + relative;
        SCOPED_TRACE(Narrow(path));
        std::ifstream file(path.c_str(), std::ios::binary);
        ASSERT_TRUE(file.good());
        const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        ASSERT_FALSE(bytes.empty());
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(bytes[i]);
            ASSERT_LT(c, 0x80) << "at byte " << i;
            if (c == '\n') {
                ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "a bare line feed at byte " << i;
            }
            if (c == '\r') {
                ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "a bare return at byte " << i;
            }
        }
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    }
}

// Prints one page with |printer| into |output|, on paper |paper| (DMPAPER_...).
bool PrintPage(const std::wstring& printer, const std::wstring& output, short paper) {
    std::wstring name = printer;
    HANDLE opened = nullptr;
    if (!OpenPrinterW(&name[0], &opened, nullptr)) return false;
    const LONG size = DocumentPropertiesW(nullptr, opened, &name[0], nullptr, nullptr, 0);
    std::vector<BYTE> block(size > 0 ? static_cast<std::size_t>(size) : sizeof(DEVMODEW));
    auto* mode = reinterpret_cast<DEVMODEW*>(block.data());
    DocumentPropertiesW(nullptr, opened, &name[0], mode, nullptr, DM_OUT_BUFFER);
    mode->dmFields |= DM_PAPERSIZE;
    mode->dmPaperSize = paper;
    DocumentPropertiesW(nullptr, opened, &name[0], mode, mode, DM_IN_BUFFER | DM_OUT_BUFFER);
    ClosePrinter(opened);

    const HDC dc = CreateDCW(L"WINSPOOL", printer.c_str(), nullptr, mode);
    if (dc == nullptr) return false;
    DOCINFOW document = {};
    document.cbSize = sizeof(document);
    document.lpszDocName = L"Quorvel test page";
    document.lpszOutput = output.c_str();
    bool printed = StartDocW(dc, &document) > 0 && StartPage(dc) > 0;
    if (printed) {
        TextOutW(dc, 300, 300, L"Quorvel LX-3200", 15);
        Rectangle(dc, 300, 600, 1200, 900);
        printed = EndPage(dc) > 0 && EndDoc(dc) > 0;
    }
    DeleteDC(dc);
    return printed;
}

std::string ReadAll(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

TEST_F(MediumInfTest, WinesPostScriptDriverPrintsLetterAndA4WithTheMediumsDescription) {
    const std::wstring driver = Unique(L"QsTest LX PS");
    const std::wstring printer = Unique(L"QsTest LX Printer");
    // The spooler keeps data files by name: a copy under a name of the test's own.
    const std::wstring ppd = Under(L"qvlx" + std::to_wstring(GetCurrentProcessId()) + L".ppd");
    ASSERT_TRUE(CopyFileW((SourceMedium() + L"\\Printer\\PS\\WinXP_VISTA_64\\QVLX3200.PPD").c_str(), ppd.c_str(),
                          FALSE));
    InstallDriver(driver, ppd);
    InstallPrinter(printer, L"FILE:", driver);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_TRUE(CUtl::IsPrinterDriverInstalled(driver.c_str(), true));

    struct Paper {
        short size;
        const char* feature;  // the description's option, as the driver names it
        const char* code;     // and the code it sends for it
    };
    for (const Paper& paper : {Paper{DMPAPER_LETTER, "%%BeginFeature: *PageSize Letter", "<</PageSize[612 792]"},
                               Paper{DMPAPER_A4, "%%BeginFeature: *PageSize A4", "<</PageSize[595 842]"}}) {
        SCOPED_TRACE(paper.feature);
        const std::wstring output = Under(L"page" + std::to_wstring(paper.size) + L".ps");
        ASSERT_TRUE(PrintPage(printer, output, paper.size)) << GetLastError();
        const std::string ps = ReadAll(output);
        EXPECT_EQ(ps.rfind("%!PS-Adobe-3.0", 0), 0u) << ps.substr(0, 40);
        EXPECT_NE(ps.find(paper.feature), std::string::npos);
        EXPECT_NE(ps.find(paper.code), std::string::npos);
        EXPECT_NE(ps.find("%%EOF"), std::string::npos);
    }
}

}  // namespace
