#include "InstalledRecords.h"

#include <windows.h>

#include <vector>

#include "Registry.h"
#include "RegistryRoots.h"

namespace {

bool TextOf(const std::wstring& key, const wchar_t* name, std::wstring& text) {
    wchar_t value[CRegistry::kTextChars] = {};
    if (CRegistry::GetValue(key.c_str(), name, value, HKEY_LOCAL_MACHINE) != ERROR_SUCCESS) return false;
    text = value;
    return true;
}

std::vector<std::wstring> SubKeys(const std::wstring& key) {
    std::vector<std::wstring> names;
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return names;
    wchar_t name[256] = {};
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        if (RegEnumKeyExW(opened, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    RegCloseKey(opened);
    return names;
}

}  // namespace

bool CarryInstalledRecord(const CRegistryRoots& roots, const std::wstring& name) {
    const std::wstring from = roots.Installing() + L"\\Items\\" + name;
    DWORD installNow = 0;
    if (CRegistry::GetValue(from.c_str(), L"InstallNow", &installNow, HKEY_LOCAL_MACHINE) != ERROR_SUCCESS ||
        installNow != 2)
        return false;
    std::wstring command;
    bool removable = false;
    if (TextOf(from, L"UninstCmd", command)) {
        removable = !command.empty();
    } else {
        std::wstring valueName, uninstall;
        removable = TextOf(from, L"Uninstall_Value_Name", valueName) && !valueName.empty() &&
                    TextOf(roots.UninstallInfo(), valueName.c_str(), uninstall) && !uninstall.empty();
    }
    if (!removable) return false;
    return CRegistry::CopyKey(from.c_str(), (roots.Installed() + L"\\Items\\" + name).c_str(), false,
                              HKEY_LOCAL_MACHINE, HKEY_LOCAL_MACHINE) == ERROR_SUCCESS;
}

int CarryAllInstalledRecords(const CRegistryRoots& roots) {
    int carried = 0;
    for (const std::wstring& name : SubKeys(roots.Installing() + L"\\Items"))
        if (CarryInstalledRecord(roots, name)) ++carried;
    for (const std::wstring& name : SubKeys(roots.Installing() + L"\\Shortcut"))
        CRegistry::CopyKey((roots.Installing() + L"\\Shortcut\\" + name).c_str(),
                           (roots.Installed() + L"\\Shortcut\\" + name).c_str(), false, HKEY_LOCAL_MACHINE,
                           HKEY_LOCAL_MACHINE);
    return carried;
}
