#include "ProgramLauncher.h"

#include <shellapi.h>

#include "Log.h"
#include "SetupContext.h"
#include "Shell.h"
#include "WizardLink.h"

namespace {

std::wstring Expanded(const CSetupContext& context, std::wstring text) {
    context.ExpandPathVariables(text, nullptr);
    return text;
}

// |path| trimmed of blanks, tabs and double quotes, up to its last backslash.
std::wstring DirectoryOf(const std::wstring& path) {
    const std::size_t start = path.find_first_not_of(L" \t\"");
    if (start == std::wstring::npos) return {};
    const std::size_t end = path.find_last_not_of(L" \t\"");
    const std::wstring trimmed = path.substr(start, end - start + 1);
    const std::size_t slash = trimmed.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : trimmed.substr(0, slash);
}

// The shell's failures as the log words them.
void LogOpenFailure(INT_PTR result, const wchar_t* what) {
    if (result == 0) GlobalLog().Print(L"The system is out of memory or resources.\r\n");
    else if (result == SE_ERR_NOASSOC) GlobalLog().Print(L"There is no association for the specified file type.\r\n");
    else GlobalLog().PrintError(static_cast<DWORD>(result), L"%ls", what);
}

}  // namespace

CProgramLauncher::CProgramLauncher(CSetupContext& context, CWizardLink& wizard, CShell& shell)
    : context_(context), wizard_(wizard), shell_(&shell), stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

CProgramLauncher::~CProgramLauncher() {
    if (stop_) SetEvent(stop_.Get());
    for (std::thread& wait : waits_) {
        if (wait.joinable()) wait.join();
    }
}

CKernelHandle CProgramLauncher::StartProgram(const std::wstring& program, const std::wstring& arguments) {
    const std::wstring path = context_.ResolvePath(Expanded(context_, program), true);
    if (path.empty()) return CKernelHandle();
    HANDLE process = nullptr;
    if (!shell_->ExecuteEx(wizard_.GetWizardWindow(), path, Expanded(context_, arguments), DirectoryOf(path),
                           process)) {
        const DWORD error = GetLastError();
        GlobalLog().PrintError(error, L"Start program (%ls)", path.c_str());
        wizard_.ShowSystemError(error, path);
        return CKernelHandle();
    }
    return CKernelHandle(process);
}

void CProgramLauncher::StartAndWait(const std::wstring& program, const std::wstring& arguments, bool bringToFront) {
    CKernelHandle process = StartProgram(program, arguments);
    if (process) Wait(std::move(process), bringToFront);
}

void CProgramLauncher::Wait(CKernelHandle process, bool bringToFront) {
    if (!wizard_.Silent()) wizard_.DisableForWait();
    CWizardLink& wizard = wizard_;
    const HANDLE stop = stop_.Get();
    waits_.emplace_back([&wizard, stop, bringToFront, waited = std::move(process)]() {
        const HANDLE handles[] = {waited.Get(), stop};
        if (WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0) wizard.ProgramEnded(bringToFront);
    });
}

bool CProgramLauncher::OpenFile(const std::wstring& file) {
    const std::wstring path = context_.ResolvePath(file, true);
    if (path.empty()) return false;
    if (shell_->Open(wizard_.GetWizardWindow(), path, L"") <= 32) wizard_.ShowSystemError(GetLastError(), path);
    return true;
}

bool CProgramLauncher::OpenUrl(const std::wstring& address) {
    const HWND owner = wizard_.GetWizardWindow();
    INT_PTR result = shell_->Open(owner, L"IEXPLORE.EXE", address);
    if (result > 32) return true;
    LogOpenFailure(result, L"Open IEXPLORE.EXE");
    result = shell_->Open(owner, address, L"");
    if (result > 32) return true;
    LogOpenFailure(result, L"Open");
    return false;
}

bool CProgramLauncher::OpenBrowse(const std::wstring& folder) {
    std::wstring path = context_.ResolvePath(Expanded(context_, folder), false);
    if (path.empty() || path.back() != L'\\') path += L'\\';
    GlobalLog().Print(L"Open Browse : %ls", path.c_str());
    if (shell_->Open(wizard_.GetWizardWindow(), path, L"") <= 32) wizard_.ShowSystemError(GetLastError(), L"");
    return true;
}

bool CProgramLauncher::OpenManual(const std::wstring& document, const std::wstring& arguments) {
    std::wstring opener = context_.SupportLibrary().DocumentOpenerPath();
    if (opener.size() > MAX_PATH - 1) opener.resize(MAX_PATH - 1);
    const std::wstring path = context_.ResolvePath(Expanded(context_, document), true);
    if (path.empty()) return false;
    const HWND owner = wizard_.GetWizardWindow();
    HANDLE process = nullptr;
    if (shell_->ExecuteEx(owner, opener, L"/T " + path + L" " + Expanded(context_, arguments), L"", process)) {
        CKernelHandle started(process);
        if (owner != nullptr && started) Wait(std::move(started), false);
        return true;
    }
    GlobalLog().PrintError(GetLastError(), L"Open Manual");
    if (shell_->ExecuteEx(owner, path, L"", L"", process)) {
        CKernelHandle opened(process);
        return true;
    }
    wizard_.ShowSystemError(GetLastError(), path);
    return false;
}
