#pragma once
// The wizard of a run without pages (silent installation, and test
// programs): commands run synchronously through its interpreter, the end and
// installing command sections run, nothing is posted, pages are neither
// opened nor shown, and a message box is logged and answered with its
// default (first) button.

#include <string>

#include "CmdOperator.h"
#include "WizardLink.h"

class CSetupContext;

class CWindowlessWizard final : public CWizardLink {
public:
    // |mainSection| is the configuration section that names the start, end and
    // installing command sections (START_CMD, END_CMD, INSTALLING_CMD).
    CWindowlessWizard(CSetupContext& context, std::wstring mainSection);

    CCmdOperator& Operator() { return operator_; }
    void SetComponents(CComponentQueries& components);
    // CT_APP_TERMINATE (or CT_EXE_AND_TERMINATE) asked the run to end.
    bool QuitRequested() const { return quit_; }

    // START_CMD of the main section, when it has one.
    bool RunStartCommand();

    HWND GetWizardWindow() const override { return nullptr; }
    bool Silent() const override { return true; }
    void PostWizardCommand(const CMD_RECORD& record) override;
    bool RunCommand(const CMD_RECORD& record) override;
    bool RunEndCommand() override;
    bool RunInstallingCommand() override;
    void OpenPage(int direction, const std::wstring& dialog) override;
    void DoModal(const std::wstring& dialog) override;
    bool ToggleObjects(const std::vector<std::wstring>& names) override;
    void RefreshAfterLanguageChange() override {}
    int ShowMessageBox(const std::wstring& text, UINT icon, const std::vector<std::wstring>& buttons) override;
    void ShowFrameworkMessage(const std::wstring& text) override;
    void ShowSystemError(DWORD code, const std::wstring& caption) override;
    void ShowWaitCursor(bool) override {}
    void DisableForWait() override {}
    void ProgramEnded(bool bringToFront) override;
    void Quit() override;

private:
    // The end or installing section: |key| of the main section, else the
    // section of the recorded setup type.
    bool RunSetupTypeSection(const wchar_t* key, const wchar_t* install, const wchar_t* uninstall,
                             const wchar_t* reinstall);

    CSetupContext& context_;
    std::wstring mainSection_;
    CComponentQueries* components_;
    bool quit_ = false;
    CCmdOperator operator_;  // last: it may still call back while it is destroyed
};
