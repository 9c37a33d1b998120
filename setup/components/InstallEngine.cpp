#include "InstallEngine.h"

#include "Item.h"
#include "Log.h"
#include "Registry.h"

CInstallEngine::CInstallEngine(CItem& items, std::wstring installingRoot, InstallFunction install,
                               CInstallListener& listener)
    : items_(items), installingRoot_(std::move(installingRoot)), install_(std::move(install)), listener_(listener) {}

CInstallEngine::~CInstallEngine() { Join(); }

DWORD CInstallEngine::ReadSetupType(const std::wstring& installingRoot) {
    DWORD type = 0;
    if (CRegistry::GetValue(installingRoot.c_str(), L"Setup_Type", &type, HKEY_LOCAL_MACHINE) != ERROR_SUCCESS)
        return 1;
    return type;
}

std::wstring CInstallEngine::ResultLine(const std::wstring& displayName, bool success) {
    return L" " + displayName + L" Installation/ReInstallation/Uninstallation ==> " +
           (success ? L"Success" : L"Fail");
}

bool CInstallEngine::Start(PageKind kind) {
    Join();
    kind_ = kind;
    setupType_ = ReadSetupType(installingRoot_);
    try {
        worker_ = std::thread([this]() { Work(); });
    } catch (...) {
        GlobalLog().Print(L"The install worker could not be started");
        return false;
    }
    return true;
}

void CInstallEngine::Work() {
    if (kind_ == PageKind::kRows) listener_.OnStart(-1);
    for (int index = 0; index < items_.GetCount(); ++index) {
        CItemInfo& item = items_.GetItem(index);
        if (!item.Selected()) continue;
        const std::wstring key = installingRoot_ + L"\\Items\\" + item.Name();
        if (kind_ == PageKind::kStatusAndList) listener_.OnStart(index);
        const bool success = install_ && install_(installingRoot_, key, item.Installed());
        GlobalLog().Print(L"%ls", ResultLine(item.DisplayName(), success).c_str());
        listener_.OnComponentDone(index, success);
    }
    listener_.OnAllDone();
}

void CInstallEngine::Finish(RunCommandFunction runCommand, std::function<void()> runInstallingCommand) {
    if (finisher_.joinable()) finisher_.join();
    const std::wstring command = setupType_ == 2 ? L"CT_DELETE_ALL" : L"CT_INSTALL_UPDATE";
    const bool installing = kind_ == PageKind::kStatusAndList;
    try {
        finisher_ = std::thread([this, command, installing, runCommand = std::move(runCommand),
                                 runInstallingCommand = std::move(runInstallingCommand)]() {
            if (runCommand) runCommand(command);
            if (installing && runInstallingCommand) runInstallingCommand();
            listener_.OnFinished();
        });
    } catch (...) {
        GlobalLog().Print(L"The finishing thread could not be started");
        listener_.OnFinished();
    }
}

void CInstallEngine::Join() {
    if (worker_.joinable() && worker_.get_id() != std::this_thread::get_id()) worker_.join();
    if (finisher_.joinable() && finisher_.get_id() != std::this_thread::get_id()) finisher_.join();
}
