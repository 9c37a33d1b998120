#include "SystemDirs.h"

#include <windows.h>

#include "OsVersion.h"
#include "Registry.h"
#include "SystemBitness.h"

namespace {

std::wstring Directory(UINT (WINAPI* query)(LPWSTR, UINT)) {
    wchar_t buffer[MAX_PATH + 1] = {};
    const UINT length = query(buffer, MAX_PATH + 1);
    return (length > 0 && length <= MAX_PATH) ? std::wstring(buffer, length) : std::wstring();
}

std::wstring WithoutTrailingBackslash(std::wstring path) {
    if (!path.empty() && path.back() == L'\\') path.pop_back();
    return path;
}

// A terminal server gives each user a Windows directory of their own; the
// system's is the one its registry names.
bool IsTerminalServer(const OS_VERSION_FACTS& facts) {
    return facts.extended && facts.platformId == VER_PLATFORM_WIN32_NT && facts.productType == VER_NT_SERVER &&
           (facts.suiteMask & 0x10) != 0;
}

}  // namespace

CSystemDirs::CSystemDirs() {
    system_ = Directory(GetSystemDirectoryW);
    if (IsTerminalServer(QueryOSVersionFacts())) {
        wchar_t root[CRegistry::kTextChars] = {};
        if (CRegistry::GetValue(L"Software\\Microsoft\\Windows NT\\CurrentVersion", L"SystemRoot", root,
                                HKEY_LOCAL_MACHINE, CRegistry::kNoLimit) == ERROR_SUCCESS)
            windows_ = root;
        else
            windows_ = system_.substr(0, system_.find_last_of(L'\\') == std::wstring::npos ? 0 : system_.find_last_of(L'\\'));
    } else {
        windows_ = Directory(GetWindowsDirectoryW);
    }
    windows_ = WithoutTrailingBackslash(windows_);
    if (!windows_.empty()) inf_ = windows_ + L"\\Inf";

    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD tempLength = GetTempPathW(MAX_PATH + 1, temp);
    if (tempLength > 0 && tempLength <= MAX_PATH) temp_ = WithoutTrailingBackslash(std::wstring(temp, tempLength));

    wchar_t programFiles[CRegistry::kTextChars] = {};
    if (CRegistry::GetValue(L"Software\\Microsoft\\Windows\\CurrentVersion", L"ProgramFilesDir", programFiles,
                            HKEY_LOCAL_MACHINE, CRegistry::kNoLimit) == ERROR_SUCCESS)
        programFiles_ = WithoutTrailingBackslash(programFiles);
    wow64Redirected_ = IsWow64Redirected();
}
