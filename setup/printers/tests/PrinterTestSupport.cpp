#include "PrinterTestSupport.h"

#include <winspool.h>

#include <algorithm>

#include "DefaultPrinter.h"
#include "LogReader.h"
#include "Medium.h"
#include "PrinterChange.h"
#include "TestPrinters.h"

namespace printer_test {

std::wstring SourceMedium() {
    const std::string source = QS_MEDIUM_SOURCE_DIR;
    std::wstring path(source.begin(), source.end());
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (wchar_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
    return narrow;
}

PRINTER_STATE ReadPrinter(const std::wstring& name) {
    PRINTER_STATE state;
    HANDLE printer = nullptr;
    std::wstring copy = name;
    if (!OpenPrinterW(&copy[0], &printer, nullptr)) return state;
    DWORD needed = 0;
    GetPrinterW(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> block(needed);
    if (needed > 0 && GetPrinterW(printer, 2, block.data(), needed, &needed)) {
        const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(block.data());
        state.found = true;
        state.name = info->pPrinterName ? info->pPrinterName : L"";
        state.port = info->pPortName ? info->pPortName : L"";
        state.share = info->pShareName ? info->pShareName : L"";
        state.attributes = info->Attributes;
    }
    ClosePrinter(printer);
    return state;
}

std::vector<std::wstring> LocalPrinterNames() {
    std::vector<std::wstring> names;
    DWORD needed = 0;
    DWORD count = 0;
    EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    if (needed == 0) return names;
    std::vector<BYTE> block(needed);
    if (!EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, block.data(), needed, &needed, &count)) return names;
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(block.data());
    for (DWORD i = 0; i < count; ++i) names.push_back(info[i].pPrinterName ? info[i].pPrinterName : L"");
    return names;
}

bool DeletePrinterNamed(const std::wstring& name) {
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    std::wstring copy = name;
    if (!OpenPrinterW(&copy[0], &printer, &defaults)) return false;
    const bool deleted = DeletePrinter(printer) != FALSE;
    ClosePrinter(printer);
    return deleted;
}

void RecordingServices::ExpandPathVariables(std::wstring& text) const {
    const std::wstring variable = L"$SRC_DIR$";
    for (std::size_t at = text.find(variable); at != std::wstring::npos; at = text.find(variable, at))
        text.replace(at, variable.size(), setupDirectory);
}

int RecordingServices::DiagnosisEx(const wchar_t* mfg, const wchar_t* printer, const wchar_t* mdl,
                                   const wchar_t* vidPidText, int reserved) const {
    calls.push_back(std::wstring(L"DiagnosisEx(") + mfg + L"," + printer + L"," + mdl + L"," + vidPidText + L"," +
                    std::to_wstring(reserved) + L")");
    return 1;
}

int RecordingServices::MyGetPrinterDesc(const wchar_t* address, wchar_t* id, int reserved) const {
    calls.push_back(std::wstring(L"MyGetPrinterDesc(") + address + L"," + std::to_wstring(reserved) + L")");
    if (fillWholeBuffer) {
        std::fill(id, id + 8192, L'X');
    } else {
        std::copy(deviceId.begin(), deviceId.end(), id);
    }
    return deviceIdResult;
}

int RecordingServices::MyGetDeviceIDFromPort(const wchar_t* port, wchar_t* id) const {
    calls.push_back(std::wstring(L"MyGetDeviceIDFromPort(") + port + L")");
    if (fillWholeBuffer) {
        std::fill(id, id + 8192, L'X');
    } else {
        std::copy(deviceId.begin(), deviceId.end(), id);
    }
    return deviceIdResult;
}

bool RecordingServices::Spooler(const std::wstring& call, const wchar_t* printer, bool real) const {
    calls.push_back(call);
    if (printer != nullptr && failingPrinter == printer) return false;
    return realSpooler ? real : true;
}

bool RecordingServices::MakeDefaultPrinter(const wchar_t* printer) const {
    return Spooler(std::wstring(L"MakeDefaultPrinter(") + printer + L")", printer,
                   realSpooler && MySetDefaultPrinter(printer));
}

bool RecordingServices::SetPrinterPort(const wchar_t* printer, const wchar_t* port) const {
    return Spooler(std::wstring(L"SetPrinterPort(") + printer + L"," + port + L")", printer,
                   realSpooler && ::SetPrinterPort(printer, port));
}

bool RecordingServices::RenamePrinter(const wchar_t* printer, const wchar_t* newName) const {
    return Spooler(std::wstring(L"RenamePrinter(") + printer + L"," + newName + L")", printer,
                   realSpooler && ::RenamePrinter(printer, newName));
}

bool RecordingServices::SharePrinter(const wchar_t* printer, const wchar_t* shareName) const {
    return Spooler(std::wstring(L"SharePrinter(") + printer + L"," + shareName + L")", printer,
                   realSpooler && ::SharePrinter(printer, shareName));
}

void PrinterTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "-" + info->name();
    std::replace(name.begin(), name.end(), '/', '-');
    folder_ = qs_test::TempDirectory() + L"qs-printers-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
              std::wstring(name.begin(), name.end());
    qs_test::DeleteTree(folder_);
    ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr)) << GetLastError();
    log_ = std::make_unique<CLog>(folder_ + L"\\", L"setup.exe");
    SetGlobalLog(log_.get());
}

void PrinterTest::TearDown() {
    for (const std::wstring& printer : printers_) DeletePrinterNamed(printer);
    for (const std::wstring& driver : drivers_) {
        std::wstring copy = driver;
        DeletePrinterDriverW(nullptr, nullptr, &copy[0]);
    }
    for (const std::wstring& port : ports_) qs_test::LocalPortCommand(L"DeletePort", port);
    SetGlobalLog(nullptr);
    log_.reset();
    qs_test::DeleteTree(folder_);
}

std::wstring PrinterTest::Unique(const std::wstring& prefix) const {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = info->name();
    std::wstring text = prefix + L" " + std::wstring(name.begin(), name.end()) + L" " +
                        std::to_wstring(GetCurrentProcessId());
    std::replace(text.begin(), text.end(), L'/', L'-');
    return text;
}

std::wstring PrinterTest::WriteFile(const std::wstring& relative, const std::wstring& text) const {
    const std::wstring path = Under(relative);
    EXPECT_TRUE(qs_test::WriteAnsiFile(path, text)) << Narrow(path);
    return path;
}

std::vector<std::wstring> PrinterTest::Messages() const {
    qs_test::SetupLog log;
    qs_test::ReadSetupLog(log_->FilePath(), log);
    return log.messages;
}

bool PrinterTest::Logged(const std::wstring& message) const {
    const std::vector<std::wstring> all = Messages();
    return std::find(all.begin(), all.end(), message) != all.end();
}

std::vector<std::wstring> PrinterTest::MessagesSince(std::size_t from) const {
    const std::vector<std::wstring> all = Messages();
    return from < all.size() ? std::vector<std::wstring>(all.begin() + static_cast<std::ptrdiff_t>(from), all.end())
                             : std::vector<std::wstring>();
}

void PrinterTest::InstallDriver(const std::wstring& driver, const std::wstring& ppd) {
    std::wstring dataFile = ppd;
    if (dataFile.empty()) {
        // The spooler keeps data files by name: one of the test's own.
        dataFile = WriteFile(L"qs" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                 std::to_wstring(drivers_.size()) + L".ppd",
                             L"*PPD-Adobe: \"4.3\"\r\n"
                             L"*FormatVersion: \"4.3\"\r\n"
                             L"*LanguageVersion: English\r\n"
                             L"*ModelName: \"QsTest Printer\"\r\n"
                             L"*NickName: \"QsTest Printer\"\r\n"
                             L"*DefaultPageSize: Letter\r\n"
                             L"*PageSize Letter: \"<</PageSize[612 792]>>setpagedevice\"\r\n");
    }
    ASSERT_EQ(qs_test::AddPostScriptDriver(driver, dataFile), 0u) << Narrow(driver);
    drivers_.push_back(driver);
}

void PrinterTest::InstallPrinter(const std::wstring& printer, const std::wstring& port, const std::wstring& driver) {
    if (driver.empty() && drivers_.empty()) {
        InstallDriver(Unique(L"QsTest Driver"));
        if (HasFatalFailure()) return;
    }
    ASSERT_EQ(qs_test::AddPlainPrinter(printer, driver.empty() ? drivers_.front() : driver, port), 0u)
        << Narrow(printer);
    printers_.push_back(printer);
}

void PrinterTest::MakePort(const std::wstring& port) {
    ASSERT_TRUE(qs_test::LocalPortCommand(L"AddPort", port)) << Narrow(port);
    ports_.push_back(port);
}

}  // namespace printer_test
