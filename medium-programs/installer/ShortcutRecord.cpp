#include "ShortcutRecord.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "InstallLog.h"
#include "RecordKey.h"

namespace installer {

namespace {

template <typename T>
class CComPointer {
public:
    CComPointer() = default;
    ~CComPointer() {
        if (pointer_ != nullptr) pointer_->Release();
    }
    CComPointer(const CComPointer&) = delete;
    CComPointer& operator=(const CComPointer&) = delete;
    T* operator->() const { return pointer_; }
    T* Get() const { return pointer_; }
    void** Receive() { return reinterpret_cast<void**>(&pointer_); }

private:
    T* pointer_ = nullptr;
};

// Initialises COM for this thread when it is not yet, and undoes only that.
class CComScope {
public:
    CComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~CComScope() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    CComScope(const CComScope&) = delete;
    CComScope& operator=(const CComScope&) = delete;

private:
    HRESULT result_;
};

// Characters a file name cannot hold become '_'.
std::wstring FileNameOf(std::wstring name) {
    for (auto& c : name)
        if (wcschr(L"\\/:*?\"<>|", c) != nullptr) c = L'_';
    return name;
}

// Makes |folder| and its parents; true when it exists afterwards.
bool MakeFolders(const std::wstring& folder) {
    if (GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    const std::size_t slash = folder.find_last_of(L'\\');
    if (slash != std::wstring::npos && slash > 2 && !MakeFolders(folder.substr(0, slash))) return false;
    return CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace

bool CreateShortcutFromRecord(const std::wstring& shortcutKey) {
    const CRecordKey record(shortcutKey);
    const std::wstring name = record.Text(L"Name");
    if (name.empty()) {
        LogLine(L"Create shortcut %ls: no Name in the record", shortcutKey.c_str());
        return false;
    }
    const bool desktop = record.Number(L"Group", 0) == 1;
    wchar_t base[MAX_PATH] = {};
    const HRESULT found = SHGetFolderPathW(
        nullptr, (desktop ? CSIDL_COMMON_DESKTOPDIRECTORY : CSIDL_COMMON_PROGRAMS) | CSIDL_FLAG_CREATE, nullptr, 0,
        base);
    if (FAILED(found)) {
        LogLine(L"Create shortcut %ls: no %ls folder (0x%08lX)", name.c_str(),
                desktop ? L"common desktop" : L"common programs", static_cast<unsigned long>(found));
        return false;
    }
    std::wstring folder = base;
    const std::wstring folderName = record.Text(L"Folder_Name");
    if (!desktop && !folderName.empty()) folder += L"\\" + folderName;
    if (!MakeFolders(folder)) {
        LogError(GetLastError(), L"Create shortcut %ls: CreateDirectory (%ls)", name.c_str(), folder.c_str());
        return false;
    }
    const std::wstring link = folder + L"\\" + FileNameOf(name) + L".lnk";

    const CComScope com;
    CComPointer<IShellLinkW> shellLink;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                      shellLink.Receive());
    if (FAILED(result)) {
        LogLine(L"Create shortcut %ls: CoCreateInstance (ShellLink) 0x%08lX", link.c_str(),
                static_cast<unsigned long>(result));
        return false;
    }
    std::wstring description = record.Text(L"Icon_Description");
    if (description.empty()) description = record.Text(L"Description");
    shellLink->SetPath(record.Text(L"Target").c_str());
    shellLink->SetArguments(record.Text(L"Argument").c_str());
    shellLink->SetWorkingDirectory(record.Text(L"Start_in").c_str());
    shellLink->SetDescription(description.c_str());
    const std::wstring icon = record.Text(L"Icon_File");
    if (!icon.empty()) shellLink->SetIconLocation(icon.c_str(), static_cast<int>(record.Number(L"Icon_Index", 0)));
    CComPointer<IPersistFile> file;
    result = shellLink->QueryInterface(IID_IPersistFile, file.Receive());
    if (SUCCEEDED(result)) result = file->Save(link.c_str(), TRUE);
    if (FAILED(result)) {
        LogLine(L"Create shortcut %ls: IPersistFile::Save 0x%08lX", link.c_str(), static_cast<unsigned long>(result));
        return false;
    }
    const LONG written = record.SetText(L"Shortcut_Path", link);
    if (written != ERROR_SUCCESS) {
        LogError(static_cast<DWORD>(written), L"Create shortcut %ls: write Shortcut_Path into %ls", link.c_str(),
                 shortcutKey.c_str());
        return false;
    }
    LogLine(L"Create shortcut %ls => OK", link.c_str());
    return true;
}

}  // namespace installer
