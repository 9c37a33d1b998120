// The commands that end a run or remove an installation: CT_APP_TERMINATE
// and CT_DELETE_ALL.
#include "CmdOperator.h"

#include "CarryOverHistory.h"
#include "ComponentQueries.h"
#include "DeviceCommands.h"
#include "FileOperations.h"
#include "HistoryRemover.h"
#include "Log.h"
#include "Registry.h"
#include "SetupContext.h"
#include "Utl.h"
#include "WizardLink.h"

namespace {

// Undoes the installed history and deletes the installed root.
void RemoveInstalled(const CRegistryRoots& roots) {
    CHistoryRemover remover;
    remover.RemoveRecorded(roots.InstalledHistory().c_str(), false);
    CRegistry::DeleteKey(roots.Installed().c_str(), false, HKEY_LOCAL_MACHINE);
}

std::wstring FileNameOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool CCmdOperator::AppTerminate(bool cancelled) {
    const CRegistryRoots& roots = context_.Roots();
    const DWORD carried = CarryOverHistory(roots.InstallingHistory().c_str(), roots.InstalledHistory().c_str());
    if (carried != ERROR_SUCCESS && carried != ERROR_FILE_NOT_FOUND)
        GlobalLog().PrintError(carried, L"Carry over installation history (%ls)", roots.InstallingHistory().c_str());
    if (!components_->IsThereInstalledItem()) {
        if (cancelled && context_.Options().Network()) devices_->DeleteCreatedPorts();
        GlobalLog().Print(L"No component is installed: remove everything recorded in (%ls)",
                          roots.InstalledHistory().c_str());
        RemoveInstalled(roots);
    }
    CRegistry::DeleteKey(roots.Installing().c_str(), false, HKEY_LOCAL_MACHINE);
    wizard_.Quit();
    return true;
}

bool CCmdOperator::DeleteAll(const CMD_RECORD&) {
    if (components_->IsAnyInstalled()) {
        GlobalLog().Print(L"Other installed components remain: nothing is removed");
        return false;
    }
    StartUninstaller();
    RemoveInstalled(context_.Roots());
    components_->RemoveItemRecords();
    // The product is gone: it no longer belongs in the system's list of
    // installed programs.
    components_->RemoveUninstallEntry();
    CUtl::RestoreSourcePath();
    return true;
}

void CCmdOperator::StartUninstaller() {
    const std::wstring uninstaller = context_.SupportLibrary().UninstallerPath();
    std::wstring copy = context_.SystemDirs().TempDirectory();
    if (!copy.empty() && copy.back() == L'\\') copy.pop_back();
    copy += L"\\" + FileNameOf(uninstaller);
    if (uninstaller.empty() || !CopySingleFile(uninstaller.c_str(), copy.c_str(), false)) {
        copy = context_.SystemDirs().WindowsDirectory() + L"\\UnInstEE.exe";
        if (uninstaller.empty() || !CopySingleFile(uninstaller.c_str(), copy.c_str(), false)) {
            GlobalLog().Print(L"Copy uninstaller fail. create uninstall process fail!!");
            return;
        }
    }
    wchar_t processId[16] = {};
    _ultow(GetCurrentProcessId(), processId, 16);
    const std::wstring arguments =
        L"/P\"" + context_.Target().InstallDirectory() + L"\" /I0x" + std::wstring(processId);
    launcher_.StartProgram(copy, arguments);
}
