#include "ComponentInstaller.h"

#include <cwchar>

#include "DriverCommandLine.h"
#include "InstallLog.h"
#include "PrinterInf.h"
#include "PrinterInstaller.h"
#include "ProgramRun.h"
#include "RecordKey.h"

namespace installer {

namespace {

const wchar_t kInstalledUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

const wchar_t* OperationName(ComponentOperation operation) {
    switch (operation) {
        case ComponentOperation::kInstall: return L"Install";
        case ComponentOperation::kReinstall: return L"Reinstall";
        case ComponentOperation::kRemove: return L"Remove";
    }
    return L"?";
}

bool FileExists(const std::wstring& path) {
    return !path.empty() && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

ComponentOperation ChooseOperation(DWORD setupType, bool installed) {
    if (setupType == 2) return ComponentOperation::kRemove;
    if (setupType >= 3 && setupType <= 5) return ComponentOperation::kReinstall;
    if (setupType == 1 && installed) return ComponentOperation::kReinstall;
    return ComponentOperation::kInstall;
}

CComponentInstaller::CComponentInstaller(std::wstring recordsRoot, std::wstring itemKey, IPrinterSpooler& spooler,
                                         const CSystemDriverFiles& files)
    : recordsRoot_(std::move(recordsRoot)), itemKey_(std::move(itemKey)), spooler_(spooler), files_(files) {}

std::wstring CComponentInstaller::RecordedText(const wchar_t* name) const {
    const std::wstring text = CRecordKey(itemKey_).Text(name);
    return !text.empty() ? text : CRecordKey(InstalledRecord()).Text(name);
}

std::vector<std::wstring> SplitFileList(const std::wstring& text) {
    std::vector<std::wstring> files;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find(L'|', start);
        if (end == std::wstring::npos) end = text.size();
        if (end > start) files.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return files;
}

std::wstring JoinFileList(const std::vector<std::wstring>& files) {
    std::vector<std::wstring> kept;
    std::wstring text;
    for (const std::wstring& file : files) {
        bool twice = false;
        for (const std::wstring& earlier : kept) twice = twice || _wcsicmp(earlier.c_str(), file.c_str()) == 0;
        if (twice) continue;
        kept.push_back(file);
        if (!text.empty()) text += L'|';
        text += file;
    }
    return text;
}

std::wstring CComponentInstaller::UninstallInfoRoot() const { return Sibling(recordsRoot_, L"UninstallInfo"); }

std::wstring CComponentInstaller::InstalledRecord() const {
    return Sibling(recordsRoot_, L"Installed") + L"\\Items\\" + LastPart(itemKey_);
}

bool CComponentInstaller::Run(ComponentOperation operation) {
    const CRecordKey record(itemKey_);
    if (!record.Exists()) {
        LogLine(L"%ls: no component record %ls", OperationName(operation), itemKey_.c_str());
        return false;
    }
    const std::wstring driver = record.Text(L"Driver_Name");
    if (!driver.empty()) {
        // The INF the parameters of this operation name, else the installed copy.
        const wchar_t* parameters = operation == ComponentOperation::kRemove      ? L"UninstParam"
                                    : operation == ComponentOperation::kReinstall ? L"ReinstParam"
                                                                                  : L"InstParam";
        std::wstring inf = ParseDriverCommand(record.Text(parameters)).inf;
        if (!FileExists(inf)) inf = ParseDriverCommand(record.Text(L"InstParam")).inf;
        if (!FileExists(inf)) inf = record.Text(L"Inf_Path");
        const std::wstring infClass = FileExists(inf) ? InfClass(inf) : std::wstring();
        const bool printer = _wcsicmp(infClass.c_str(), L"Printer") == 0 ||
                             (infClass.empty() && operation == ComponentOperation::kRemove &&
                              record.Number(L"Printer", 0) == 1);
        if (printer) return RunPrinter(operation, FileExists(inf) ? inf : std::wstring());
    }
    return RunCommand(operation);
}

bool CComponentInstaller::RunPrinter(ComponentOperation operation, const std::wstring& inf) {
    const CRecordKey record(itemKey_);
    CPrinterInstaller printers(spooler_, files_);
    PRINTER_JOB job;
    job.inf = inf;
    job.driverName = record.Text(L"Driver_Name");
    job.printerName = record.Text(L"Printer_Name");
    LogLine(L"%ls printer component %ls: driver \"%ls\", printer \"%ls\", INF %ls", OperationName(operation),
            LastPart(itemKey_).c_str(), job.driverName.c_str(), job.printerName.c_str(), inf.c_str());

    if (operation == ComponentOperation::kRemove) {
        job.stagedInf = RecordedText(L"Staged_Inf");
        job.copiedFiles = SplitFileList(RecordedText(L"Driver_Files"));
        job.createdPort = RecordedText(L"Created_Port");
        const PRINTER_RESULT removed = printers.Remove(job);
        if (removed.error != ERROR_SUCCESS) return false;
        ClearMark();
        return true;
    }

    if (inf.empty()) {
        LogLine(L"%ls printer component %ls: no INF found (InstParam, Inf_Path)", OperationName(operation),
                LastPart(itemKey_).c_str());
        return false;
    }
    job.port = ParseDriverCommand(record.Text(L"InstParam")).port;
    if (job.port.empty()) job.port = CRecordKey(recordsRoot_).Text(L"Printer_Port");
    if (job.port.empty()) job.port = L"LPT1:";
    const PRINTER_RESULT installed = printers.Install(job);
    if (installed.error != ERROR_SUCCESS) return false;
    // What the removal must take back: a reinstallation copies nothing new,
    // so what an earlier installation recorded is kept.
    std::vector<std::wstring> copied = SplitFileList(RecordedText(L"Driver_Files"));
    for (const std::wstring& file : installed.copiedFiles) copied.push_back(file);
    const std::wstring createdPort =
        !installed.createdPort.empty() ? installed.createdPort : RecordedText(L"Created_Port");
    const LONG staged = record.SetText(L"Staged_Inf", installed.stagedInf);
    const LONG files = record.SetText(L"Driver_Files", JoinFileList(copied));
    const LONG port = createdPort.empty() ? ERROR_SUCCESS : record.SetText(L"Created_Port", createdPort);
    const LONG marked = record.SetNumber(L"InstallNow", 2);
    if (staged != ERROR_SUCCESS) LogError(static_cast<DWORD>(staged), L"Write Staged_Inf into %ls", itemKey_.c_str());
    if (files != ERROR_SUCCESS) LogError(static_cast<DWORD>(files), L"Write Driver_Files into %ls", itemKey_.c_str());
    if (port != ERROR_SUCCESS) LogError(static_cast<DWORD>(port), L"Write Created_Port into %ls", itemKey_.c_str());
    if (marked != ERROR_SUCCESS) {
        LogError(static_cast<DWORD>(marked), L"Write InstallNow = 2 into %ls", itemKey_.c_str());
        return false;
    }
    return true;
}

bool CComponentInstaller::RunCommand(ComponentOperation operation) {
    const CRecordKey record(itemKey_);
    const std::wstring valueName = record.Text(L"Uninstall_Value_Name");
    std::wstring program;
    std::wstring parameters;
    switch (operation) {
        case ComponentOperation::kInstall:
            program = record.Text(L"InstCmd");
            parameters = record.Text(L"InstParam");
            break;
        case ComponentOperation::kReinstall:
            program = record.Text(L"ReinstCmd");
            parameters = record.Text(L"ReinstParam");
            if (program.empty()) {
                program = record.Text(L"InstCmd");
                if (parameters.empty()) parameters = record.Text(L"InstParam");
            }
            break;
        case ComponentOperation::kRemove:
            program = record.Text(L"UninstCmd");
            parameters = record.Text(L"UninstParam");
            if (program.empty() && !valueName.empty()) {
                // The program's own uninstall command line, as the install recorded it.
                const std::wstring line = CRecordKey(UninstallInfoRoot()).Text(valueName.c_str());
                if (!line.empty()) parameters = parameters.empty() ? line : line + L" " + parameters;
            }
            break;
    }
    // A removal may run a recorded command line without a program of its own.
    if (program.empty() && (operation != ComponentOperation::kRemove || parameters.empty())) {
        LogLine(L"%ls %ls: no command in the record", OperationName(operation), LastPart(itemKey_).c_str());
        return false;
    }
    const DWORD success = record.Number(L"Success_Return", 0);
    const PROGRAM_RESULT run = RunProgram(program, parameters);
    if (!run.started) {
        LogError(run.error, L"%ls %ls: cannot start [%ls] [%ls]", OperationName(operation),
                 LastPart(itemKey_).c_str(), program.c_str(), parameters.c_str());
        return false;
    }
    LogLine(L"%ls %ls: [%ls] [%ls] exit code %lu (success %lu)", OperationName(operation), LastPart(itemKey_).c_str(),
            program.c_str(), parameters.c_str(), static_cast<unsigned long>(run.exitCode),
            static_cast<unsigned long>(success));
    if (run.exitCode != success) return false;

    if (operation == ComponentOperation::kRemove) {
        if (!valueName.empty()) {
            CRecordKey(UninstallInfoRoot()).Delete(valueName.c_str());
            // The key holds nothing but such values: gone with the last one.
            RegDeleteKeyW(HKEY_LOCAL_MACHINE, UninstallInfoRoot().c_str());
        }
        ClearMark();
        return true;
    }
    if (!valueName.empty()) {
        const std::wstring uninstall =
            CRecordKey(kInstalledUninstallKey + valueName).Text(L"UninstallString");
        if (uninstall.empty()) {
            LogLine(L"%ls %ls: the program registered no UninstallString under %ls%ls", OperationName(operation),
                    LastPart(itemKey_).c_str(), kInstalledUninstallKey, valueName.c_str());
        } else {
            HKEY created = nullptr;
            if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, UninstallInfoRoot().c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                nullptr, &created, nullptr) == ERROR_SUCCESS)
                RegCloseKey(created);
            const LONG written = CRecordKey(UninstallInfoRoot()).SetText(valueName.c_str(), uninstall);
            if (written != ERROR_SUCCESS)
                LogError(static_cast<DWORD>(written), L"Write %ls into %ls", valueName.c_str(),
                         UninstallInfoRoot().c_str());
        }
    }
    const LONG marked = record.SetNumber(L"InstallNow", 2);
    if (marked != ERROR_SUCCESS) {
        LogError(static_cast<DWORD>(marked), L"Write InstallNow = 2 into %ls", itemKey_.c_str());
        return false;
    }
    return true;
}

void CComponentInstaller::ClearMark() const {
    const LONG here = CRecordKey(itemKey_).Delete(L"InstallNow");
    const LONG there = CRecordKey(InstalledRecord()).Delete(L"InstallNow");
    if (here != ERROR_SUCCESS) LogError(static_cast<DWORD>(here), L"Delete InstallNow of %ls", itemKey_.c_str());
    if (there != ERROR_SUCCESS)
        LogError(static_cast<DWORD>(there), L"Delete InstallNow of %ls", InstalledRecord().c_str());
}

}  // namespace installer
