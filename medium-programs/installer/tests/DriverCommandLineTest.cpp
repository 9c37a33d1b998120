// The driver installer's command line, as setup writes it and as it arrives.
#include <gtest/gtest.h>

#include "DriverCommandLine.h"

using namespace installer;

namespace {

TEST(DriverCommandLineTest, ReadsEveryFormSetupWrites) {
    const struct {
        const wchar_t* line;
        DriverOperation operation;
        const wchar_t* inf;
        int index;
        const wchar_t* driver;
        bool addPrinter;
        const wchar_t* port;
        const wchar_t* unknown;
    } cases[] = {
        {L"/IP /INF \"C:\\a b\\QV.INF\" /I 0", DriverOperation::kInstallPrinter, L"C:\\a b\\QV.INF", 0, L"", false,
         L"", L""},
        {L"/IP /INF \"C:\\x.inf\" /I 0 /P\"IP_127.0.0.5\"", DriverOperation::kInstallPrinter, L"C:\\x.inf", 0, L"",
         false, L"IP_127.0.0.5", L""},
        {L"/rp /inf \"C:\\x.inf\" /P LPT2: /N \"Quorvel LX\"", DriverOperation::kReinstallPrinter, L"C:\\x.inf", -1,
         L"Quorvel LX", true, L"LPT2:", L""},
        {L"/UP /INF \"C:\\x.inf\" /O \"Quorvel LX\"", DriverOperation::kRemovePrinter, L"C:\\x.inf", -1,
         L"Quorvel LX", false, L"", L""},
        {L"/IS /INF \"C:\\s.inf\" /I2", DriverOperation::kStageScanner, L"C:\\s.inf", 2, L"", false, L"", L""},
        {L"/US /INF C:\\s.inf", DriverOperation::kRemoveScanner, L"C:\\s.inf", -1, L"", false, L"", L""},
        {L"/RS /INF \"C:\\s.inf", DriverOperation::kRestageScanner, L"C:\\s.inf", -1, L"", false, L"", L""},
        // Malformed: an unknown option, a word after an operation, a bad index.
        {L"/IP /X 1 /INF a.inf", DriverOperation::kInstallPrinter, L"a.inf", -1, L"", false, L"", L"/X"},
        {L"/IP extra", DriverOperation::kInstallPrinter, L"", -1, L"", false, L"", L"extra"},
        {L"/IP /INF a.inf /I zero", DriverOperation::kInstallPrinter, L"a.inf", -1, L"", false, L"", L"/I zero"},
        {L"", DriverOperation::kNone, L"", -1, L"", false, L"", L""},
    };
    for (const auto& c : cases) {
        const DRIVER_COMMAND command = ParseDriverCommand(c.line);
        EXPECT_EQ(command.operation, c.operation) << c.line;
        EXPECT_EQ(command.inf, c.inf) << c.line;
        EXPECT_EQ(command.index, c.index) << c.line;
        EXPECT_EQ(command.driverName, c.driver) << c.line;
        EXPECT_EQ(command.addPrinter, c.addPrinter) << c.line;
        EXPECT_EQ(command.port, c.port) << c.line;
        EXPECT_EQ(command.unknown, c.unknown) << c.line;
    }
}

}  // namespace
