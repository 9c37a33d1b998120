#include "StartInformation.h"

#include <windows.h>

#include "Log.h"
#include "OsVersion.h"
#include "Registry.h"
#include "SetupContext.h"
#include "SystemBitness.h"

std::uint32_t OsVerClass(std::uint32_t family, std::uint32_t code, bool is64BitWindows) {
    const std::uint32_t other = is64BitWindows ? 5 : 4;
    if (family == os_class::kFamily9x) return 1;
    if (family == os_class::kFamilyNt4) return 2;
    if (family != os_class::kFamilyNt5) return other;
    switch (code) {
        case os_class::kWin2000: return 3;
        case os_class::kWinVista: return is64BitWindows ? 7 : 6;
        default: return other;
    }
}

bool WriteStartInformation(CSetupContext& context, bool withIdentity) {
    const std::wstring& root = context.Roots().Installing();
    bool ok = true;
    auto text = [&](const wchar_t* name, const std::wstring& value) {
        const DWORD result = CRegistry::SetValue(root.c_str(), name, value.c_str(), HKEY_LOCAL_MACHINE);
        if (result != ERROR_SUCCESS) {
            GlobalLog().PrintError(result, L"Write start information fail [%ls]", name);
            ok = false;
        }
    };
    auto number = [&](const wchar_t* name, std::uint32_t value) {
        const DWORD result = CRegistry::SetValue(root.c_str(), name, static_cast<DWORD>(value), HKEY_LOCAL_MACHINE);
        if (result != ERROR_SUCCESS) {
            GlobalLog().PrintError(result, L"Write start information fail [%ls]", name);
            ok = false;
        }
    };
    if (withIdentity) {
        text(L"MFG", context.ProgramInfo().Manufacturer());
        text(L"MDL", context.ProgramInfo().Model());
        text(L"VIDPID", context.ProgramInfo().VidPid());
        text(L"Printer_Port", context.Target().Port());
        text(L"Program_Name", context.ProgramInfo().ProgramName());
    }
    number(L"LangCode", context.Language().LanguageId());
    text(L"LangAbbr", context.Language().Abbreviation());
    text(L"Dest_Dir", context.Target().Destination());
    text(L"Win_Dir", context.SystemDirs().WindowsDirectory());
    text(L"Temp_Dir", context.SystemDirs().TempDirectory());
    text(L"STR_FILE", context.Files().StringFile());
    std::uint32_t code = 0, family = 0;
    GetOSVersionClass(code, family);
    number(L"OS_Ver", OsVerClass(family, code, Is64BitWindows()));
    return ok;
}
