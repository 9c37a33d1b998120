#pragma once
// The configuration files of a run and the four readers over them:
//
//   reader         main file            strings from   messages from         escapes
//   data           data file            data file      the string file (*)   off
//   configuration  configuration file   data file      the string file (*)   off
//   command        command file         data file      the string file (*)   off
//   string         string file          data file      the string file       on
//
// (*) once a language is set. The data file stands beside the program (its
// name with ".dat"); it names the others in its "INSTALLER_FILE_INFO" section.

#include <string>

#include "ConfigReader.h"

class CConfigFiles {
public:
    CConfigFiles() = default;
    virtual ~CConfigFiles() = default;
    CConfigFiles(const CConfigFiles&) = delete;
    CConfigFiles& operator=(const CConfigFiles&) = delete;

    // Every reader expands path variables and picks section variants through |context|.
    void SetContext(const CConfigContext* context);

    // Finds and loads the files for a program |exeName| (without extension)
    // running from |sourceDirectory|; false when the data, configuration or
    // command file is missing.
    bool Load(const std::wstring& sourceDirectory, const std::wstring& exeName);

    // Points every reader at the string file of |abbreviation| (or of
    // |fallbackAbbreviation| when that file does not exist) and at the
    // configuration file named for that language, and logs both.
    void ChangeLanguageFiles(const std::wstring& abbreviation, const std::wstring& fallbackAbbreviation);

    CConfigReader& Data() { return data_; }
    CConfigReader& Configuration() { return configuration_; }
    CConfigReader& Command() { return command_; }
    CConfigReader& Strings() { return strings_; }
    const CConfigReader& Data() const { return data_; }

    std::wstring DataFile() const { return dataFile_; }
    std::wstring StringFile() const { return stringFile_; }
    std::wstring StringFileForLanguage() const { return stringFileForLanguage_; }
    std::wstring ConfigFile() const { return configFile_; }
    std::wstring CommandFile() const { return commandFile_; }
    std::wstring StringFileFormat() const { return stringFileFormat_; }
    std::wstring StringFileName() const { return stringFileName_; }
    std::wstring SettingFile() const { return settingFile_; }

    // The string file format with its one "%s" replaced by |abbreviation|.
    static std::wstring FormatStringFile(const std::wstring& format, const std::wstring& abbreviation);

private:
    std::wstring InstallerFileValue(const std::wstring& key, const wchar_t* fallback) const;
    std::wstring ConfigFileFor(const std::wstring& abbreviation) const;

    CConfigReader data_;
    CConfigReader configuration_;
    CConfigReader command_;
    CConfigReader strings_;
    std::wstring sourceDirectory_;
    std::wstring dataFile_;
    std::wstring stringFile_;
    std::wstring stringFileForLanguage_;
    std::wstring configFile_;
    std::wstring commandFile_;
    std::wstring stringFileFormat_;
    std::wstring stringFileName_;
    std::wstring settingFile_;
};
