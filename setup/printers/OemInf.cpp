// CMyPrinter::CopyOEMInf: registering a driver's INF with the system.
#include "MyPrinter.h"

#include <windows.h>
#include <setupapi.h>

#include "FaultGuard.h"
#include "FileOperations.h"
#include "Log.h"
#include "OsVersion.h"
#include "PrinterServices.h"
#include "ScopedHandle.h"
#include "TextNoCase.h"

namespace {

using SetupCopyOEMInfProc = BOOL(WINAPI*)(PCWSTR, PCWSTR, DWORD, DWORD, PWSTR, DWORD, PDWORD, PWSTR*);

// |text| with every occurrence of |from| (without regard to case) replaced by |to|.
std::wstring ReplacedNoCase(const std::wstring& text, const std::wstring& from, const std::wstring& to) {
    if (from.empty()) return text;
    const std::wstring upperText = printers::Upper(text.c_str());
    const std::wstring upperFrom = printers::Upper(from.c_str());
    std::wstring result;
    std::size_t start = 0;
    for (std::size_t found = upperText.find(upperFrom); found != std::wstring::npos;
         found = upperText.find(upperFrom, start)) {
        result.append(text, start, found - start).append(to);
        start = found + from.size();
    }
    return result.append(text, start, std::wstring::npos);
}

}  // namespace

bool CMyPrinter::CopyOEMInf(const wchar_t* infPath) {
    const std::wstring path = infPath != nullptr ? infPath : L"";
    bool result = false;
    if (!GuardedCall([&] { result = DoCopyOEMInf(path); })) {
        GlobalLog().Print(L"GPF in CMyPrinter::CopyOEMInf(%ls)", path.c_str());
        return false;
    }
    return result;
}

bool CMyPrinter::DoCopyOEMInf(const std::wstring& infPath) {
    if (Services().OsFamily() != os_class::kFamilyNt5) {
        const std::size_t slash = infPath.find_last_of(L'\\');
        if (slash == std::wstring::npos) return false;
        const std::wstring target = Services().InfDirectory() + L"\\" + infPath.substr(slash + 1);
        return CopySingleFile(infPath.c_str(), target.c_str(), true);
    }

    // The installed copy of the INF, not the medium's.
    const std::wstring installed = ReplacedNoCase(infPath, Services().SetupDirectory(), Services().InstallDirectory());
    const CModuleHandle setupApi(LoadLibraryW(L"setupapi.dll"));
    const auto copyOemInf =
        setupApi ? reinterpret_cast<SetupCopyOEMInfProc>(
                       reinterpret_cast<void*>(GetProcAddress(setupApi.Get(), "SetupCopyOEMInfW")))
                 : nullptr;
    if (copyOemInf == nullptr) {
        GlobalLog().Print(L"SetupCopyOEMInf (%ls) : no SetupCopyOEMInfW in setupapi.dll", installed.c_str());
        return false;
    }
    wchar_t destination[MAX_PATH] = {};
    DWORD required = 0;
    if (copyOemInf(installed.c_str(), nullptr, SPOST_PATH, SP_COPY_NOOVERWRITE, destination, MAX_PATH, &required,
                   nullptr)) {
        GlobalLog().Print(L"SetupCopyOEMInf (%ls) => %ls", installed.c_str(), destination);
        return true;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS) {
        GlobalLog().Print(L"SetupCopyOEMInf (%ls) : already there as %ls", installed.c_str(), destination);
        return true;
    }
    GlobalLog().PrintError(error, L"SetupCopyOEMInf (%ls)", installed.c_str());
    return false;
}
