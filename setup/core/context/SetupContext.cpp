#include "SetupContext.h"

#include <atomic>
#include <algorithm>
#include <cstring>
#include <cwchar>

#include "InstHistory.h"
#include "Log.h"
#include "MakeDirectories.h"
#include "OsDefine.h"
#include "Registry.h"
#include "RegistryLanguageRecord.h"

namespace {

std::wstring CurrentModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::wstring();
        if (length < path.size()) return path.substr(0, length);
        path.resize(path.size() * 2);
    }
}

std::atomic<CSetupContext*> gContext{nullptr};

}  // namespace

CSetupContext::CSetupContext(std::wstring modulePath)
    : modulePath_(modulePath.empty() ? CurrentModulePath() : std::move(modulePath)),
      commandBuffer_(kCommandSlotChars * kCommandSlots, L'\0'),
      language_(GetSystemDefaultLangID()) {
    files_.SetContext(this);
    target_.SetServices({
        [this](std::wstring& text) { ExpandPathVariables(text, nullptr); },
        [](const std::wstring& directory) { return MakeDirectories(directory.c_str(), true); },
        [this](std::wstring& port) {
            wchar_t found[260] = {};
            DWORD count = 0;
            if (!support_.GetDevicePort(program_.Manufacturer().c_str(), program_.Model().c_str(),
                                        program_.VidPid().c_str(), found, &count) ||
                static_cast<long>(count) <= 0)
                return false;
            port = found;
            return true;
        },
    });
}

CSetupContext::~CSetupContext() = default;

bool CSetupContext::Initialise() {
    const std::size_t slash = modulePath_.find_last_of(L'\\');
    sourceDirectory_ = slash == std::wstring::npos ? std::wstring() : modulePath_.substr(0, slash);
    SetCurrentDirectoryW(sourceDirectory_.c_str());
    exeName_ = modulePath_.substr(slash + 1);
    const std::size_t dot = exeName_.find_last_of(L'.');
    if (dot != std::wstring::npos) exeName_.resize(dot);
    installerExe_ = exeName_ + L".exe";

    if (!files_.Load(sourceDirectory_, exeName_)) {
        GlobalLog().Print(L"Initialize Profiles fail!!");
        return false;
    }
    ReadVersion();
    options_.Load(&files_.Data());

    if (!program_.Load(files_.Data())) {
        GlobalLog().Print(L"Initialize Model Variable fail!!");
        if (!options_.MainOnly()) return false;
    }
    if (!roots_.Build(program_.Manufacturer(), program_.ProgramName())) {
        GlobalLog().Print(L"Initialize Registry Variable fail!!");
        if (!options_.MainOnly()) return false;
    }

    CInstHistory::SetDefaultKey(roots_.InstallingHistory());
    if (rootsReady_) rootsReady_();

    language_.ReadLanguageTable(&files_.Data());
    languageRecord_ = std::make_unique<CRegistryLanguageRecord>(roots_.Installed(), roots_.Installing());
    ChangeLanguage(0, false);

    wchar_t recorded[CRegistry::kTextChars] = {};
    if (CRegistry::GetValue(roots_.Installed().c_str(), L"Dest_Dir", recorded, HKEY_LOCAL_MACHINE) != ERROR_SUCCESS)
        recorded[0] = L'\0';
    target_.Initialise(files_.Data(), sourceDirectory_, program_.Manufacturer(), program_.Model(), program_.VidPid(),
                       dirs_.ProgramFilesDirectory(), program_.ProgramName(), recorded, options_.UsbOnly());
    FindOsDefine();

    support_.Load(L"INSTALLER_FILE_INFO",
                  SUPPORT_LIBRARY_SOURCE{&files_.Data(), sourceDirectory_, program_.Manufacturer(), program_.Model()});
    LogSetupInformation();
    return true;
}

void CSetupContext::ReadVersion() {
    if (files_.Data().GetString(L"VERSION", L"VERSION", version_, true)) return;
    wchar_t buffer[MAX_PATH + 1] = {};
    GetPrivateProfileStringW(L"INFOMATION", L"VERSION", L"", buffer, MAX_PATH + 1,
                             (sourceDirectory_ + L"\\Autorun.inf").c_str());
    version_ = buffer;
}

void CSetupContext::FindOsDefine() {
    std::wstring defineString;
    if (!::FindOSDefine(files_.Data(), defineString)) return;
    std::wstring directory;
    if (!files_.Data().GetString(L"OS_DIR", defineString.c_str(), directory, true)) directory = defineString;
    target_.SetOsDefine(defineString, directory);
}

bool CSetupContext::ChangeLanguage(std::uint32_t languageId, bool byCommand) {
    if (!languageRecord_) return false;
    CLanguageChange change(language_, files_, *languageRecord_, *this);
    return change.Change(languageId, byCommand);
}

void CSetupContext::ShowWaitCursor(bool on) {
    if (silent_) return;
    if (on) savedCursor_ = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    else SetCursor(savedCursor_);
}

void CSetupContext::ReloadOptions() { options_.Load(&files_.Data()); }

void CSetupContext::RefreshAfterCommand() {
    // The language-change window and the pages come with the wizard.
}

PATH_VARIABLES CSetupContext::PathVariables(const LANGUAGE_OVERRIDE*) const {
    PATH_VARIABLES v;
    v.languageAbbreviation = language_.Abbreviation();
    v.requestedLanguageAbbreviation = language_.RequestedAbbreviation();
    v.sourceDirectory = sourceDirectory_;
    v.destinationDirectory = target_.Destination();
    v.installDirectory = target_.InstallDirectory();
    v.windowsDirectory = dirs_.WindowsDirectory();
    v.systemDirectory = dirs_.SystemDirectory();
    v.infDirectory = dirs_.InfDirectory();
    v.osDirectory = target_.OsDirectory();
    v.programFilesDirectory = dirs_.ProgramFilesDirectory();
    v.languageDirectory = language_.Directory();
    v.requestedLanguageDirectory = language_.RequestedDirectory();
    v.dataFile = files_.DataFile();
    v.configFile = files_.ConfigFile();
    v.stringFile = files_.StringFile();
    v.version = version_;
    v.installerExe = installerExe_;
    v.ip = target_.Ip();
    v.stringFileName = files_.StringFileName();
    v.port = target_.Port();
    v.languageId = language_.LanguageId();
    v.requestedLanguageId = language_.RequestedLanguageId();
    v.installed = target_.Installed();
    return v;
}

void CSetupContext::ExpandPathVariables(std::wstring& text, const LANGUAGE_OVERRIDE* language) const {
    if (text.find(L'$') == std::wstring::npos) return;
    ::ExpandPathVariables(text, PathVariables(), language);
}

std::wstring CSetupContext::ResolvePath(const std::wstring& path, bool mustExist) const {
    return ResolveFilePath(path, sourceDirectory_, mustExist);
}

void CSetupContext::LogSetupInformation() const {
    CLog& log = GlobalLog();
    log.Print(L" m_cstrDataFile file name is [%ls]\n", files_.DataFile().c_str());
    log.Print(L" Configure file Name is [%ls] \n", files_.ConfigFile().c_str());
    log.Print(L" String file Name is [%ls] \n", files_.StringFile().c_str());
    log.Print(L" Source Directroy = %ls\n", sourceDirectory_.c_str());
    log.Print(L" Destination Directroy = %ls\n", target_.Destination().c_str());
    log.Print(L" Inf Directroy = %ls\n", dirs_.InfDirectory().c_str());
    log.Print(L" Language Abbreviation = %ls\n", language_.Abbreviation().c_str());
    log.Print(L" Original Language Abbreviation = %ls\n", language_.RequestedAbbreviation().c_str());
    log.Print(L" Language directory = %ls\n", language_.Directory().c_str());
    log.Print(L" Original Language directory = %ls\n", language_.RequestedDirectory().c_str());
    log.Print(L" OS Directroy = %ls\n", target_.OsDirectory().c_str());
    log.Print(L" OS String = %ls\n", target_.OsDefine().c_str());
    log.Print(L" System Directroy = %ls\n", dirs_.SystemDirectory().c_str());
    log.Print(L" Windows Directroy = %ls\n", dirs_.WindowsDirectory().c_str());
    log.Print(L" Language ID = 0x%04X\n", language_.LanguageId());
    log.Print(L" Program files directory = %ls\n", dirs_.ProgramFilesDirectory().c_str());
    log.Print(L" Current Installing registry root key = %ls\n", roots_.Installing().c_str());
    log.Print(L" Current Installed registry root key = %ls\n", roots_.Installed().c_str());
    log.Print(L" Temporary directory = %ls\n", dirs_.TempDirectory().c_str());
}

bool CSetupContext::PostCommand(const std::vector<std::wstring>& texts) {
    if (silent_) return true;
    std::fill(commandBuffer_.begin(), commandBuffer_.end(), L'\0');
    for (std::size_t slot = 0; slot < kCommandSlots && slot < texts.size(); ++slot) {
        const std::wstring& text = texts[slot];
        const std::size_t n = std::min(text.size(), kCommandSlotChars - 1);
        std::copy_n(text.data(), n, commandBuffer_.data() + slot * kCommandSlotChars);
    }
    return wizard_ != nullptr &&
           PostMessageW(wizard_, WM_USER + 1011, 0, reinterpret_cast<LPARAM>(commandBuffer_.data())) != FALSE;
}

bool CSetupContext::PostBlock(UINT message, const void* block) {
    if (silent_) return true;
    std::fill(commandBuffer_.begin(), commandBuffer_.end(), L'\0');
    if (block != nullptr) std::memcpy(commandBuffer_.data(), block, commandBuffer_.size() * sizeof(wchar_t));
    return wizard_ != nullptr &&
           PostMessageW(wizard_, message, 0, reinterpret_cast<LPARAM>(commandBuffer_.data())) != FALSE;
}

LRESULT CSetupContext::SendValue(UINT message, LPARAM value) {
    if (silent_) return TRUE;
    return wizard_ != nullptr ? SendMessageW(wizard_, message, 0, value) : 0;
}

CSetupContext& GlobalContext() {
    static CSetupContext unset(L"");
    CSetupContext* context = gContext.load();
    return context != nullptr ? *context : unset;
}

void SetGlobalContext(CSetupContext* context) { gContext.store(context); }
