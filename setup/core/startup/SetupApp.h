#pragma once
// The application: owns the log, the system-function table and the setup
// context for the whole run, and performs start-up and shutdown.
//
// Exit codes: 0 when the run ended as it should; 3010 when a silent run
// succeeded but a file waits for the restart; 1603 (the Windows installer's
// "fatal error") when start-up failed, or a silent installation or removal
// failed in any component, so that a deployment tool sees the failure.

#include <windows.h>

#include <functional>
#include <string>

#include "APIFunction.h"
#include "CommandLine.h"
#include "Log.h"
#include "SetupContext.h"

class CSetupApp {
public:
    static constexpr int kExitSuccess = 0;
    static constexpr int kExitFailure = 1603;
    // Message 2050: brings a running instance's wizard to the front.
    static constexpr UINT kBringToFront = WM_USER + 1026;

    using MessageBoxFunction = std::function<int(const std::wstring& text, const std::wstring& caption, UINT type)>;

    CSetupApp();
    ~CSetupApp();
    CSetupApp(const CSetupApp&) = delete;
    CSetupApp& operator=(const CSetupApp&) = delete;

    // Start-up; the result is the process's exit code.
    int Run(const std::wstring& commandLine);

    void SetMessageBox(MessageBoxFunction show) { messageBox_ = std::move(show); }
    int RunMode() const { return runMode_; }

private:
    bool Startup(const COMMAND_LINE& line, int& exitCode);
    // Creates the single-instance mutex once; true when this process owns it.
    bool AcquireInstanceMutex();
    bool GuardSingleInstance();
    // Hands the installing history of a run that did not end over to the
    // installed history, where a removal finds it.
    void CarryOverInterruptedRun();
    bool CheckAdministrator();
    void ApplySwitches(const COMMAND_LINE& line);
    bool SettingFileAsksSilent() const;
    // A message box, or in a silent run its text logged and its default answer.
    int ShowMessage(const std::wstring& text, const std::wstring& caption, UINT type);
    int RunSilent();
    void CallPreinstaller();
    void Shutdown();

    CLog log_;
    CAPIFunction api_;
    CSetupContext context_;
    MessageBoxFunction messageBox_;
    HANDLE mutex_ = nullptr;
    bool mutexTried_ = false;
    bool instanceOwned_ = false;
    int runMode_ = 1;
    bool silent_ = false;
};
