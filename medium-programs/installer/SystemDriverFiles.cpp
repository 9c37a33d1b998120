#include "SystemDriverFiles.h"

#include <cwchar>

namespace installer {

namespace {

bool EndsWithNoCase(const std::wstring& text, const wchar_t* end) {
    const std::size_t length = std::wcslen(end);
    return text.size() >= length && _wcsicmp(text.c_str() + text.size() - length, end) == 0;
}

bool Needs(const INF_MODEL& model, const wchar_t* section) {
    for (const std::wstring& need : model.needs)
        if (_wcsicmp(need.c_str(), section) == 0) return true;
    return false;
}

void AddOnce(std::vector<std::wstring>* files, const std::wstring& file) {
    for (const std::wstring& present : *files)
        if (_wcsicmp(present.c_str(), file.c_str()) == 0) return;
    files->push_back(file);
}

}  // namespace

SpoolerPlatform CSystemDriverFiles::Running() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const bool wine = ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    return wine ? SpoolerPlatform::kWine : SpoolerPlatform::kWindows;
}

bool CSystemDriverFiles::Plan(const INF_MODEL& model, DRIVER_PLAN* plan, std::wstring* error) const {
    DRIVER_PLAN made;
    made.name = model.driverName;
    const std::wstring own = model.infDirectory + L"\\";
    if (model.dataFile.empty()) {
        *error = L"the install section [" + model.installSection + L"] names no DataFile";
        return false;
    }
    made.dataFile = own + model.dataFile;
    if (!model.driverFile.empty()) made.driverPath = own + model.driverFile;
    if (!model.configFile.empty()) made.configFile = own + model.configFile;
    if (!model.helpFile.empty()) made.helpFile = own + model.helpFile;

    const bool postScript = Needs(model, L"PSCRIPT.OEM") || EndsWithNoCase(model.dataFile, L".PPD");
    const bool universal = Needs(model, L"UNIDRV.OEM");
    if (platform_ == SpoolerPlatform::kWine) {
        // Wine's PostScript driver reads the PPD named as the data file; it
        // copies the PPD only with APD_COPY_FROM_DIRECTORY.
        if (!postScript || !EndsWithNoCase(model.dataFile, L".PPD")) {
            *error = L"no system driver for \"" + model.driverName + L"\" (data file " + model.dataFile +
                     L"): this system has only a PostScript driver";
            return false;
        }
        made.driverPath = L"C:\\windows\\system32\\wineps.drv";
        made.configFile = made.driverPath;
        made.helpFile.clear();
        made.copyFlags = APD_COPY_FROM_DIRECTORY | APD_COPY_NEW_FILES;
    } else {
        if (made.driverPath.empty() && postScript) {
            made.driverPath = SystemFile(L"PSCRIPT5.DLL");
            made.configFile = SystemFile(L"PS5UI.DLL");
            made.helpFile = SystemFile(L"PSCRIPT.HLP");
            AddOnce(&made.dependentFiles, SystemFile(L"PSCRIPT.NTF"));
        } else if (made.driverPath.empty() && universal) {
            made.driverPath = SystemFile(L"UNIDRV.DLL");
            made.configFile = SystemFile(L"UNIDRVUI.DLL");
            made.helpFile = SystemFile(L"UNIDRV.HLP");
            for (const wchar_t* file : {L"UNIRES.DLL", L"STDNAMES.GPD", L"STDDTYPE.GDL", L"STDSCHEM.GDL",
                                        L"STDSCHMX.GDL"})
                AddOnce(&made.dependentFiles, SystemFile(file));
        }
        if (made.driverPath.empty()) {
            *error = L"the install section [" + model.installSection + L"] names no DriverFile and no system driver";
            return false;
        }
        if (made.configFile.empty()) made.configFile = made.driverPath;
        made.copyFlags = APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY;
    }
    for (const std::wstring& file : model.copyFiles) {
        const std::wstring path = own + file;
        if (_wcsicmp(path.c_str(), made.dataFile.c_str()) == 0) continue;
        if (_wcsicmp(path.c_str(), made.driverPath.c_str()) == 0) continue;
        if (_wcsicmp(path.c_str(), made.configFile.c_str()) == 0) continue;
        if (_wcsicmp(path.c_str(), made.helpFile.c_str()) == 0) continue;
        AddOnce(&made.dependentFiles, path);
    }
    *plan = made;
    return true;
}

}  // namespace installer
