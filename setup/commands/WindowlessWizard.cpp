#include "WindowlessWizard.h"

#include "ComponentQueries.h"
#include "Log.h"
#include "Registry.h"
#include "SetupContext.h"
#include "Utl.h"

CWindowlessWizard::CWindowlessWizard(CSetupContext& context, std::wstring mainSection)
    : context_(context), mainSection_(std::move(mainSection)), operator_(context, *this) {
    static CNoComponents none;
    components_ = &none;
}

void CWindowlessWizard::SetComponents(CComponentQueries& components) {
    components_ = &components;
    operator_.SetComponents(components);
}

bool CWindowlessWizard::RunStartCommand() {
    std::wstring section;
    if (!context_.Files().Configuration().GetString(mainSection_.c_str(), L"START_CMD", section, true)) return true;
    return operator_.Execute(MakeCmdRecord(L"CT_COMMAND", section));
}

void CWindowlessWizard::PostWizardCommand(const CMD_RECORD& record) {
    GlobalLog().Print(L"No pages: %ls (%ls) is not posted", record.Type().c_str(), record.Param(1).c_str());
}

bool CWindowlessWizard::RunCommand(const CMD_RECORD& record) {
    if (record.Type().empty()) return false;
    return operator_.Execute(record);
}

bool CWindowlessWizard::RunEndCommand() {
    return RunSetupTypeSection(L"END_CMD", L"INST_END_CMD", L"UNINST_END_CMD", L"REINST_END_CMD");
}

bool CWindowlessWizard::RunInstallingCommand() {
    return RunSetupTypeSection(L"INSTALLING_CMD", L"INST_INSTALLING_CMD", L"UNINST_INSTALLING_CMD",
                               L"REINST_INSTALLING_CMD");
}

bool CWindowlessWizard::RunSetupTypeSection(const wchar_t* key, const wchar_t* install, const wchar_t* uninstall,
                                            const wchar_t* reinstall) {
    std::wstring section;
    if (context_.Files().Configuration().GetString(mainSection_.c_str(), key, section, true))
        return operator_.Execute(MakeCmdRecord(L"CT_COMMAND", section));
    DWORD setupType = 0;
    if (CRegistry::GetValue(context_.Roots().Installing().c_str(), L"Setup_Type", &setupType, HKEY_LOCAL_MACHINE) !=
        ERROR_SUCCESS)
        return false;
    switch (setupType) {
        case 1:
            section = install;
            break;
        case 2:
            // A removal that left a component installed has nothing to end with.
            if (components_->IsThereInstalledItem()) return false;
            section = uninstall;
            break;
        case 3:
        case 4:
        case 5:
            section = reinstall;
            break;
        default:
            break;
    }
    return operator_.Execute(MakeCmdRecord(L"CT_COMMAND", section));
}

void CWindowlessWizard::OpenPage(int direction, const std::wstring& dialog) {
    GlobalLog().Print(L"No pages: page (%d, %ls) is not opened", direction, dialog.c_str());
}

void CWindowlessWizard::DoModal(const std::wstring& dialog) {
    GlobalLog().Print(L"No pages: page (%ls) is not shown", dialog.c_str());
}

bool CWindowlessWizard::ToggleObjects(const std::vector<std::wstring>&) { return false; }

int CWindowlessWizard::ShowMessageBox(const std::wstring& text, UINT, const std::vector<std::wstring>& buttons) {
    GlobalLog().Print(L"Message box : %ls ==> %ls", text.c_str(), buttons.empty() ? L"" : buttons.front().c_str());
    return 0;
}

void CWindowlessWizard::ShowFrameworkMessage(const std::wstring& text) {
    GlobalLog().Print(L"Message box : %ls", text.c_str());
}

void CWindowlessWizard::ShowSystemError(DWORD code, const std::wstring& caption) {
    wchar_t text[1024] = {};
    CUtl::GetSystemErrorText(code, text, 1024);
    GlobalLog().Print(L"Message box : %ls : %ls", caption.c_str(), text);
}

void CWindowlessWizard::ProgramEnded(bool bringToFront) {
    GlobalLog().Print(L"Started program ended (%d)", bringToFront ? 1 : 0);
}

void CWindowlessWizard::Quit() {
    GlobalLog().Print(L"Setup ends: quit requested");
    quit_ = true;
}
