#pragma once
// The command interpreter: validates a command, logs it, finds its handler
// by name and runs it on the calling thread. One interpreter belongs to the
// wizard; every command of a run goes through it.

#include <cstdint>
#include <string>

#include "CmdRecord.h"
#include "ProgramLauncher.h"

class CComponentQueries;
class CDeviceCommands;
class CSetupContext;
class CShell;
class CWizardLink;
struct SECTION_FACTS;

class CCmdOperator {
public:
    // How CT_DLG_CANCEL asks before it ends the program.
    enum CancelMode : int { kResumeExit = 0, kYesNo = 1, kNoQuestion = 2 };

    // Without components, device commands or a shell of their own, commands
    // see no components, the device commands log that nothing was done, and
    // the platform's shell opens programs and documents.
    CCmdOperator(CSetupContext& context, CWizardLink& wizard);
    ~CCmdOperator();
    CCmdOperator(const CCmdOperator&) = delete;
    CCmdOperator& operator=(const CCmdOperator&) = delete;

    void SetComponents(CComponentQueries& components) { components_ = &components; }
    void SetDevices(CDeviceCommands& devices) { devices_ = &devices; }
    void SetShell(CShell& shell);

    // CANCEL_TYPE of [DLG_COMMON] in the configuration file: "RESUME_EXIT" 0,
    // "OK_CANCEL" 1, "NULL" 2; anything else leaves the mode as it is.
    void ReadCancelType();
    int CancelMode() const { return cancelMode_; }

    // Logs "Call Command : ..." and runs the handler of the record's type (any
    // case); a type without a handler does nothing and gives true. False for
    // no record.
    bool Execute(const CMD_RECORD* record);
    bool Execute(const CMD_RECORD& record) { return Execute(&record); }
    // One line of a command section (ParseCmdLine).
    bool ExecuteLine(const std::wstring& line);

    // CT_APP_TERMINATE: carries the installing history over, undoes
    // everything when no component is installed, deletes the installing root
    // and ends the message loop.
    bool AppTerminate(bool cancelled);

private:
    using Handler = bool (CCmdOperator::*)(const CMD_RECORD&);
    struct COMMAND_ENTRY {
        const wchar_t* name;
        Handler handler;
    };
    // The handler of an upper-cased type; null when none has that name.
    static Handler FindHandler(const std::wstring& type);

    bool OpenDialog(const CMD_RECORD& record);
    bool ExeFileWait(const CMD_RECORD& record);
    bool ExeFileNoWait(const CMD_RECORD& record);
    bool ExeFileActive(const CMD_RECORD& record);
    bool ExeAndTerminate(const CMD_RECORD& record);
    bool NoAction(const CMD_RECORD& record);
    bool OpenFile(const CMD_RECORD& record);
    bool OpenUrl(const CMD_RECORD& record);
    bool OpenBrowse(const CMD_RECORD& record);
    bool Terminate(const CMD_RECORD& record);
    bool DialogBack(const CMD_RECORD& record);
    bool DialogCancel(const CMD_RECORD& record);
    bool FindLocalPrinter(const CMD_RECORD& record);
    bool AddRegistry(const CMD_RECORD& record);
    bool DeleteRegistry(const CMD_RECORD& record);
    bool CommandSection(const CMD_RECORD& record);
    bool DeviceCommand(const CMD_RECORD& record);
    bool DeleteAll(const CMD_RECORD& record);
    bool CopyFiles(const CMD_RECORD& record);
    bool DeleteFiles(const CMD_RECORD& record);
    bool WriteItemInfo(const CMD_RECORD& record);
    bool OpenTestPage(const CMD_RECORD& record);
    bool ChangeLanguage(const CMD_RECORD& record);
    bool SetRemoteInstall(const CMD_RECORD& record);
    bool CheckItem(const CMD_RECORD& record);
    bool DoModal(const CMD_RECORD& record);
    bool SetInstallType(const CMD_RECORD& record);
    bool SetSetupType(const CMD_RECORD& record);
    bool ShowToggle(const CMD_RECORD& record);
    bool OpenManual(const CMD_RECORD& record);
    bool SetAltitude(const CMD_RECORD& record);

    // An action of a branch command: a "CT_" line, or a dialog to open.
    bool RunAction(const std::wstring& action);
    SECTION_FACTS Facts() const;
    // Copies the uninstaller out of the medium and starts it.
    void StartUninstaller();

    CSetupContext& context_;
    CWizardLink& wizard_;
    CComponentQueries* components_;
    CDeviceCommands* devices_;
    CProgramLauncher launcher_;
    int cancelMode_ = kResumeExit;
};
