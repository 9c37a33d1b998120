#include "SilentInstallation.h"

#include <windows.h>

#include <cwctype>
#include <optional>
#include <vector>

#include "CmdOperator.h"
#include "CopyFile.h"
#include "InstallEngine.h"
#include "InstallUpdate.h"
#include "Item.h"
#include "ItemQueries.h"
#include "Log.h"
#include "MyPrinter.h"
#include "Registry.h"
#include "SetupContext.h"
#include "WindowlessWizard.h"

struct CSilentInstallation::Parts {
    Parts(CSetupContext& context, const std::wstring& startSection)
        : items(context, printers),
          wizard(context, startSection),
          queries(items),
          devices(context, items, printers, wizard) {
        items.SetRunCommand([this](const std::wstring& type, const std::wstring& param1) {
            return wizard.RunCommand(MakeCmdRecord(type, param1));
        });
        wizard.SetComponents(queries);
        wizard.Operator().SetDevices(devices);
    }
    bool Run(const wchar_t* type, const wchar_t* param1 = L"") {
        return wizard.Operator().Execute(MakeCmdRecord(type, param1));
    }

    CMyPrinter printers;
    CItem items;
    CWindowlessWizard wizard;
    CItemQueries queries;
    CInstallUpdate devices;
};

namespace {

// A value of the setting file's [INSTALL] section; empty when absent.
std::wstring SettingValue(const std::wstring& file, const wchar_t* key) {
    wchar_t value[MAX_PATH + 1] = {};
    GetPrivateProfileStringW(L"INSTALL", key, L"", value, MAX_PATH + 1, file.c_str());
    return value;
}

// A present setting read as a decimal number; nothing (logged) when it is
// not one.
std::optional<long> SettingNumber(const std::wstring& text, const wchar_t* key) {
    std::size_t i = 0;
    while (i < text.size() && std::iswspace(text[i])) ++i;
    std::size_t digits = i + ((i < text.size() && (text[i] == L'-' || text[i] == L'+')) ? 1 : 0);
    const std::size_t first = digits;
    while (digits < text.size() && std::iswdigit(text[digits])) ++digits;
    std::size_t end = digits;
    while (end < text.size() && std::iswspace(text[end])) ++end;
    if (digits == first || digits - first > 9 || end != text.size()) {
        GlobalLog().Print(L"Setting file : [INSTALL] %ls = [%ls] is not a number, passed over", key, text.c_str());
        return std::nullopt;
    }
    return std::wcstol(text.c_str() + i, nullptr, 10);
}

// Whether the spooler knows a local printer; nothing when it cannot tell.
std::optional<bool> SystemHasPrinter() {
    DWORD needed = 0, count = 0;
    EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    if (needed == 0) return false;
    std::vector<BYTE> block(needed, 0);
    if (!EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, block.data(), needed, &needed, &count)) {
        GlobalLog().PrintError(GetLastError(), L"Enumerate the local printers");
        return std::nullopt;
    }
    return count > 0;
}

}  // namespace

CSilentInstallation::CSilentInstallation(CSetupContext& context, const std::wstring& startSection)
    : context_(context), parts_(std::make_unique<Parts>(context, startSection)) {}

CSilentInstallation::~CSilentInstallation() = default;

int CSilentInstallation::ExitCode(bool procedureResult) const {
    if (!procedureResult || componentFailed_ || removalIncomplete_) return kFailed;
    return restartNeeded_ ? kRestartNeeded : kSucceeded;
}

bool CSilentInstallation::CopyFiles() {
    CCopyFile copier;
    const std::wstring records = context_.Roots().Installing() + L"\\CopyFiles";
    const CopyOutcome outcome = copier.CopyAll(records.c_str());
    if (outcome == CopyOutcome::kFailed) return false;
    if (outcome == CopyOutcome::kReplacedAtRestart) restartNeeded_ = true;
    return true;
}

void CSilentInstallation::SetUpPort() {
    CInstallTarget& target = context_.Target();
    if (!target.PortGiven()) return;
    const std::wstring port = target.Port();
    if (port.empty()) return;
    if (port[0] >= L'0' && port[0] <= L'9') {
        // A printer address needs a TCP/IP port from the network library,
        // which this build does not have: no port is made and the printers
        // keep theirs.
        GlobalLog().Print(L"Set Printer Port : no network port library in this build, no port for [%ls]",
                          port.c_str());
        return;
    }
    GlobalLog().Print(L"Set Printer Port : %ls", port.c_str());
    parts_->printers.SetAllPrinterPort(port.c_str(), true);
}

bool CSilentInstallation::InstallComponent(int index, bool installed) {
    CItemInfo& item = parts_->items.GetItem(index);
    const std::wstring& root = context_.Roots().Installing();
    const std::wstring record = root + L"\\Items\\" + item.Name();
    const bool success =
        (context_.SupportLibrary().MyInstall(0, root.c_str(), record.c_str(), installed ? 1 : 0) & 0xFF) != 0;
    GlobalLog().Print(L"%ls", CInstallEngine::ResultLine(item.DisplayName(), success).c_str());
    if (!success) componentFailed_ = true;
    return success;
}

void CSilentInstallation::InstallLoop() {
    CItem& items = parts_->items;
    for (int i = 0; i < items.GetCount(); ++i) {
        CItemInfo& item = items.GetItem(i);
        if (!item.Selected()) continue;
        if (!InstallComponent(i, item.Installed())) continue;
        if (item.IsPrinter()) {
            parts_->printers.MarkPrinterInstalled(item.PrinterName().c_str());
            context_.Target().SetPrinterInstalled(true);
        }
    }
}

void CSilentInstallation::DeleteInstallingRoot() {
    CRegistry::DeleteKey(context_.Roots().Installing().c_str(), false, HKEY_LOCAL_MACHINE);
}

bool CSilentInstallation::ScriptInstall(const std::wstring& settingFile) {
    Parts& parts = *parts_;
    parts.Run(L"CT_SET_INST_TYPE", L"SILENT_INST");
    const std::wstring reinstall = SettingValue(settingFile, L"REINST");
    if (!reinstall.empty()) {
        const std::optional<long> number = SettingNumber(reinstall, L"REINST");
        if (number && *number != 0) parts.Run(L"CT_SET_SETUP_TYPE", L"REINST");
    }
    if (!parts.items.Init(L"ITEM_INFO")) {
        GlobalLog().Print(L"Initialize installed item information fail");
        return false;
    }
    parts.Run(L"CT_WRITE_ITEM_INFO");
    if (!CopyFiles()) return false;

    int printerCount = 0;
    CItemInfo* lastPrinter = nullptr;
    for (int i = 0; i < parts.items.GetCount(); ++i) {
        CItemInfo& item = parts.items.GetItem(i);
        if (!item.IsPrinter() || item.DriverName().empty()) continue;
        ++printerCount;
        lastPrinter = &item;
    }
    const std::wstring defaultChoice = SettingValue(settingFile, L"DEFAULT ");
    if (printerCount == 1 && !defaultChoice.empty()) {
        if (const std::optional<long> choice = SettingNumber(defaultChoice, L"DEFAULT ")) {
            if (*choice == 0) {
                lastPrinter->SetDefaultPrinterFlag(false);
            } else if (*choice == 2) {
                const std::optional<bool> hasPrinter = SystemHasPrinter();
                if (!hasPrinter) return false;
                lastPrinter->SetDefaultPrinterFlag(!*hasPrinter);
            } else {
                lastPrinter->SetDefaultPrinterFlag(true);
            }
        }
    }
    parts.items.SetPrinterInfo(false);
    if (printerCount > 0) {
        const std::wstring port = SettingValue(settingFile, L"PORT");
        context_.Target().SetPortName(port.empty() ? std::wstring(L"LPT1:") : port);
        context_.Target().SetPortGiven(true);
    }
    SetUpPort();
    InstallLoop();

    if (!parts.items.IsAnyInstalled()) {
        GlobalLog().Print(L"No component was installed: remove what this run copied");
        CCopyFile().UndoInstallingHistory();
        return false;
    }
    parts.Run(L"CT_INSTALL_UPDATE");
    DeleteInstallingRoot();
    return true;
}

bool CSilentInstallation::Install(bool reinstall) {
    Parts& parts = *parts_;
    parts.Run(L"CT_SET_INST_TYPE", L"SILENT_INST");
    if (!parts.items.Init(L"ITEM_INFO")) {
        GlobalLog().Print(L"Initialize installed item information fail");
        return false;
    }
    parts.items.SetPrinterInfo(false);
    parts.Run(L"CT_WRITE_ITEM_INFO");
    if (!CopyFiles()) return false;
    if (reinstall)
        CRegistry::SetValue(context_.Roots().Installing().c_str(), L"Setup_Type", DWORD{3}, HKEY_LOCAL_MACHINE);
    SetUpPort();
    InstallLoop();
    parts.items.SaveInstalledRecords();
    if (parts.items.IsAnyInstalled()) {
        parts.Run(L"CT_INSTALL_UPDATE");
        DeleteInstallingRoot();
        return true;
    }
    DeleteInstallingRoot();
    return false;
}

bool CSilentInstallation::Remove() {
    Parts& parts = *parts_;
    parts.Run(L"CT_SET_INST_TYPE", L"SILENT_INST");
    if (!parts.items.Init(L"ITEM_INFO")) {
        GlobalLog().Print(L"Initialize installed item information fail");
        return false;
    }
    CRegistry::SetValue(context_.Roots().Installing().c_str(), L"Setup_Type", DWORD{2}, HKEY_LOCAL_MACHINE);
    parts.items.SetPrinterInfo(false);
    parts.Run(L"CT_WRITE_ITEM_INFO");
    bool allRemoved = true;
    for (int i = 0; i < parts.items.GetCount(); ++i) {
        if (!parts.items.GetItem(i).Installed()) continue;
        if (!InstallComponent(i, true)) allRemoved = false;
    }
    if (allRemoved && !parts.Run(L"CT_DELETE_ALL")) removalIncomplete_ = true;
    DeleteInstallingRoot();
    return true;
}

void CSilentInstallation::RunEndCommands() { parts_->wizard.RunEndCommand(); }
