#include "PrinterDrivers.h"

#include <winspool.h>

#include <cwchar>

#include "InstallLog.h"

namespace installer {

namespace {

void AddFile(std::vector<std::wstring>* files, const wchar_t* file) {
    if (file != nullptr && file[0] != L'\0') files->push_back(file);
}

std::vector<std::wstring> FilesOf(const DRIVER_INFO_3W& info) {
    std::vector<std::wstring> files;
    AddFile(&files, info.pDriverPath);
    AddFile(&files, info.pDataFile);
    AddFile(&files, info.pConfigFile);
    AddFile(&files, info.pHelpFile);
    for (const wchar_t* file = info.pDependentFiles; file != nullptr && *file != L'\0'; file += std::wcslen(file) + 1)
        AddFile(&files, file);
    return files;
}

bool Listed(const std::vector<std::wstring>& files, const std::wstring& file) {
    for (const std::wstring& present : files)
        if (_wcsicmp(present.c_str(), file.c_str()) == 0) return true;
    return false;
}

std::vector<BYTE> EnumDrivers(DWORD* count) {
    std::vector<BYTE> buffer;
    DWORD needed = 0;
    *count = 0;
    if (EnumPrinterDriversW(nullptr, nullptr, 3, nullptr, 0, &needed, count)) return buffer;
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0) return buffer;
    buffer.assign(needed, 0);
    if (!EnumPrinterDriversW(nullptr, nullptr, 3, buffer.data(), needed, &needed, count)) {
        buffer.clear();
        *count = 0;
    }
    return buffer;
}

}  // namespace

std::wstring PrinterDriverDirectory() {
    wchar_t directory[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(directory), sizeof(directory),
                                    &needed))
        return std::wstring();
    return directory;
}

DWORD AddPrinterDriver(const DRIVER_PLAN& plan) {
    std::wstring name = plan.name;
    std::wstring driverPath = plan.driverPath;
    std::wstring configFile = plan.configFile;
    std::wstring dataFile = plan.dataFile;
    std::wstring helpFile = plan.helpFile;
    std::wstring dependent;
    for (const std::wstring& file : plan.dependentFiles) dependent += file + L'\0';
    dependent += L'\0';
    DRIVER_INFO_3W info = {};
    info.cVersion = 3;
    info.pName = &name[0];
    info.pDriverPath = &driverPath[0];
    info.pConfigFile = &configFile[0];
    info.pDataFile = &dataFile[0];
    info.pHelpFile = helpFile.empty() ? nullptr : &helpFile[0];
    info.pDependentFiles = plan.dependentFiles.empty() ? nullptr : &dependent[0];
    if (AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&info), plan.copyFlags)) return ERROR_SUCCESS;
    return GetLastError();
}

bool FindPrinterDriver(const std::wstring& name, std::vector<std::wstring>* files) {
    DWORD count = 0;
    const std::vector<BYTE> buffer = EnumDrivers(&count);
    const auto* drivers = reinterpret_cast<const DRIVER_INFO_3W*>(buffer.data());
    for (DWORD i = 0; i < count && !buffer.empty(); ++i) {
        if (drivers[i].pName == nullptr || _wcsicmp(drivers[i].pName, name.c_str()) != 0) continue;
        if (files != nullptr) *files = FilesOf(drivers[i]);
        return true;
    }
    return false;
}

std::vector<std::wstring> FilesOfAllDrivers() {
    std::vector<std::wstring> files;
    DWORD count = 0;
    const std::vector<BYTE> buffer = EnumDrivers(&count);
    const auto* drivers = reinterpret_cast<const DRIVER_INFO_3W*>(buffer.data());
    for (DWORD i = 0; i < count && !buffer.empty(); ++i)
        for (const std::wstring& file : FilesOf(drivers[i])) files.push_back(file);
    return files;
}

std::vector<std::wstring> DriverDirectoryFiles() {
    std::vector<std::wstring> files;
    const std::wstring directory = PrinterDriverDirectory();
    if (directory.empty()) return files;
    std::vector<std::wstring> folders{directory};
    for (std::size_t i = 0; i < folders.size(); ++i) {
        WIN32_FIND_DATAW found = {};
        HANDLE search = FindFirstFileW((folders[i] + L"\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) continue;
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folders[i] + L"\\" + name;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) files.push_back(path);
            else if (i == 0) folders.push_back(path);  // the version folders, one level deep
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    return files;
}

DWORD RemovePrinterDriver(const std::wstring& name, const std::vector<std::wstring>& copied,
                          std::vector<std::wstring>* deleted) {
    std::vector<std::wstring> files;
    if (!FindPrinterDriver(name, &files)) return ERROR_UNKNOWN_PRINTER_DRIVER;
    if (!DeletePrinterDriverW(nullptr, nullptr, const_cast<wchar_t*>(name.c_str()))) return GetLastError();
    const std::wstring directory = PrinterDriverDirectory();
    const std::vector<std::wstring> remaining = FilesOfAllDrivers();
    for (const std::wstring& file : files) {
        // Only the spooler's own copies; never a file of the system's folders.
        if (directory.empty() || _wcsnicmp(file.c_str(), (directory + L"\\").c_str(), directory.size() + 1) != 0)
            continue;
        if (!Listed(copied, file) || Listed(remaining, file) || Listed(*deleted, file)) continue;
        if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
        if (DeleteFileW(file.c_str())) deleted->push_back(file);
        else LogError(GetLastError(), L"DeleteFile (%ls) of driver \"%ls\"", file.c_str(), name.c_str());
    }
    return ERROR_SUCCESS;
}

}  // namespace installer
