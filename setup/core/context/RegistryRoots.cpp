#include "RegistryRoots.h"

bool CRegistryRoots::Build(const std::wstring& manufacturer, const std::wstring& programName) {
    if (manufacturer.empty() || programName.empty()) return false;
    const std::wstring product = L"Software\\" + manufacturer + L"\\" + programName;
    installing_ = product + L"\\Installing";
    installingHistory_ = installing_ + L"\\InstHistory";
    installed_ = product + L"\\Installed";
    installedHistory_ = installed_ + L"\\InstHistory";
    uninstallInfo_ = product + L"\\UninstallInfo";
    return true;
}
