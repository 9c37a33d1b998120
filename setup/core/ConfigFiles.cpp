#include "ConfigFiles.h"

#include "Log.h"
#include "PathVariables.h"
#include "ProfileFile.h"

namespace {
constexpr const wchar_t* kInstallerFileInfo = L"INSTALLER_FILE_INFO";
}  // namespace

void CConfigFiles::SetContext(const CConfigContext* context) {
    data_.SetContext(context);
    configuration_.SetContext(context);
    command_.SetContext(context);
    strings_.SetContext(context);
}

std::wstring CConfigFiles::FormatStringFile(const std::wstring& format, const std::wstring& abbreviation) {
    // The format comes from the medium: it is filled in here, never handed to printf.
    std::wstring text = format;
    const std::size_t pos = text.find(L"%s");
    if (pos != std::wstring::npos) text.replace(pos, 2, abbreviation);
    return text;
}

std::wstring CConfigFiles::InstallerFileValue(const std::wstring& key, const wchar_t* fallback) const {
    std::wstring value;
    if (data_.GetString(kInstallerFileInfo, key.c_str(), value, true)) return value;
    return fallback != nullptr ? fallback : L"";
}

std::wstring CConfigFiles::ConfigFileFor(const std::wstring& abbreviation) const {
    std::wstring value;
    if (!data_.GetString(kInstallerFileInfo, (L"CONFIGURE_FILE." + abbreviation).c_str(), value, true))
        value = InstallerFileValue(L"CONFIGURE_FILE", L".\\data\\vxinst.vxi");
    return ResolveFilePath(value, sourceDirectory_, true);
}

bool CConfigFiles::Load(const std::wstring& sourceDirectory, const std::wstring& exeName) {
    sourceDirectory_ = sourceDirectory;
    dataFile_ = sourceDirectory + L"\\" + exeName + L".dat";
    if (!FileExists(dataFile_)) return false;
    data_.Load(dataFile_.c_str(), dataFile_.c_str(), nullptr, false);

    configFile_ = ConfigFileFor(L"EN");
    if (configFile_.empty()) return false;
    configuration_.Load(configFile_.c_str(), dataFile_.c_str(), nullptr, false);

    commandFile_ = ResolveFilePath(InstallerFileValue(L"COMMAND_FILE", L".\\data\\vxinst.cmd"), sourceDirectory, true);
    if (commandFile_.empty()) return false;
    command_.Load(commandFile_.c_str(), dataFile_.c_str(), nullptr, false);

    stringFileFormat_ = InstallerFileValue(L"STRING_FILE_FORMAT", L".\\data\\String\\Lang_%s.str");
    stringFile_ = ResolveFilePath(FormatStringFile(stringFileFormat_, L"EN"), sourceDirectory, false);
    stringFileForLanguage_ = stringFile_;
    stringFileName_ = stringFile_.substr(stringFile_.find_last_of(L'\\') + 1);
    strings_.Load(stringFile_.c_str(), dataFile_.c_str(), stringFile_.c_str(), true);

    settingFile_ = ResolveFilePath(InstallerFileValue(L"SETTING_FILE", L".\\Config.ini"), sourceDirectory, true);
    return true;
}

void CConfigFiles::ChangeLanguageFiles(const std::wstring& abbreviation, const std::wstring& fallbackAbbreviation) {
    stringFileForLanguage_ = ResolveFilePath(FormatStringFile(stringFileFormat_, abbreviation), sourceDirectory_, false);
    stringFile_ = stringFileForLanguage_;
    if (!FileExists(stringFile_))
        stringFile_ = ResolveFilePath(FormatStringFile(stringFileFormat_, fallbackAbbreviation), sourceDirectory_, false);
    stringFileName_ = stringFile_.substr(stringFile_.find_last_of(L'\\') + 1);

    const std::wstring config = ConfigFileFor(abbreviation);
    if (!config.empty()) {
        configFile_ = config;
        configuration_.ReloadMain(configFile_.c_str());
    }

    command_.ReloadMessages(stringFile_.c_str());
    configuration_.ReloadMessages(stringFile_.c_str());
    data_.ReloadMessages(stringFile_.c_str());
    strings_.ReloadMain(stringFile_.c_str());
    strings_.ReloadMessages(stringFile_.c_str());

    GlobalLog().Print(L"Set Language : String file\t\t= %ls", stringFileName_.c_str());
    GlobalLog().Print(L"Set Language : Configure file\t\t= %ls", configFile_.c_str());
}
