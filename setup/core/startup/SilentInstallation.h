#pragma once
// The installations without pages: the script installation from a setting
// file, the non-interactive install and reinstall, and the non-interactive
// removal. Each drives the component list, the copy engine, the installer
// library and the printer list in a fixed order, on the calling thread, with
// the windowless wizard as the interpreter's wizard, and tells how the run
// ended as an exit code for the process.
//
// Setting file (private-profile file), section [INSTALL]; a value counts as
// present only when it is not empty:
//   REINST     decimal number; non-zero: reinstall
//   "DEFAULT " (the key ends with a space) decimal number: the default-printer
//              choice for a single printer component: 0 never, 2 only when
//              the system has no printer yet, any other number always
//   PORT       the printers' port; empty or absent: "LPT1:"
// A present REINST or "DEFAULT " that is not a decimal number is logged and
// passed over, as if absent.

#include <memory>
#include <string>

class CSetupContext;

class CSilentInstallation {
public:
    // Exit codes of a run without pages.
    static constexpr int kSucceeded = 0;
    static constexpr int kRestartNeeded = 3010;  // succeeded; a file waits for the restart
    static constexpr int kFailed = 1603;

    // |startSection| names the configuration's section whose END_CMD the end
    // commands use (none of the example medium's has one).
    CSilentInstallation(CSetupContext& context, const std::wstring& startSection);
    ~CSilentInstallation();
    CSilentInstallation(const CSilentInstallation&) = delete;
    CSilentInstallation& operator=(const CSilentInstallation&) = delete;

    // Run mode 7. True when at least one component ended installed.
    bool ScriptInstall(const std::wstring& settingFile);
    // Run modes 1 and 3. True when at least one component ended installed.
    bool Install(bool reinstall);
    // Run mode 2. True once the components were read.
    bool Remove();
    // The end command section of the run.
    void RunEndCommands();

    // The exit code for the run so far: 1603 when the procedure failed or a
    // component failed (or a removal left something installed), else 3010
    // when a copied file waits for the restart, else 0.
    int ExitCode(bool procedureResult) const;

private:
    struct Parts;
    bool CopyFiles();
    void SetUpPort();
    void InstallLoop();
    bool InstallComponent(int index, bool installed);
    void DeleteInstallingRoot();

    CSetupContext& context_;
    std::unique_ptr<Parts> parts_;
    bool componentFailed_ = false;
    bool restartNeeded_ = false;
    bool removalIncomplete_ = false;
};
