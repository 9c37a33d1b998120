#include "Installation.h"

#include <cwchar>

#include "Folders.h"
#include "RegistryValues.h"
#include "SetupExitCode.h"
#include "StatusMonitorNames.h"

using namespace status_monitor;

namespace {

std::wstring ErrorText(DWORD error) { return L"error " + std::to_wstring(error); }

std::wstring Hex(DWORD value) {
    wchar_t text[16] = {};
    std::swprintf(text, 16, L"0x%04lX", static_cast<unsigned long>(value));
    return text;
}

bool CopyProgramFiles(const INSTALL_PLAN& plan, const CStepLog& log) {
    for (const wchar_t* name : {kUtilityFile, kUninstallerFile}) {
        const std::wstring from = plan.sourceFolder + L"\\" + name;
        const std::wstring to = plan.installDirectory + L"\\" + name;
        if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) {
            log.Line(L"Cannot copy " + from + L" to " + to + L": " + ErrorText(GetLastError()));
            return false;
        }
        log.Line(L"Copied " + from + L" to " + to);
    }
    return true;
}

struct TEXT_VALUE {
    const wchar_t* key;
    const wchar_t* name;
    std::wstring text;
};

bool WriteValues(const INSTALL_PLAN& plan, const CStepLog& log) {
    const std::wstring uninstallString = L"\"" + plan.installDirectory + L"\\" + kUninstallerFile + L"\" /S";
    const TEXT_VALUE texts[] = {
        {kProductKey, kInstallDirValue, plan.installDirectory},
        {kProductKey, kVersionValue, kVersion},
        {kUninstallKey, L"DisplayName", kDisplayName},
        {kUninstallKey, L"UninstallString", uninstallString},
        {kUninstallKey, L"Publisher", kPublisher},
        {kUninstallKey, L"DisplayVersion", kVersion},
        {kUninstallKey, L"InstallLocation", plan.installDirectory},
    };
    for (const TEXT_VALUE& value : texts) {
        const LONG result = registry_values::WriteText(value.key, value.name, value.text);
        const std::wstring what =
            L"HKLM\\" + std::wstring(value.key) + L" \"" + value.name + L"\" = \"" + value.text + L"\"";
        if (result != ERROR_SUCCESS) {
            log.Line(L"Cannot write " + what + L": " + ErrorText(static_cast<DWORD>(result)));
            return false;
        }
        log.Line(L"Wrote " + what);
    }

    const LONG language = registry_values::WriteNumber(kProductKey, kLanguageValue, plan.language);
    const std::wstring languageText =
        L"HKLM\\" + std::wstring(kProductKey) + L" \"" + kLanguageValue + L"\" = " + Hex(plan.language);
    if (language != ERROR_SUCCESS) {
        log.Line(L"Cannot write " + languageText + L": " + ErrorText(static_cast<DWORD>(language)));
        return false;
    }
    log.Line(L"Wrote " + languageText);

    if (plan.repair) {
        DWORD count = 0;
        if (!registry_values::ReadNumber(kProductKey, kRepairCountValue, count)) count = 0;
        const LONG result = registry_values::WriteNumber(kProductKey, kRepairCountValue, count + 1);
        const std::wstring what =
            L"HKLM\\" + std::wstring(kProductKey) + L" \"" + kRepairCountValue + L"\" = " + std::to_wstring(count + 1);
        if (result != ERROR_SUCCESS) {
            log.Line(L"Cannot write " + what + L": " + ErrorText(static_cast<DWORD>(result)));
            return false;
        }
        log.Line(L"Wrote " + what);
    }
    return true;
}

}  // namespace

bool FindInstallation(std::wstring& installDirectory, DWORD& language) {
    if (!registry_values::ReadText(kProductKey, kInstallDirValue, installDirectory) || installDirectory.empty())
        return false;
    if (!registry_values::ReadNumber(kProductKey, kLanguageValue, language) || language == 0)
        language = kDefaultLanguage;
    return true;
}

std::wstring DefaultInstallDirectory() {
    const std::vector<std::wstring> programFiles = folders::ProgramFilesFolders();
    const std::wstring base = programFiles.empty() ? std::wstring(L"C:\\Program Files") : programFiles.front();
    return base + L"\\" + kDefaultFolder;
}

int Install(const INSTALL_PLAN& plan, const CStepLog& log) {
    log.Line(std::wstring(plan.repair ? L"Repairing" : L"Installing") + L" " + kDisplayName + L" " + kVersion +
             L" in " + plan.installDirectory + L", language " + Hex(plan.language));

    DWORD error = 0;
    std::wstring failed;
    if (!folders::CreateTree(plan.installDirectory, error, failed)) {
        log.Line(L"Cannot create the folder " + failed + L": " + ErrorText(error));
        return kSetupNoDirectory;
    }
    log.Line(L"Install directory ready: " + plan.installDirectory);

    if (!CopyProgramFiles(plan, log)) return kSetupCopyFailed;
    if (!WriteValues(plan, log)) return kSetupRegistryFailed;

    log.Line(plan.repair ? L"Repair done" : L"Installation done");
    return kSetupSuccess;
}
