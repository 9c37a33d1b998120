// Which files a driver is added with, on Windows and under Wine.
#include <gtest/gtest.h>

#include "SystemDriverFiles.h"

using namespace installer;

namespace {

INF_MODEL PostScriptModel() {
    INF_MODEL model;
    model.infDirectory = L"C:\\medium\\PS";
    model.driverName = L"Quorvel LX-3200 Series PS";
    model.installSection = L"QVLX3200_PS";
    model.dataFile = L"QVLX3200.PPD";
    model.copyFiles = {L"QVLX3200.PPD", L"QVLX3200.INI"};
    model.needs = {L"PSCRIPT.OEM"};
    return model;
}

TEST(SystemDriverFilesTest, WindowsTakesThePostScriptBinariesFromTheSystem) {
    const CSystemDriverFiles files(SpoolerPlatform::kWindows, L"C:\\spool\\W32X86\\3");
    DRIVER_PLAN plan;
    std::wstring error;
    ASSERT_TRUE(files.Plan(PostScriptModel(), &plan, &error)) << error;
    EXPECT_EQ(plan.name, L"Quorvel LX-3200 Series PS");
    EXPECT_EQ(plan.driverPath, L"C:\\spool\\W32X86\\3\\PSCRIPT5.DLL");
    EXPECT_EQ(plan.configFile, L"C:\\spool\\W32X86\\3\\PS5UI.DLL");
    EXPECT_EQ(plan.helpFile, L"C:\\spool\\W32X86\\3\\PSCRIPT.HLP");
    EXPECT_EQ(plan.dataFile, L"C:\\medium\\PS\\QVLX3200.PPD");
    EXPECT_EQ(plan.dependentFiles,
              (std::vector<std::wstring>{L"C:\\spool\\W32X86\\3\\PSCRIPT.NTF", L"C:\\medium\\PS\\QVLX3200.INI"}));
    EXPECT_EQ(plan.copyFlags, static_cast<DWORD>(APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY));
}

TEST(SystemDriverFilesTest, WindowsTakesTheUniversalDriverForAGpdModel) {
    INF_MODEL model = PostScriptModel();
    model.dataFile = L"QVLX3200.GPD";
    model.copyFiles = {L"QVLX3200.GPD"};
    model.needs = {L"UNIDRV.OEM"};
    const CSystemDriverFiles files(SpoolerPlatform::kWindows, L"C:\\d");
    DRIVER_PLAN plan;
    std::wstring error;
    ASSERT_TRUE(files.Plan(model, &plan, &error)) << error;
    EXPECT_EQ(plan.driverPath, L"C:\\d\\UNIDRV.DLL");
    EXPECT_EQ(plan.configFile, L"C:\\d\\UNIDRVUI.DLL");
    EXPECT_EQ(plan.dataFile, L"C:\\medium\\PS\\QVLX3200.GPD");
    EXPECT_EQ(plan.dependentFiles.front(), L"C:\\d\\UNIRES.DLL");
}

TEST(SystemDriverFilesTest, WineUsesItsPostScriptDriverWithThePpdAndRefusesTheRest) {
    const CSystemDriverFiles files(SpoolerPlatform::kWine, L"C:\\unused");
    DRIVER_PLAN plan;
    std::wstring error;
    ASSERT_TRUE(files.Plan(PostScriptModel(), &plan, &error)) << error;
    EXPECT_EQ(plan.driverPath, L"C:\\windows\\system32\\wineps.drv");
    EXPECT_EQ(plan.configFile, L"C:\\windows\\system32\\wineps.drv");
    EXPECT_EQ(plan.dataFile, L"C:\\medium\\PS\\QVLX3200.PPD");
    EXPECT_EQ(plan.helpFile, L"");
    EXPECT_EQ(plan.copyFlags, static_cast<DWORD>(APD_COPY_FROM_DIRECTORY | APD_COPY_NEW_FILES));

    INF_MODEL universal = PostScriptModel();
    universal.dataFile = L"QVLX3200.GPD";
    universal.needs = {L"UNIDRV.OEM"};
    EXPECT_FALSE(files.Plan(universal, &plan, &error));
    EXPECT_NE(error.find(L"QVLX3200.GPD"), std::wstring::npos) << error;

    INF_MODEL noData = PostScriptModel();
    noData.dataFile.clear();
    EXPECT_FALSE(files.Plan(noData, &plan, &error));
}

TEST(SystemDriverFilesTest, ThisProcessIsSeenToRunUnderWine) {
    EXPECT_EQ(CSystemDriverFiles::Running(), SpoolerPlatform::kWine);
}

}  // namespace
