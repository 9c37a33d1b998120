// The printer step of an install, against a spooler that refuses as Windows
// does (1802 for a printer name that exists, 1796 for a port that does not),
// so that the one behaviour is checked where Wine would accept either.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "PrinterInstaller.h"

using namespace installer;

namespace {

class CWindowsLikeSpooler : public IPrinterSpooler {
public:
    bool PrinterDriver(const std::wstring& printer, std::wstring* driver) override {
        const auto found = printers.find(printer);
        if (found == printers.end()) return false;
        *driver = found->second.first;
        return true;
    }
    std::vector<std::wstring> PrintersOfDriver(const std::wstring& driver) override {
        std::vector<std::wstring> names;
        for (const auto& printer : printers)
            if (printer.second.first == driver) names.push_back(printer.first);
        return names;
    }
    std::vector<std::wstring> PrintersOnPort(const std::wstring& port) override {
        std::vector<std::wstring> names;
        for (const auto& printer : printers)
            if (printer.second.second == port) names.push_back(printer.first);
        return names;
    }
    bool PortExists(const std::wstring& port) override { return ports.count(port) != 0; }
    DWORD DeleteLocalPort(const std::wstring& port) override {
        return ports.erase(port) != 0 ? ERROR_SUCCESS : ERROR_UNKNOWN_PORT;
    }
    DWORD AddLocalPort(const std::wstring& port) override {
        if (!portsCanBeMade) return ERROR_ACCESS_DENIED;
        ports.insert(port);
        return ERROR_SUCCESS;
    }
    DWORD CreatePrinter(const std::wstring& printer, const std::wstring& driver, const std::wstring& port) override {
        ++addPrinterCalls;
        if (printers.count(printer) != 0) return ERROR_PRINTER_ALREADY_EXISTS;
        if (ports.count(port) == 0) return ERROR_UNKNOWN_PORT;
        printers[printer] = {driver, port};
        return ERROR_SUCCESS;
    }
    DWORD SetPrinterDriver(const std::wstring& printer, const std::wstring& driver) override {
        if (printers.count(printer) == 0) return ERROR_INVALID_PRINTER_NAME;
        printers[printer].first = driver;
        return ERROR_SUCCESS;
    }
    DWORD DeletePrinter(const std::wstring& printer) override {
        return printers.erase(printer) != 0 ? ERROR_SUCCESS : ERROR_INVALID_PRINTER_NAME;
    }

    std::map<std::wstring, std::pair<std::wstring, std::wstring>> printers;  // name -> driver, port
    std::set<std::wstring> ports = {L"LPT1:"};
    bool portsCanBeMade = true;
    int addPrinterCalls = 0;
};

class PrinterStepTest : public ::testing::Test {
protected:
    CWindowsLikeSpooler spooler_;
    CSystemDriverFiles files_{SpoolerPlatform::kWindows, L"C:\\d"};
    CPrinterInstaller installer_{spooler_, files_};
};

TEST_F(PrinterStepTest, AnExistingPrinterIsKeptWithItsPortAndGetsThisDriver) {
    spooler_.printers[L"LX"] = {L"Old driver", L"LPT1:"};
    EXPECT_EQ(installer_.EnsurePrinter(L"LX", L"New driver", L"USB001"), 0u);
    EXPECT_EQ(spooler_.addPrinterCalls, 0);
    EXPECT_EQ(spooler_.printers[L"LX"].first, L"New driver");
    EXPECT_EQ(spooler_.printers[L"LX"].second, L"LPT1:");
    EXPECT_EQ(spooler_.ports.count(L"USB001"), 0u);

    EXPECT_EQ(installer_.EnsurePrinter(L"LX", L"New driver", L"LPT1:"), 0u);
    EXPECT_EQ(spooler_.addPrinterCalls, 0);
}

TEST_F(PrinterStepTest, AMissingPortIsMadeFirstOrTheInstallFails) {
    EXPECT_EQ(installer_.EnsurePrinter(L"LX", L"Driver", L"QSTEST9:"), 0u);
    EXPECT_EQ(spooler_.ports.count(L"QSTEST9:"), 1u);
    EXPECT_EQ(spooler_.printers[L"LX"].second, L"QSTEST9:");

    spooler_.portsCanBeMade = false;
    EXPECT_EQ(installer_.EnsurePrinter(L"LY", L"Driver", L"QSTEST10:"), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(spooler_.printers.count(L"LY"), 0u);
}

TEST_F(PrinterStepTest, RemovalDeletesEveryPrinterOfTheDriverAndIsIdempotent) {
    spooler_.printers[L"LX"] = {L"Driver", L"LPT1:"};
    spooler_.printers[L"LX (copy)"] = {L"Driver", L"LPT1:"};
    spooler_.printers[L"Other"] = {L"Other driver", L"LPT1:"};
    PRINTER_JOB job;
    job.driverName = L"Driver";
    job.printerName = L"LX";
    EXPECT_EQ(installer_.Remove(job).error, 0u);
    EXPECT_EQ(spooler_.printers.size(), 1u);
    EXPECT_EQ(spooler_.printers.count(L"Other"), 1u);
    EXPECT_EQ(installer_.Remove(job).error, 0u);
}

}  // namespace
