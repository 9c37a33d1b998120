#pragma once
// The registry keys (under HKEY_LOCAL_MACHINE) where a run records what it
// installs: "Software\<MFG>\<PROGRAM_NAME>\..." Installing, its InstHistory,
// Installed, its InstHistory, and UninstallInfo.

#include <string>

class CRegistryRoots {
public:
    virtual ~CRegistryRoots() = default;

    // False when the manufacturer or the program name is empty.
    bool Build(const std::wstring& manufacturer, const std::wstring& programName);

    const std::wstring& Installing() const { return installing_; }
    const std::wstring& InstallingHistory() const { return installingHistory_; }
    const std::wstring& Installed() const { return installed_; }
    const std::wstring& InstalledHistory() const { return installedHistory_; }
    const std::wstring& UninstallInfo() const { return uninstallInfo_; }

private:
    std::wstring installing_;
    std::wstring installingHistory_;
    std::wstring installed_;
    std::wstring installedHistory_;
    std::wstring uninstallInfo_;
};
