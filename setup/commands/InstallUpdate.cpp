#include "InstallUpdate.h"

#include "InstHistory.h"
#include "Item.h"
#include "Log.h"
#include "MyPrinter.h"
#include "SetupContext.h"
#include "ShortcutCreation.h"
#include "Utl.h"
#include "WizardLink.h"

CInstallUpdate::CInstallUpdate(CSetupContext& context, CItem& items, CMyPrinter& printers, CWizardLink& wizard)
    : context_(context), items_(items), printers_(printers), wizard_(wizard) {}

bool CInstallUpdate::Run(const CMD_RECORD& record) {
    if (record.Type() == L"CT_INSTALL_UPDATE") return Finish();
    return pending_.Run(record);
}

bool CInstallUpdate::Finish() {
    std::vector<std::wstring> shortcuts;
    for (int i = 0; i < items_.GetShortcutCount(); ++i) shortcuts.push_back(items_.GetShortcutName(i));
    CreateShortcuts(context_, shortcuts);
    items_.AddUninstallEntry();

    GlobalLog().Print(L"Save Installed Registry Key");
    const std::wstring& directory = context_.Target().InstallDirectory();
    const DWORD recorded =
        CInstHistory::Record(directory.c_str(), static_cast<DWORD>(HistoryKind::kDestinationDirectory));
    if (recorded != ERROR_SUCCESS)
        GlobalLog().PrintError(recorded, L"Record the install directory (%ls)", directory.c_str());

    if (context_.Options().DeviceInstall()) {
        CInstallTarget& target = context_.Target();
        if (target.PrinterInstalled()) {
            printers_.SetDefaultFromList(false);
            printers_.ShareAllPrinters();
        }
        if (target.FindInstalledDevicePort(false)) {
            wizard_.RunCommand(MakeCmdRecord(L"CT_REFRESH_SYSTEM", L""));
            CUtl::WaitForPnP(false);
            if (target.PrinterInstalled()) printers_.DiagnoseInstalledPrinters();
        }
        if (target.PrinterInstalled()) {
            printers_.ApplyPrinterPorts();
            printers_.RenameAllPrinters();
            printers_.SetDefaultFromList(true);
        }
    }
    items_.SaveInstalledRecords();
    return true;
}
