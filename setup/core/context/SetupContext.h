#pragma once
// The one object that knows where setup runs from and what it installs: the
// configuration files and their readers, the options, the language, the
// system directories, the product's identity, the registry roots and the
// install target. The application owns it; every part of the program reaches
// it and its members through the accessors at the end of this file.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "ConfigContext.h"
#include "ConfigFiles.h"
#include "InstallTarget.h"
#include "LanguageChange.h"
#include "LanguageInfo.h"
#include "Options.h"
#include "PathVariables.h"
#include "ProgramInfo.h"
#include "RegistryRoots.h"
#include "SupportLibrary.h"
#include "SystemDirs.h"

class CSetupContext : public CConfigContext, private CLanguageFollower {
public:
    // Six texts of 8192 characters each: how a command travels to the wizard.
    static constexpr std::size_t kCommandSlotChars = 8192;
    static constexpr std::size_t kCommandSlots = 6;

    // |modulePath| is the running program's full path (empty: this process's).
    explicit CSetupContext(std::wstring modulePath = L"");
    ~CSetupContext() override;
    CSetupContext(const CSetupContext&) = delete;
    CSetupContext& operator=(const CSetupContext&) = delete;

    // The start-up sequence; false when the data, configuration or command file
    // is missing, or (unless MAIN_ONLY is on) the product's identity is incomplete.
    bool Initialise();

    // Called once during Initialise, as soon as the registry roots are known
    // and before anything is recorded under them.
    void SetRootsReady(std::function<void()> rootsReady) { rootsReady_ = std::move(rootsReady); }

    // Changes the language (0: the recorded one, else the system's).
    bool ChangeLanguage(std::uint32_t languageId, bool byCommand);
    // The path variables of this run.
    PATH_VARIABLES PathVariables(const LANGUAGE_OVERRIDE* language = nullptr) const;
    std::wstring ResolvePath(const std::wstring& path, bool mustExist) const;
    void LogSetupInformation() const;

    // The wizard window, once there is one; and whether the run has no pages.
    void SetWizardWindow(HWND wizard) { wizard_ = wizard; }
    void SetSilent(bool silent) { silent_ = silent; }
    bool Silent() const { return silent_; }
    // Posting to the wizard (nothing happens in a silent run, which returns true).
    bool PostCommand(const std::vector<std::wstring>& texts);
    bool PostBlock(UINT message, const void* block);
    LRESULT SendValue(UINT message, LPARAM value);
    const wchar_t* CommandBuffer() const { return commandBuffer_.data(); }

    // CConfigContext: what the readers ask.
    std::wstring OsDefineString() const override { return target_.OsDefine(); }
    std::wstring LanguageAbbreviation() const override { return language_.Abbreviation(); }
    bool NetworkOption() const override { return options_.Network(); }
    bool WirelessOption() const override { return options_.Wireless(); }
    bool UsbOnlyOption() const override { return options_.UsbOnly(); }
    bool PathVariablesOff() const override { return options_.RemoteInstall(); }
    void ExpandPathVariables(std::wstring& text, const LANGUAGE_OVERRIDE* language) const override;

    const std::wstring& Version() const { return version_; }
    const std::wstring& InstallerExe() const { return installerExe_; }
    const std::wstring& SourceDirectory() const { return sourceDirectory_; }
    const std::wstring& ExeName() const { return exeName_; }
    CSupportLibrary& SupportLibrary() { return support_; }
    COptions& Options() { return options_; }
    CConfigFiles& Files() { return files_; }
    const CConfigFiles& Files() const { return files_; }
    CLanguageInfo& Language() { return language_; }
    const CSystemDirs& SystemDirs() const { return dirs_; }
    const CProgramInfo& ProgramInfo() const { return program_; }
    const CRegistryRoots& Roots() const { return roots_; }
    CInstallTarget& Target() { return target_; }
    const CInstallTarget& Target() const { return target_; }

private:
    // CLanguageFollower
    void ShowWaitCursor(bool on) override;
    void ReloadOptions() override;
    void RefreshNetworkMessages() override {}
    void RefreshAfterCommand() override;

    void ReadVersion();
    void FindOsDefine();

    std::wstring modulePath_;
    std::wstring exeName_;
    std::wstring version_;
    std::wstring installerExe_;
    std::wstring sourceDirectory_;
    std::vector<wchar_t> commandBuffer_;
    CSupportLibrary support_;
    COptions options_;
    CConfigFiles files_;
    CLanguageInfo language_;
    CSystemDirs dirs_;
    CProgramInfo program_;
    CRegistryRoots roots_;
    CInstallTarget target_;
    std::unique_ptr<CLanguageRecord> languageRecord_;
    std::function<void()> rootsReady_;
    HWND wizard_ = nullptr;
    bool silent_ = false;
    HCURSOR savedCursor_ = nullptr;
};

// The run's context. Until one is set (the application sets its own), a
// context that was never initialised.
CSetupContext& GlobalContext();
void SetGlobalContext(CSetupContext* context);

inline COptions& GlobalOptions() { return GlobalContext().Options(); }
inline CConfigFiles& GlobalConfigFiles() { return GlobalContext().Files(); }
inline CConfigReader& DataReader() { return GlobalContext().Files().Data(); }
inline CConfigReader& ConfigReader() { return GlobalContext().Files().Configuration(); }
inline CConfigReader& CommandReader() { return GlobalContext().Files().Command(); }
inline CConfigReader& StringReader() { return GlobalContext().Files().Strings(); }
inline CLanguageInfo& GlobalLanguage() { return GlobalContext().Language(); }
inline const CSystemDirs& GlobalSystemDirs() { return GlobalContext().SystemDirs(); }
inline const CProgramInfo& GlobalProgramInfo() { return GlobalContext().ProgramInfo(); }
inline const CRegistryRoots& GlobalRegistryRoots() { return GlobalContext().Roots(); }
inline CInstallTarget& GlobalInstallTarget() { return GlobalContext().Target(); }
inline CSupportLibrary& GlobalSupportLibrary() { return GlobalContext().SupportLibrary(); }
