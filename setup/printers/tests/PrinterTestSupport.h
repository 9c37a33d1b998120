#pragma once
// What the printer tests share: a log of their own, a folder of their own,
// and drivers, printers and local ports added to Wine's spooler for real.

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Log.h"
#include "PrinterServices.h"

namespace printer_test {

// "Z:\...\medium" of the source tree: the example medium as written.
std::wstring SourceMedium();

// A narrow copy of |text| for test messages.
std::string Narrow(const std::wstring& text);

// A printer as the spooler reports it (level 2); |found| false when it cannot be opened.
struct PRINTER_STATE {
    bool found = false;
    std::wstring name;
    std::wstring port;
    std::wstring share;
    DWORD attributes = 0;
};
PRINTER_STATE ReadPrinter(const std::wstring& name);
// The local printers' names.
std::vector<std::wstring> LocalPrinterNames();
bool DeletePrinterNamed(const std::wstring& name);

// Services that record the spooler changes and support-library calls asked
// of them (as "Call(arg,arg)") and answer as told; the run's facts are
// fields. With |realSpooler| the spooler changes are also made for real.
class RecordingServices : public CPrinterServices {
public:
    std::uint32_t OsFamily() const override { return family; }
    std::wstring SetupDirectory() const override { return setupDirectory; }
    std::wstring InstallDirectory() const override { return installDirectory; }
    std::wstring InfDirectory() const override { return infDirectory; }
    // Replaces $SRC_DIR$ by the setup directory.
    void ExpandPathVariables(std::wstring& text) const override;
    std::wstring Manufacturer() const override { return manufacturer; }
    std::wstring Model() const override { return model; }
    std::wstring VidPid() const override { return vidPid; }

    int DiagnosisEx(const wchar_t* mfg, const wchar_t* printer, const wchar_t* mdl, const wchar_t* vidPidText,
                    int reserved) const override;
    int MyGetPrinterDesc(const wchar_t* address, wchar_t* deviceId, int reserved) const override;
    int MyGetDeviceIDFromPort(const wchar_t* port, wchar_t* deviceId) const override;

    bool MakeDefaultPrinter(const wchar_t* printer) const override;
    bool SetPrinterPort(const wchar_t* printer, const wchar_t* port) const override;
    bool RenamePrinter(const wchar_t* printer, const wchar_t* newName) const override;
    bool SharePrinter(const wchar_t* printer, const wchar_t* shareName) const override;

    std::uint32_t family = 17;
    std::wstring setupDirectory;
    std::wstring installDirectory;
    std::wstring infDirectory;
    std::wstring manufacturer = L"Quorvel";
    std::wstring model = L"LX-3200";
    std::wstring vidPid = L"VID_3A17&PID_3200";
    // What the device-ID reads give: the result, and the text written (all
    // 8192 characters of the buffer when |fillWholeBuffer|).
    int deviceIdResult = 0;
    std::wstring deviceId;
    bool fillWholeBuffer = false;
    // Spooler changes for this printer name fail.
    std::wstring failingPrinter;
    bool realSpooler = false;

    mutable std::vector<std::wstring> calls;

private:
    bool Spooler(const std::wstring& call, const wchar_t* printer, bool real) const;
};

// Each test gets a folder and a log of its own; names it makes carry the
// test's name and the process id, so that tests never share a printer, port
// or driver.
class PrinterTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // "<prefix> <test name> <pid>": a name no other test uses.
    std::wstring Unique(const std::wstring& prefix) const;
    std::wstring Under(const std::wstring& relative) const { return folder_ + L"\\" + relative; }
    // Writes an ANSI file below the test's folder (CR LF line ends as given).
    std::wstring WriteFile(const std::wstring& relative, const std::wstring& text) const;

    std::vector<std::wstring> Messages() const;
    bool Logged(const std::wstring& message) const;
    std::size_t MessageCount() const { return Messages().size(); }
    // The messages logged since |from| messages were there.
    std::vector<std::wstring> MessagesSince(std::size_t from) const;

    // Adds a driver built on Wine's PostScript driver with |ppd| as its data
    // file (a small PPD of our own when empty); deleted in TearDown.
    void InstallDriver(const std::wstring& driver, const std::wstring& ppd = L"");
    // Adds a printer on |port| with |driver| (the test's first driver when
    // empty); deleted in TearDown, also under the names given to RemoveAlso.
    void InstallPrinter(const std::wstring& printer, const std::wstring& port = L"LPT1:",
                    const std::wstring& driver = L"");
    void RemoveAlso(const std::wstring& printer) { printers_.push_back(printer); }
    // Adds a local port; deleted in TearDown.
    void MakePort(const std::wstring& port);

    std::wstring folder_;
    std::unique_ptr<CLog> log_;
    std::vector<std::wstring> drivers_;
    std::vector<std::wstring> printers_;
    std::vector<std::wstring> ports_;
};

}  // namespace printer_test
