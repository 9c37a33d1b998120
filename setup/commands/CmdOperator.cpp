#include "CmdOperator.h"

#include <iterator>
#include <vector>

#include "ComponentQueries.h"
#include "DeviceCommands.h"
#include "FileCommands.h"
#include "Log.h"
#include "ProfileText.h"
#include "Registry.h"
#include "RegistryCommands.h"
#include "SetupContext.h"
#include "Shell.h"
#include "Utl.h"
#include "WizardLink.h"

namespace {

CNoComponents gNoComponents;
CPendingDeviceCommands gPendingDevices;
CPlatformShell gPlatformShell;

// The wait cursor for as long as a command runs.
class CWaitCursor {
public:
    explicit CWaitCursor(CWizardLink& wizard) : wizard_(wizard) { wizard_.ShowWaitCursor(true); }
    ~CWaitCursor() { wizard_.ShowWaitCursor(false); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    CWizardLink& wizard_;
};

// Leading decimal digits after blanks and tabs; false when there are none.
bool ReadDecimal(std::wstring_view text, unsigned long long& value) {
    text = profile_text::TrimBlanks(text);
    value = 0;
    std::size_t digits = 0;
    for (; digits < text.size() && text[digits] >= L'0' && text[digits] <= L'9'; ++digits)
        value = value * 10 + static_cast<unsigned>(text[digits] - L'0');
    return digits > 0;
}

constexpr wchar_t kDefaultCancelMessage[] =
    L"Setup is not complete. If you quit the setup program now, the components you requested to add/remove will "
    L"not be installed/uninstalled.\r\nYou may run the setup program at a later time to complete the "
    L"operations.\r\nAre you sure you want to quit the setup?";

}  // namespace


CCmdOperator::CCmdOperator(CSetupContext& context, CWizardLink& wizard)
    : context_(context),
      wizard_(wizard),
      components_(&gNoComponents),
      devices_(&gPendingDevices),
      launcher_(context, wizard, gPlatformShell) {}

CCmdOperator::~CCmdOperator() = default;

void CCmdOperator::SetShell(CShell& shell) { launcher_.SetShell(shell); }

void CCmdOperator::ReadCancelType() {
    std::wstring type;
    if (!context_.Files().Configuration().GetString(L"DLG_COMMON", L"CANCEL_TYPE", type, true)) return;
    type = profile_text::FoldedUpper(profile_text::TrimBlanks(type));
    if (type == L"RESUME_EXIT") cancelMode_ = kResumeExit;
    else if (type == L"OK_CANCEL") cancelMode_ = kYesNo;
    else if (type == L"NULL") cancelMode_ = kNoQuestion;
}

CCmdOperator::Handler CCmdOperator::FindHandler(const std::wstring& type) {
    // The names are compared in this order; the first match runs.
    static const COMMAND_ENTRY kCommands[] = {
        {L"CT_OPEN_DLG", &CCmdOperator::OpenDialog},
        {L"CT_EXE_FILE_WAIT", &CCmdOperator::ExeFileWait},
        {L"CT_EXE_FILE_NOWAIT", &CCmdOperator::ExeFileNoWait},
        {L"CT_EXE_FILE_ACTIVE", &CCmdOperator::ExeFileActive},
        {L"CT_EXE_AND_TERMINATE", &CCmdOperator::ExeAndTerminate},
        {L"CT_RUNDLL", &CCmdOperator::NoAction},
        {L"CT_RUNDLL_AND_TERMINATE", &CCmdOperator::NoAction},
        {L"CT_OPEN_FILE_NOWAIT", &CCmdOperator::OpenFile},
        {L"CT_OPEN_FILE_WAIT", &CCmdOperator::OpenFile},
        {L"CT_OPEN_URL", &CCmdOperator::OpenUrl},
        {L"CT_OPEN_BROWSE", &CCmdOperator::OpenBrowse},
        {L"CT_APP_TERMINATE", &CCmdOperator::Terminate},
        {L"CT_DLG_HELP", &CCmdOperator::NoAction},
        {L"CT_DLG_BACK", &CCmdOperator::DialogBack},
        {L"CT_DLG_CANCEL", &CCmdOperator::DialogCancel},
        {L"CT_FIND_LOCAL_PRINTER", &CCmdOperator::FindLocalPrinter},
        {L"CT_ADDREG", &CCmdOperator::AddRegistry},
        {L"CT_DELREG", &CCmdOperator::DeleteRegistry},
        {L"CT_COMMAND", &CCmdOperator::CommandSection},
        {L"CT_PRINT_TEST_PAGE", &CCmdOperator::DeviceCommand},
        {L"CT_PRINT_META_TEST_PAGE", &CCmdOperator::DeviceCommand},
        {L"CT_PRINT_PRN_TEST_PAGE", &CCmdOperator::DeviceCommand},
        {L"CT_DELETE_ALL", &CCmdOperator::DeleteAll},
        {L"CT_REFRESH_SYSTEM", &CCmdOperator::DeviceCommand},
        {L"CT_DIAGNOSIS", &CCmdOperator::DeviceCommand},
        {L"CT_START_PREVENT_PNP", &CCmdOperator::DeviceCommand},
        {L"CT_END_PREVENT_PNP", &CCmdOperator::DeviceCommand},
        {L"CT_COPY_FILE", &CCmdOperator::CopyFiles},
        {L"CT_RUN_REMOTE_INSTALL", &CCmdOperator::DeviceCommand},
        {L"CT_RMHW_DLG", &CCmdOperator::DeviceCommand},
        {L"CT_REMOVE_DEV", &CCmdOperator::DeviceCommand},
        {L"CT_VIEW_LICESNE", &CCmdOperator::NoAction},
        {L"CT_DELETE_FILE", &CCmdOperator::DeleteFiles},
        {L"CT_WRITE_ITEM_INFO", &CCmdOperator::WriteItemInfo},
        {L"CT_OPEN_TEST_PAGE", &CCmdOperator::OpenTestPage},
        {L"CT_INSTALL_UPDATE", &CCmdOperator::DeviceCommand},
        {L"CT_CHANGE_LANG", &CCmdOperator::ChangeLanguage},
        {L"CT_SET_REMOTE_INSTALL", &CCmdOperator::SetRemoteInstall},
        {L"CT_CHECK_ITEM", &CCmdOperator::CheckItem},
        {L"CT_DO_MODAL", &CCmdOperator::DoModal},
        {L"CT_SET_INST_TYPE", &CCmdOperator::SetInstallType},
        {L"CT_SET_SETUP_TYPE", &CCmdOperator::SetSetupType},
        {L"CT_SHOW_TOGGLE", &CCmdOperator::ShowToggle},
        {L"CT_OPEN_MANUAL", &CCmdOperator::OpenManual},
        {L"CT_OPEN_WIRELESS", &CCmdOperator::DeviceCommand},
        {L"CT_SET_ALTITUDE", &CCmdOperator::SetAltitude},
    };
    for (const COMMAND_ENTRY& command : kCommands) {
        if (type == command.name) return command.handler;
    }
    return nullptr;
}

bool CCmdOperator::Execute(const CMD_RECORD* record) {
    CWaitCursor cursor(wizard_);
    if (record == nullptr) return false;
    const CMD_RECORD local =
        MakeCmdRecord(record->fields[0], record->fields[1], record->fields[2], record->fields[3], record->fields[4],
                      record->fields[5]);
    GlobalLog().Print(L"Call Command : Type = %ls, Param1=%ls,Param2=%ls,Param3=%ls,Param4=%ls,Param5=%ls",
                      local.fields[0].c_str(), local.fields[1].c_str(), local.fields[2].c_str(),
                      local.fields[3].c_str(), local.fields[4].c_str(), local.fields[5].c_str());
    const Handler handler = FindHandler(profile_text::FoldedUpper(local.Type()));
    return handler == nullptr || (this->*handler)(local);
}

bool CCmdOperator::ExecuteLine(const std::wstring& line) {
    const CMD_RECORD record = ParseCmdLine(line);
    return Execute(&record);
}

SECTION_FACTS CCmdOperator::Facts() const {
    return SECTION_FACTS{context_.OsDefineString(), context_.LanguageAbbreviation()};
}

bool CCmdOperator::RunAction(const std::wstring& action) {
    if (action.size() >= 3 && profile_text::EqualsNoCase(std::wstring_view(action).substr(0, 3), L"CT_"))
        return ExecuteLine(action);
    return Execute(MakeCmdRecord(L"CT_OPEN_DLG", action));
}

bool CCmdOperator::OpenDialog(const CMD_RECORD& record) {
    wizard_.OpenPage(0, record.Param(1));
    return true;
}

bool CCmdOperator::DialogBack(const CMD_RECORD& record) {
    wizard_.OpenPage(-1, record.Param(1));
    return true;
}

bool CCmdOperator::DoModal(const CMD_RECORD& record) {
    wizard_.DoModal(record.Param(1));
    return true;
}

bool CCmdOperator::ExeFileWait(const CMD_RECORD& record) {
    launcher_.StartAndWait(record.Param(1), record.Param(2), true);
    return true;
}

bool CCmdOperator::ExeFileActive(const CMD_RECORD& record) {
    launcher_.StartAndWait(record.Param(1), record.Param(2), false);
    return true;
}

bool CCmdOperator::ExeFileNoWait(const CMD_RECORD& record) {
    return static_cast<bool>(launcher_.StartProgram(record.Param(1), record.Param(2)));
}

bool CCmdOperator::ExeAndTerminate(const CMD_RECORD& record) {
    if (launcher_.StartProgram(record.Param(1), record.Param(2))) AppTerminate(false);
    return true;
}

bool CCmdOperator::SetAltitude(const CMD_RECORD& record) {
    if (context_.Options().Altitude()) launcher_.StartProgram(record.Param(1), record.Param(2));
    return true;
}

bool CCmdOperator::NoAction(const CMD_RECORD&) { return true; }

bool CCmdOperator::OpenFile(const CMD_RECORD& record) { return launcher_.OpenFile(record.Param(1)); }

bool CCmdOperator::OpenUrl(const CMD_RECORD& record) { return launcher_.OpenUrl(record.Param(1)); }

bool CCmdOperator::OpenBrowse(const CMD_RECORD& record) { return launcher_.OpenBrowse(record.Param(1)); }

bool CCmdOperator::OpenManual(const CMD_RECORD& record) {
    return launcher_.OpenManual(record.Param(1), record.Param(2));
}

bool CCmdOperator::Terminate(const CMD_RECORD&) { return AppTerminate(false); }

bool CCmdOperator::DialogCancel(const CMD_RECORD&) {
    std::wstring message;
    if (!context_.Files().Configuration().GetString(L"CANCEL_DLG", L"CANCEL_MSG", message, true))
        message = kDefaultCancelMessage;
    bool quit = true;
    if (cancelMode_ == kResumeExit)
        quit = wizard_.ShowMessageBox(message, MB_ICONWARNING, {L"BUTTON.RESUME", L"BUTTON.EXIT"}) == 1;
    else if (cancelMode_ == kYesNo)
        quit = wizard_.ShowMessageBox(message, MB_ICONWARNING, {L"BUTTON.YES", L"BUTTON.NO"}) == 0;
    if (quit) AppTerminate(true);
    return true;
}

bool CCmdOperator::FindLocalPrinter(const CMD_RECORD& record) {
    if (context_.Target().FindInstalledDevicePort(false)) {
        Execute(MakeCmdRecord(L"CT_WRITE_ITEM_INFO"));
        return RunAction(record.Param(1));
    }
    return RunAction(record.Param(2));
}

bool CCmdOperator::CheckItem(const CMD_RECORD& record) {
    const int valid = components_->CountValidItems();
    if (valid == 1) return RunAction(record.Param(1));
    if (valid == 0) wizard_.ShowFrameworkMessage(L"There is no item to be installed!!!!");
    return RunAction(record.Param(2));
}

bool CCmdOperator::WriteItemInfo(const CMD_RECORD&) {
    CWaitCursor cursor(wizard_);
    components_->WriteItemInfo();
    return true;
}

bool CCmdOperator::OpenTestPage(const CMD_RECORD& record) {
    const CInstallTarget& target = context_.Target();
    const std::wstring& page =
        (target.PortFound() && target.PrinterInstalled()) || record.Param(2).empty() ? record.Param(1)
                                                                                     : record.Param(2);
    wizard_.PostWizardCommand(MakeCmdRecord(L"CT_OPEN_DLG", page));
    return true;
}

bool CCmdOperator::AddRegistry(const CMD_RECORD& record) {
    return AddRegistrySection(context_.Files().Command(), record.Param(1).c_str(), Facts());
}

bool CCmdOperator::DeleteRegistry(const CMD_RECORD& record) {
    return DeleteRegistrySection(context_.Files().Command(), record.Param(1).c_str(), Facts());
}

bool CCmdOperator::CopyFiles(const CMD_RECORD& record) {
    return CopySection(context_.Files().Command(), record.Param(1).c_str(), Facts());
}

bool CCmdOperator::DeleteFiles(const CMD_RECORD& record) {
    return DeleteSection(context_.Files().Command(), record.Param(1).c_str(), Facts());
}

bool CCmdOperator::CommandSection(const CMD_RECORD& record) {
    const std::wstring& section = record.Param(1);
    if (section.empty()) return false;
    std::vector<std::wstring> lines;
    if (!context_.Files().Configuration().GetAllEntries(section.c_str(), lines, true) &&
        !context_.Files().Command().GetAllEntries(section.c_str(), lines, true)) {
        GlobalLog().Print(L"Command section (%ls) is in neither the configuration nor the command file",
                          section.c_str());
        return false;
    }
    for (const std::wstring& line : lines) ExecuteLine(line);
    return true;
}

bool CCmdOperator::DeviceCommand(const CMD_RECORD& record) { return devices_->Run(record); }

bool CCmdOperator::ChangeLanguage(const CMD_RECORD& record) {
    context_.ChangeLanguage(CUtl::StringToNumber(record.Param(1).c_str()), true);
    wizard_.RefreshAfterLanguageChange();
    return true;
}

bool CCmdOperator::SetRemoteInstall(const CMD_RECORD& record) {
    unsigned long long value = 0;
    context_.Options().SetRemoteInstall(ReadDecimal(record.Param(1), value) && value != 0);
    return true;
}

bool CCmdOperator::SetInstallType(const CMD_RECORD& record) {
    CRegistry::SetValue(context_.Roots().Installing().c_str(), L"Install_Type", record.Param(1).c_str(),
                        HKEY_LOCAL_MACHINE);
    return true;
}

bool CCmdOperator::SetSetupType(const CMD_RECORD& record) {
    const std::wstring type = profile_text::FoldedUpper(record.Param(1));
    const DWORD number = type == L"INSTALL" ? 1 : type == L"UNINST" ? 2 : type == L"REINST" ? 3 : 0;
    CRegistry::SetValue(context_.Roots().Installing().c_str(), L"Setup_Type", number, HKEY_LOCAL_MACHINE);
    return true;
}

bool CCmdOperator::ShowToggle(const CMD_RECORD& record) {
    std::vector<std::wstring> names;
    std::wstring_view rest = record.Param(1);
    for (;;) {
        const std::size_t comma = rest.find(L',');
        std::wstring_view name = rest.substr(0, comma);
        const std::size_t start = name.find_first_not_of(L" \t\"");
        if (start != std::wstring_view::npos) {
            const std::size_t end = name.find_last_not_of(L" \t\"");
            names.emplace_back(name.substr(start, end - start + 1));
        }
        if (comma == std::wstring_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    return wizard_.ToggleObjects(names);
}
