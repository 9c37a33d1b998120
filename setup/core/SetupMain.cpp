// setup.exe: opens its log, records its command line and loads the data file
// that stands beside it (the program's name with ".dat").
#include <windows.h>

#include <string>

#include "ConfigReader.h"
#include "Log.h"
#include "ProfileFile.h"

namespace {

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    CLog log;
    log.Print(L"Parameter : %ls", commandLine ? commandLine : L"");

    const std::wstring module = ModulePath();
    const std::size_t slash = module.find_last_of(L'\\');
    const std::wstring sourceDir = module.substr(0, slash);
    std::wstring exeName = module.substr(slash + 1);
    const std::size_t dot = exeName.find_last_of(L'.');
    if (dot != std::wstring::npos) exeName.resize(dot);
    const std::wstring dataFile = sourceDir + L"\\" + exeName + L".dat";

    if (!FileExists(dataFile)) {
        log.Print(L"Data file not found [%ls]", dataFile.c_str());
        log.Print(L"Initialize Profiles fail!!");
        return 1;
    }
    CConfigReader data;
    data.Load(dataFile.c_str(), dataFile.c_str(), nullptr, false);
    log.Print(L"Data file loaded [%ls] : %u sections", dataFile.c_str(),
              static_cast<unsigned>(data.Main().MainList().SectionCount()));
    return 0;
}
