// The records a component writes under the installing root, from which the
// installer library installs it and later runs learn what was installed.
#include "ItemInfo.h"

#include "Guarded.h"
#include "ItemText.h"
#include "Log.h"
#include "Registry.h"
#include "SetupContext.h"

namespace {

void SetText(const std::wstring& key, const wchar_t* name, const std::wstring& text) {
    CRegistry::SetValue(key.c_str(), name, text.c_str(), HKEY_LOCAL_MACHINE);
}

void SetNumber(const std::wstring& key, const wchar_t* name, DWORD number) {
    CRegistry::SetValue(key.c_str(), name, number, HKEY_LOCAL_MACHINE);
}

void SetIfAny(const std::wstring& key, const wchar_t* name, const std::wstring& text) {
    if (!text.empty()) SetText(key, name, text);
}

std::wstring DirectoryOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

void WriteCopyRecord(const std::wstring& key, const std::wstring& description, const std::wstring& source,
                     const std::wstring& destination) {
    SetText(key, L"Description", description);
    SetText(key, L"Src", source);
    SetText(key, L"Dest", destination);
    SetNumber(key, L"CopySubDir", 1);
    SetNumber(key, L"Delete", 1);
}

}  // namespace

bool CItemInfo::WriteItemInfo(const std::wstring& port) {
    return GuardedOperation(
        false,
        [&]() {
            const std::wstring key = context_.Roots().Installing() + L"\\Items\\" + name_;
            SetText(key, L"Item_Name", name_);
            if (!installCommand_.empty()) SetText(key, L"InstCmd", GetRealData(installCommand_, true));
            if (!uninstallCommand_.empty()) SetText(key, L"UninstCmd", GetRealData(uninstallCommand_, true));
            const std::wstring installParameters = GetRealData(installParameters_, true);
            SetIfAny(key, L"InstParam", installParameters);
            SetIfAny(key, L"UninstParam", GetRealData(uninstallParameters_, true));
            SetIfAny(key, L"ReinstParam", GetRealData(reinstallParameters_, true));
            SetIfAny(key, L"Uninstall_Value_Name", uninstallKey_);
            SetIfAny(key, L"Reinstall_Value_Name", reinstallKey_);
            if (hasSuccessText_) SetText(key, L"Success_Return", successText_);
            else SetNumber(key, L"Success_Return", static_cast<DWORD>(successValue_));
            if (selected_) {
                SetNumber(key, L"InstallNow", 1);
                GlobalLog().Print(L"%ls item is checked!!", displayName_.c_str());
            }
            if (driverName_.empty()) return true;

            SetText(key, L"Driver_Name", driverName_);
            SetNumber(key, L"Printer", 1);
            if (!port.empty()) {
                const std::wstring withPort = item_text::WithPrinterPort(installParameters, port);
                GlobalLog().Print(L"Modify install param of printer[%ls] from [%ls] to [%ls]", displayName_.c_str(),
                                  installParameters.c_str(), withPort.c_str());
                SetText(key, L"InstParam", withPort);
            }
            SetIfAny(key, L"Printer_Name", printerName_);
            if (!destinationInf_.empty()) SetText(key, L"Inf_Path", GetRealData(destinationInf_, false));
            const wchar_t* systemNames[4] = {L"Win_9x_Inf", L"Win_NT_Inf", L"Win_32_Inf", L"Win_64_Inf"};
            for (int family = 0; family < 4; ++family) {
                if (!systemInf_[family].empty())
                    SetText(key, systemNames[family], GetRealData(ConvertToDestination(systemInf_[family]), false));
            }
            SetIfAny(key, L"Share_Name", shareName_);
            SetNumber(key, L"Share", share_ ? 1 : 0);
            SetNumber(key, L"UniDrv", universalDriver_ ? 1 : 0);
            return true;
        },
        L"GPF in CItemInfo::WriteItemInfo [%ls]", name_.c_str());
}

bool CItemInfo::WriteCopyFileInfo() {
    return GuardedOperation(
        false,
        [&]() {
            if (!copyAlways_ && !(copyWhenSelected_ && selected_)) return true;
            const std::wstring base = context_.Roots().Installing() + L"\\CopyFiles\\" + name_;
            WriteCopyRecord(base, displayName_, GetRealData(componentDirectory_, false),
                            GetRealData(ConvertToDestination(componentDirectory_), false));
            if (!IsPrinter()) return true;
            int number = 0;
            for (const std::wstring& inf : systemInf_) {
                if (inf.empty()) continue;
                const std::wstring directory = DirectoryOf(inf);
                WriteCopyRecord(base + L"_" + std::to_wstring(number++), displayName_, GetRealData(directory, false),
                                GetRealData(ConvertToDestination(directory), false));
            }
            return true;
        },
        L"GPF in CItemInfo::WriteCopyFileInfo [%ls]", name_.c_str());
}

bool CItemInfo::DeleteInstallKey() {
    return GuardedOperation(
        false,
        [&]() {
            const std::wstring key = context_.Roots().Installed() + L"\\Items\\" + name_;
            return CRegistry::DeleteKey(key.c_str(), true, HKEY_LOCAL_MACHINE) == ERROR_SUCCESS;
        },
        L"GPF in CItemInfo::DeleteInstallKey [%ls]", name_.c_str());
}
