#include "SetupApp.h"

#include <optional>

#include "CarryOverHistory.h"
#include "InstalledRecords.h"
#include "OsVersion.h"
#include "ProfileText.h"
#include "Profile.h"
#include "Registry.h"
#include "SilentInstallation.h"
#include "StartInformation.h"
#include "SystemRequirement.h"
#include "Utl.h"

namespace {

int DefaultMessageBox(const std::wstring& text, const std::wstring& caption, UINT type) {
    return MessageBoxW(nullptr, text.c_str(), caption.c_str(), type);
}

}  // namespace

CSetupApp::CSetupApp() : messageBox_(DefaultMessageBox) {
    SetGlobalLog(&log_);
    api_.Load();
    SetGlobalApiTable(&api_);
    SetGlobalContext(&context_);
    context_.SetRootsReady([this]() { CarryOverInterruptedRun(); });
}

CSetupApp::~CSetupApp() {
    Shutdown();
    SetGlobalContext(nullptr);
    SetGlobalApiTable(nullptr);
    SetGlobalLog(nullptr);
}

int CSetupApp::Run(const std::wstring& commandLine) {
    const COMMAND_LINE line = ParseCommandLine(commandLine);
    log_.Print(L"Parameter : %ls", line.text.c_str());
    int exitCode = kExitFailure;
    Startup(line, exitCode);
    return exitCode;
}

bool CSetupApp::Startup(const COMMAND_LINE& line, int& exitCode) {
    exitCode = kExitFailure;
    if (!context_.Initialise()) {
        log_.Print(L"Initilize global variable fail");
        return false;
    }
    silent_ = line.silent;
    if (!GuardSingleInstance()) return false;
    if (!CheckAdministrator()) return false;

    ApplySwitches(line);
    runMode_ = line.runMode;

    const std::wstring& installed = context_.Roots().Installed();
    wchar_t recorded[CRegistry::kTextChars] = {};
    const bool previousInstallation =
        CRegistry::GetValue(installed.c_str(), L"Dest_Dir", recorded, HKEY_LOCAL_MACHINE) == ERROR_SUCCESS;
    if (runMode_ == 1) {
        if (!previousInstallation) {
            const CProgramInfo& program = context_.ProgramInfo();
            REQUIREMENT_SYSTEM system;
            system.showMessage = [this](HWND, const wchar_t* text, const wchar_t* caption, UINT type) {
                return ShowMessage(text, caption, type);
            };
            system.freeSpace = [this](const std::wstring& path) -> std::optional<std::uint64_t> {
                const DWORD megabytes = context_.SupportLibrary().GetDiskFreeSpaceVX(path.c_str());
                if (megabytes == 0) return std::nullopt;  // no figure
                return megabytes;
            };
            system.devicePort = [this](const std::wstring& mfg, const std::wstring& mdl, const std::wstring& vidPid,
                                       std::wstring& port) -> long {
                wchar_t found[260] = {};
                DWORD count = 0;
                context_.SupportLibrary().GetDevicePort(mfg.c_str(), mdl.c_str(), vidPid.c_str(), found, &count);
                port = found;
                return static_cast<long>(count);
            };
            CSystemRequirement requirement(
                context_.Files().Data(),
                REQUIREMENT_FACTS{context_.Target().OsDefine(), context_.Target().Destination(), program.ProgramName(),
                                  program.Manufacturer(), program.Model(), program.VidPid()},
                system);
            if (!requirement.Check(context_.Options().UsbOnly(), context_.Options().Network())) {
                log_.Print(L"This system could not satisfy the installer Minimum Requirement!");
                return false;
            }
        }
        if (SettingFileAsksSilent()) {
            silent_ = true;
            runMode_ = 7;
        }
    }
    context_.SetSilent(silent_);

    if (silent_) {
        if (previousInstallation) context_.Target().SetDestination(recorded, context_.Roots().Installing());
        exitCode = RunSilent();
        return false;
    }

    // Another instance's wizard answers to the program's window class.
    const std::wstring windowClass = context_.ProgramInfo().ProgramName() + L" Installer Program";
    if (FindWindowW(windowClass.c_str(), nullptr) != nullptr) {
        log_.Print(L"The installer is already running");
        return false;
    }
    log_.Print(L"Run mode %d : the wizard is not part of this build; setup ends here", runMode_);
    exitCode = kExitSuccess;
    return false;
}

bool CSetupApp::AcquireInstanceMutex() {
    if (mutexTried_) return instanceOwned_;
    mutexTried_ = true;
    const std::wstring name = context_.ProgramInfo().ProgramName() + L" Installer Program";
    mutex_ = CreateMutexW(nullptr, TRUE, name.c_str());
    instanceOwned_ = mutex_ != nullptr && GetLastError() != ERROR_ALREADY_EXISTS;
    return instanceOwned_;
}

bool CSetupApp::GuardSingleInstance() {
    if (AcquireInstanceMutex()) return true;
    if (mutex_ != nullptr) CloseHandle(mutex_);
    mutex_ = nullptr;
    const std::wstring name = context_.ProgramInfo().ProgramName() + L" Installer Program";
    if (HWND running = FindWindowW(name.c_str(), nullptr)) {
        SendMessageW(running, kBringToFront, 0, 0);
        return true;
    }
    log_.Print(L"There is a previous running instance of this application, so it is terminated.");
    return false;
}

void CSetupApp::CarryOverInterruptedRun() {
    // Once this process owns the single-instance mutex no other run of this
    // product is alive: an installing history left now was left by a run that
    // was killed or lost its power. A later removal looks only at the
    // installed history, so what that run made is handed over to it. This
    // runs as soon as the registry roots are known, before this run records
    // anything of its own.
    if (!AcquireInstanceMutex()) return;
    const CRegistryRoots& roots = context_.Roots();
    const auto exists = [](const std::wstring& key) {
        HKEY left = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &left) != ERROR_SUCCESS) return false;
        RegCloseKey(left);
        return true;
    };
    if (!exists(roots.InstallingHistory()) && !exists(roots.Installing() + L"\\Items")) return;
    // The records of the components it installed go with the history, as at
    // the end of an installation, so that a removal also finds those.
    const int records = CarryAllInstalledRecords(roots);
    const DWORD result = CarryOverHistory(roots.InstallingHistory().c_str(), roots.InstalledHistory().c_str());
    if (result == ERROR_SUCCESS) {
        log_.Print(L"An interrupted installation left its history: carried over (%ls) ==> (%ls), %d component records",
                   roots.InstallingHistory().c_str(), roots.InstalledHistory().c_str(), records);
    } else {
        log_.PrintError(result, L"An interrupted installation left its history: carry over (%ls) failed",
                        roots.InstallingHistory().c_str());
    }
}

bool CSetupApp::CheckAdministrator() {
    std::uint32_t code = 0, family = 0;
    GetOSVersionClass(code, family);
    if (!context_.Options().DeviceInstall() || family == os_class::kFamily9x || CUtl::IsAdministrator()) return true;
    std::wstring message;
    if (!context_.Files().Data().GetString(L"SYSTEM_REQUIREMENT", L"MSG_IS_NOT_ADMIN", message, true)) return true;
    ShowMessage(message, context_.ProgramInfo().ProgramName(), MB_OK | MB_ICONWARNING);
    log_.Print(L"The user is not an administrator: setup ends");
    return false;
}

int CSetupApp::ShowMessage(const std::wstring& text, const std::wstring& caption, UINT type) {
    if (!silent_) return messageBox_(text, caption, type);
    // A silent run shows no window: the text goes to the log and the box's
    // default (first) button is the answer.
    log_.Print(L"Message box : %ls", text.c_str());
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
        case MB_OK:
            return IDOK;
        case MB_ABORTRETRYIGNORE:
            return IDABORT;
        case MB_YESNOCANCEL:
        case MB_YESNO:
            return IDYES;
        case MB_RETRYCANCEL:
            return IDRETRY;
        default:
            return IDOK;
    }
}

void CSetupApp::ApplySwitches(const COMMAND_LINE& line) {
    for (const COMMAND_SWITCH& option : line.switches) {
        switch (option.name) {
            case L'A':
                context_.Target().SetDestination(option.value, context_.Roots().Installing());
                break;
            case L'L':
                context_.ChangeLanguage(CProfile::StringToDword(option.value.c_str()), false);
                break;
            case L'P':
                context_.Target().SetPortName(option.value, context_.Options().UsbOnly());
                context_.Target().SetPortGiven(true);
                break;
            default:
                break;
        }
    }
}

bool CSetupApp::SettingFileAsksSilent() const {
    const std::wstring file = context_.Files().SettingFile();
    if (file.empty() || GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    wchar_t value[MAX_PATH + 1] = {};
    GetPrivateProfileStringW(L"INSTALL", L"SILENT", L"", value, MAX_PATH + 1, file.c_str());
    return profile_text::EqualsNoCase(value, L"1");
}

void CSetupApp::CallPreinstaller() {
    const std::wstring command = L"/P " + context_.Files().DataFile() + L" /S " + context_.SourceDirectory() +
                                 L" /D " + context_.Target().Destination() + L" /R " +
                                 context_.Roots().InstallingHistory() + L" /L " + context_.Language().Directory() +
                                 L" /A " + context_.Language().Abbreviation();
    log_.Print(L"Call Pre-Installer : Command ==> %ls", command.c_str());
    context_.SupportLibrary().Preinstall(command.c_str(), nullptr);
}

int CSetupApp::RunSilent() {
    CSilentInstallation installation(context_, L"INSTALL_START_INFO");
    bool result = false;
    switch (runMode_) {
        case 1:
        case 7:
            WriteStartInformation(context_, true);
            CallPreinstaller();
            result = runMode_ == 1 ? installation.Install(false)
                                   : installation.ScriptInstall(context_.Files().SettingFile());
            installation.RunEndCommands();
            break;
        case 2:
            result = installation.Remove();
            break;
        case 3:
            result = installation.Install(true);
            break;
        default:
            log_.Print(L"Silent run mode %d : nothing to do", runMode_);
            return kExitSuccess;
    }
    const int exitCode = installation.ExitCode(result);
    log_.Print(L"Silent run mode %d ends with exit code %d", runMode_, exitCode);
    return exitCode;
}

void CSetupApp::Shutdown() {
    log_.Print(L"End of installation");
    if (mutex_ != nullptr) {
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
        mutex_ = nullptr;
    }
}
