// QvStatus.exe: the status monitor itself, as far as the medium needs it.
// Started plainly it records its start in QvStatus.ini beside itself (a file
// of its own, which its uninstaller leaves behind); with /version it writes
// its version to standard output. No windows; exit code 0, 1 when the
// settings file cannot be written.
#include <windows.h>
#include <shellapi.h>

#include <cwctype>
#include <string>

#include "Folders.h"
#include "StatusMonitorNames.h"

namespace {

bool IsVersionSwitch(const std::wstring& argument) {
    if (argument.size() != 8 || (argument[0] != L'/' && argument[0] != L'-')) return false;
    const wchar_t name[] = L"VERSION";
    for (std::size_t i = 0; i < 7; ++i) {
        if (std::towupper(argument[i + 1]) != static_cast<wint_t>(name[i])) return false;
    }
    return true;
}

int ShowVersion() {
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == nullptr || out == INVALID_HANDLE_VALUE) return 0;
    char text[32] = {};
    const int length = WideCharToMultiByte(CP_ACP, 0, status_monitor::kVersion, -1, text, sizeof text - 2, nullptr,
                                           nullptr);
    std::string line = length > 0 ? std::string(text) : std::string();
    line += "\r\n";
    DWORD written = 0;
    WriteFile(out, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    return 0;
}

int RecordStart() {
    const std::wstring settings = folders::OwnFolder() + L"\\" + status_monitor::kSettingsFile;
    return WritePrivateProfileStringW(L"Status", L"Version", status_monitor::kVersion, settings.c_str()) ? 0 : 1;
}

int Run() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    const bool version = arguments != nullptr && count == 2 && IsVersionSwitch(arguments[1]);
    if (arguments != nullptr) LocalFree(arguments);
    return version ? ShowVersion() : RecordStart();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    const int result = Run();
    return result;
}
