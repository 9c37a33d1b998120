// Finding a component's installer below its directory: the order of the
// places searched, setup programs before INF files, and the class filter.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>

#include "Collector.h"
#include "ConfigContext.h"
#include "ConfigReader.h"
#include "Log.h"
#include "LogReader.h"
#include "Medium.h"
#include "OsVersion.h"

namespace {

std::string InfText(const char* infClass, const char* model) {
    return std::string("[Version]\r\nSignature=\"$Windows NT$\"\r\nClass=") + infClass +
           "\r\n\r\n[Manufacturer]\r\n\"Maker\"=Maker\r\n\r\n[Maker]\r\n\"" + model +
           "\"=Install, HWID\\Model\r\n\r\n[Install]\r\nCopyFiles=Files\r\n";
}

class CollectorTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = qs_test::TempDirectory() + L"qs-collector";
        qs_test::DeleteTree(root_);
        CreateDirectoryW(root_.c_str(), nullptr);
        log_ = std::make_unique<CLog>(nullptr);
        SetGlobalLog(log_.get());
        reader_.SetContext(&context_);
        LoadData(L"[NONE]\r\n");
    }
    void TearDown() override {
        SetGlobalLog(nullptr);
        qs_test::DeleteTree(root_);
    }
    void LoadData(const std::wstring& text) {
        const std::wstring path = root_ + L"\\setup" + std::to_wstring(files_++) + L".dat";
        ASSERT_TRUE(qs_test::WriteProfileFile(path, text));
        ASSERT_TRUE(reader_.Load(path.c_str(), path.c_str(), nullptr, false));
    }
    void Put(const std::wstring& relative, const std::string& content) {
        const std::wstring path = root_ + L"\\" + relative;
        for (std::size_t slash = path.find(L'\\', root_.size() + 1); slash != std::wstring::npos;
             slash = path.find(L'\\', slash + 1))
            CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);
        std::ofstream(path.c_str(), std::ios::binary) << content;
    }
    bool Find(const std::wstring& directory, const std::wstring& infClass, const std::wstring& language,
              TARGET_INFO& target, std::uint32_t code = os_class::kWinXp, const std::wstring& osDefine = L"WXP") {
        const CCollector collector(reader_, root_);
        return collector.FindTarget(root_ + L"\\" + directory, infClass, language, osDefine, target, code, false);
    }

    std::wstring root_;
    std::unique_ptr<CLog> log_;
    CFixedConfigContext context_;
    CConfigReader reader_;
    int files_ = 0;
};

TEST_F(CollectorTest, ASetupProgramBesideInfFilesIsFoundFirst) {
    Put(L"Util\\a.inf", InfText("Printer", "Model A"));
    Put(L"Util\\setup.exe", "program");
    TARGET_INFO target;
    ASSERT_TRUE(Find(L"Util", L"", L"French", target));
    EXPECT_EQ(target.kind, TARGET_INFO::kSetupProgram);
    EXPECT_EQ(target.target, L"$SRC_DIR$\\UTIL\\SETUP.EXE");
    EXPECT_EQ(target.directory, root_ + L"\\Util");
}

TEST_F(CollectorTest, SystemDirectoriesComeBeforeLanguagesAndEnglishLast) {
    // Windows XP, French: nothing in WINXP itself, in French or directly in
    // English; then <name>\French for every name, then <name>\English.
    Put(L"Drv\\WINXP\\English\\x.inf", InfText("Printer", "Model X"));
    Put(L"Drv\\English\\Other\\y.inf", InfText("Printer", "Model Y"));
    TARGET_INFO target;
    ASSERT_TRUE(Find(L"Drv", L"Printer", L"French", target));
    EXPECT_EQ(target.kind, TARGET_INFO::kPrinterInf);
    EXPECT_EQ(target.name, L"Model X");
    EXPECT_EQ(target.target, L"$SRC_DIR$\\DRV\\WINXP\\ENGLISH\\X.INF");

    // A "<OS define>_DIR" section puts its names before the built-in ones.
    Put(L"Drv\\Win7\\z.inf", InfText("Printer", "Model Z"));
    Put(L"Drv\\WinXP_2000_VISTA_32\\w.inf", InfText("Printer", "Model W"));
    LoadData(L"[WXP_DIR]\r\nWin7\r\n");
    ASSERT_TRUE(Find(L"Drv", L"Printer", L"French", target));
    EXPECT_EQ(target.name, L"Model Z");
}

TEST_F(CollectorTest, TheClassChoosesAmongInfFiles) {
    Put(L"Mixed\\a_scanner.inf", InfText("Image", "Scanner S"));
    Put(L"Mixed\\b_printer.inf", InfText("Printer", "Printer P"));
    Put(L"Mixed\\c_ports.inf", InfText("Ports", "Port Q"));
    TARGET_INFO target;
    ASSERT_TRUE(Find(L"Mixed", L"printer", L"", target));
    EXPECT_EQ(target.kind, TARGET_INFO::kPrinterInf);
    EXPECT_EQ(target.name, L"Printer P");
    ASSERT_TRUE(Find(L"Mixed", L"Image", L"", target));
    EXPECT_EQ(target.kind, TARGET_INFO::kScannerInf);
    ASSERT_TRUE(Find(L"Mixed", L"Ports", L"", target));
    EXPECT_EQ(target.kind, TARGET_INFO::kOtherInf);
    EXPECT_FALSE(Find(L"Mixed", L"Net", L"", target));
}

TEST_F(CollectorTest, MissingDirectoriesAndBadArgumentsFindNothing) {
    TARGET_INFO target;
    EXPECT_FALSE(Find(L"NotThere", L"", L"", target));
    const CCollector collector(reader_, root_);
    std::wstring path;
    std::uint32_t kind = 0;
    EXPECT_EQ(collector.FindFile(L"", L"", path, 10, kind), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    Put(L"Long\\setup.exe", "program");
    EXPECT_EQ(collector.FindFile(root_ + L"\\Long", L"", path, 8, kind), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(CCollector::SystemDirectoryNames(os_class::kWinVista, true),
              (std::vector<std::wstring>{L"WinXP_VISTA_64", L"VISTA_64", L"VISTA"}));
    EXPECT_TRUE(CCollector::SystemDirectoryNames(os_class::kWin32s, false).empty());
}

}  // namespace
