#include "Shell.h"

#include <shellapi.h>

namespace {

const wchar_t* OrNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

}  // namespace

bool CPlatformShell::ExecuteEx(HWND owner, const std::wstring& file, const std::wstring& parameters,
                               const std::wstring& directory, HANDLE& process) {
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_DDEWAIT | SEE_MASK_UNICODE;
    info.hwnd = owner;
    info.lpVerb = L"open";
    info.lpFile = file.c_str();
    info.lpParameters = OrNull(parameters);
    info.lpDirectory = OrNull(directory);
    info.nShow = SW_SHOWNORMAL;
    process = nullptr;
    if (!ShellExecuteExW(&info)) return false;
    process = info.hProcess;
    return true;
}

INT_PTR CPlatformShell::Open(HWND owner, const std::wstring& file, const std::wstring& parameters) {
    return reinterpret_cast<INT_PTR>(
        ShellExecuteW(owner, L"open", file.c_str(), OrNull(parameters), nullptr, SW_SHOWNORMAL));
}
