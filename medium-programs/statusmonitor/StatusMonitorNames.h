#pragma once
// The names the status monitor's installer, uninstaller and the utility share:
// its files, its registry keys and values, its version.

namespace status_monitor {

constexpr wchar_t kVersion[] = L"1.4.0";
constexpr wchar_t kDisplayName[] = L"Quorvel Status Monitor";
constexpr wchar_t kPublisher[] = L"Quorvel Corporation";

constexpr wchar_t kUtilityFile[] = L"QvStatus.exe";
constexpr wchar_t kUninstallerFile[] = L"QvStatusUninst.exe";
// Written by the utility when it runs; the uninstaller did not install it and leaves it.
constexpr wchar_t kSettingsFile[] = L"QvStatus.ini";

// Below HKEY_LOCAL_MACHINE.
constexpr wchar_t kMakerKey[] = L"Software\\Quorvel";
constexpr wchar_t kProductKey[] = L"Software\\Quorvel\\Status Monitor";
constexpr wchar_t kUninstallParentKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QvStatusMonitor";

constexpr wchar_t kInstallDirValue[] = L"InstallDir";
constexpr wchar_t kLanguageValue[] = L"Language";
constexpr wchar_t kVersionValue[] = L"Version";
constexpr wchar_t kRepairCountValue[] = L"RepairCount";

// The installation directory below the system's program files folder when /D is not given.
constexpr wchar_t kDefaultFolder[] = L"Quorvel\\Status Monitor";
// English (United States), when /L is not given.
constexpr unsigned long kDefaultLanguage = 0x0409;

}  // namespace status_monitor
