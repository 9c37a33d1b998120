#include "ItemInfo.h"

#include <vector>

#include "Collector.h"
#include "Guarded.h"
#include "ItemText.h"
#include "Log.h"
#include "OsVersion.h"
#include "DeviceId.h"
#include "ProfileText.h"
#include "Registry.h"
#include "SetupContext.h"
#include "Utl.h"

namespace {

constexpr std::size_t kTextChars = 8191;

// The system families a printer component may carry an INF for: their OS
// define strings, the system code and bitness their directories are searched
// with, and the record value of their INF.
struct PRINTER_FAMILY {
    const wchar_t* osDefine;
    std::uint32_t osCode;
    bool is64Bit;
};
constexpr PRINTER_FAMILY kPrinterFamilies[4] = {
    {L"0X0001040A", os_class::kWin98Se, false},
    {L"0X00020400", os_class::kWinNt4, false},
    {L"0X00020600", os_class::kWinVista, false},
    {L"0X00020600.64", os_class::kWinVista, true},
};

// "0X0409" for a language identifier.
std::wstring LanguageKey(std::uint32_t id) {
    static const wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring key = L"0X";
    for (int shift = 12; shift >= 0; shift -= 4) key += kDigits[(id >> shift) & 0xF];
    return key;
}

std::wstring Clipped(std::wstring text) {
    if (text.size() > kTextChars) text.resize(kTextChars);
    return text;
}

}  // namespace

CItemInfo::CItemInfo(CSetupContext& context) : context_(context) {}

CItemInfo::~CItemInfo() { GlobalLog().Print(L"[%ls] Item is being destoried!!", name_.c_str()); }

bool CItemInfo::ReadText(const wchar_t* key, std::wstring& out, bool expand) const {
    const CConfigReader& data = context_.Files().Data();
    const std::wstring osKey = std::wstring(key) + L"." + context_.Target().OsDefine();
    if (!context_.Target().OsDefine().empty() && data.GetString(name_.c_str(), osKey.c_str(), out, expand)) return true;
    return data.GetString(name_.c_str(), key, out, expand);
}

bool CItemInfo::ReadNumber(const wchar_t* key, std::uint32_t& out) const {
    return context_.Files().Data().GetNumber(name_.c_str(), key, out);
}

bool CItemInfo::FileExists(const std::wstring& path) const {
    if (path.empty()) return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool CItemInfo::IsPrinter() const { return profile_text::EqualsNoCase(class_, L"Printer"); }
bool CItemInfo::IsScanner() const { return profile_text::EqualsNoCase(class_, L"Image"); }

std::wstring CItemInfo::GetRealData(const std::wstring& text, bool withInf) const {
    return GuardedOperation(
        std::wstring(),
        [&]() {
            std::wstring result = text;
            const LANGUAGE_OVERRIDE language{itemLanguage_, itemLanguageAbbreviation_.c_str(),
                                             itemLanguageDirectory_.c_str()};
            context_.ExpandPathVariables(result, &language);
            if (withInf) {
                const std::wstring inf = ExpandedInf();
                profile_text::ReplaceAll(result, L"$INF$", inf);
                profile_text::ReplaceAll(result, L"$SRC_INF$", inf);
                profile_text::ReplaceAll(result, L"$DEST_INF$", GetRealData(destinationInf_, false));
            }
            return Clipped(result);
        },
        L"GPF in CItemInfo::GetRealData [%ls]", name_.c_str());
}

std::wstring CItemInfo::ConvertToDestination(const std::wstring& path) const {
    std::wstring result = path;
    profile_text::ReplaceAll(result, L"$SRC_DIR$", L"$DEST_INST_DIR$");
    const std::wstring& source = context_.SourceDirectory();
    if (!source.empty()) profile_text::ReplaceAll(result, source, context_.Target().InstallDirectory());
    return result;
}

bool CItemInfo::LoadItem(const std::wstring& name) {
    GlobalLog().Print(L" ");
    GlobalLog().Print(L" ");
    GlobalLog().Print(L" ");
    GlobalLog().Print(L"[%ls] Component Loading ...", name.c_str());
    if (name.empty()) return false;
    name_ = name;
    return GuardedOperation(
        false,
        [&]() {
            if (!GetItemInfo()) {
                GlobalLog().Print(L"[%ls] Loading Default Item information ==> Fail!!", name_.c_str());
                return false;
            }
            languageSection_.clear();
            ReadText(L"ITEM_LANG", languageSection_, true);
            SetItemLang(context_.Language().LanguageId());
            GetItemCommand();

            if (class_.empty() && !infFile_.empty()) {
                wchar_t infClass[260] = {};
                if (inf_.GetClass(ExpandedInf().c_str(), infClass, 260)) class_ = infClass;
            }
            if (IsPrinter()) {
                GetPrinterKeys();
            } else if (IsScanner()) {
                ReadText(L"DRIVER_NAME", driverName_, true);
                std::uint32_t index = 0;
                if (ReadNumber(L"INDEX", index)) driverIndex_ = static_cast<int>(index);
            }

            if (!CheckItemCmd()) {
                GlobalLog().Print(L" ");
                GlobalLog().Print(L"[%ls] Item is not available!!!!", name_.c_str());
                GlobalLog().Print(L" ");
                GlobalLog().Print(L" ");
                return false;
            }
            if (IsPrinter()) CheckPrinterInformation();
            ModifyDisplayNameAndDescription();
            destinationInf_ = ConvertToDestination(infFile_);
            ShowItemInfo();
            return true;
        },
        L"GPF in CItemInfo::LoadItem [%ls]", name_.c_str());
}

bool CItemInfo::GetItemInfo() {
    return GuardedOperation(
        false,
        [&]() {
            ReadText(L"UNSUPPORTED_OS", unsupportedOs_, true);
            const std::wstring& osDefine = context_.Target().OsDefine();
            if (!unsupportedOs_.empty() && CUtl::IsInCommaList(unsupportedOs_.c_str(), osDefine.c_str(), L",")) {
                GlobalLog().Print(L" %ls is not available in this OS(%ls)", name_.c_str(), osDefine.c_str());
                return false;
            }
            ReadText(L"DISPLAY_NAME", displayName_, true);
            std::wstring description;
            ReadText(L"DESCRIPTION", description, true);
            if (!ReadText(L"INST_DESC", installDescription_, true)) installDescription_ = description;
            if (!ReadText(L"REMOVE_DESC", removeDescription_, true)) removeDescription_ = description;
            if (!ReadText(L"REPAIR_DESC", repairDescription_, true)) repairDescription_ = description;
            ReadText(L"TOOLTIP", tooltip_, true);
            ReadText(L"COMP_DIR", componentDirectory_, true);
            configuredDirectory_ = componentDirectory_;
            ReadText(L"DEVICE_STRING", deviceString_, true);
            std::uint32_t number = 0;
            copyAlways_ = ReadNumber(L"COMP_COPY_FILE", number) && static_cast<std::int32_t>(number) > 0;
            number = 0;
            copyWhenSelected_ =
                ReadNumber(L"COMP_COPY_FILE_SELECTED", number) && static_cast<std::int32_t>(number) > 0;
            ReadText(L"COMP_CLASS", class_, true);
            std::wstring word;
            ReadText(L"DEFAULT_INST_TYPE", word, true);
            installType_ = GetInstallType(word);
            return true;
        },
        L"GPF in CItemInfo::GetItemInfo [%ls]", name_.c_str());
}

void CItemInfo::GetItemCommand() {
    ReadText(L"INST_CMD", installCommand_, false);
    ReadText(L"UNINST_CMD", uninstallCommand_, false);
    ReadText(L"REINST_CMD", reinstallCommand_, false);
    ReadText(L"INF_FILE", infFile_, false);
    ReadText(L"UNINST_KEY", uninstallKey_, true);
    ReadText(L"REINST_KEY", reinstallKey_, true);
    std::uint32_t value = 0;
    if (ReadNumber(L"SUCCESS_RET_VAL", value)) successValue_ = static_cast<std::int32_t>(value);
    hasSuccessText_ = ReadText(L"SUCCESS_RETURN", successText_, true);
    GetParameters();
}

void CItemInfo::GetParameters() {
    std::vector<std::wstring> lines;
    if (!context_.Files().Data().GetAllEntries(name_.c_str(), lines, false)) return;
    std::wstring install, uninstall, reinstall;
    for (const std::wstring& line : lines) {
        const std::size_t equals = line.find(L'=');
        if (equals == std::wstring::npos) continue;
        const std::wstring key(profile_text::TrimBlanks(std::wstring_view(line).substr(0, equals)));
        const std::wstring value(profile_text::TrimBlanks(std::wstring_view(line).substr(equals + 1)));
        if (value.empty()) continue;
        if (profile_text::EqualsNoCase(key, L"INST_PARAM")) install += value + L" ";
        else if (profile_text::EqualsNoCase(key, L"UNINST_PARAM")) uninstall += value + L" ";
        else if (profile_text::EqualsNoCase(key, L"REINST_PARAM")) reinstall += value + L" ";
    }
    for (std::wstring* text : {&install, &uninstall, &reinstall})
        if (!text->empty()) text->pop_back();
    installParameters_ = install;
    uninstallParameters_ = uninstall;
    reinstallParameters_ = reinstall;
}

void CItemInfo::GetPrinterKeys() {
    ReadText(L"PRINTER_NAME", printerName_, true);
    ReadText(L"DRIVER_NAME", driverName_, true);
    ReadText(L"SHARE_NAME", shareName_, true);
    const wchar_t* keys[4] = {L"INF_9X", L"INF_NT", L"INF_32", L"INF_64"};
    for (int family = 0; family < 4; ++family) {
        ReadText(keys[family], systemInf_[family], true);
        if (!FileExists(context_.ResolvePath(systemInf_[family], false))) systemInf_[family].clear();
    }
    std::uint32_t number = 0;
    defaultPrinter_ = ReadNumber(L"DEFAULT_PRINTER", number) && static_cast<std::int32_t>(number) > 0;
    number = 0;
    share_ = ReadNumber(L"SHARE_PRINTER", number) && static_cast<std::int32_t>(number) > 0;
    if (ReadNumber(L"INDEX", number)) driverIndex_ = static_cast<int>(number);
}

void CItemInfo::SetItemLang(std::uint32_t languageId) {
    GuardedOperation(
        false,
        [&]() {
            itemLanguage_ = languageId;
            if (!languageSection_.empty()) {
                const CConfigReader& data = context_.Files().Data();
                const std::uint32_t systemId = GetSystemDefaultLangID();
                for (const std::uint32_t id : {languageId, languageId & 0x3FFu, systemId, systemId & 0x3FFu}) {
                    std::uint32_t mapped = 0;
                    if (data.GetNumber(languageSection_.c_str(), LanguageKey(id).c_str(), mapped)) {
                        itemLanguage_ = mapped;
                        break;
                    }
                }
            }
            itemLanguageAbbreviation_ = context_.Language().Lookup(itemLanguage_, L"LANGUAGE_ABBR");
            itemLanguageDirectory_ = context_.Language().Lookup(itemLanguage_, L"LANGUAGE_DIR");
            return true;
        },
        L"GPF in CItemInfo::SetItemLang [%ls]", name_.c_str());
}

int CItemInfo::GetInstallType(const std::wstring& word) {
    const std::wstring upper = profile_text::FoldedUpper(profile_text::TrimBlanks(word));
    if (upper == L"ALL") return kAll;
    if (upper == L"CHK") return kChk;
    if (upper == L"UNCHK") return kUnchk;
    if (upper == L"GRAYCHK") return kGrayChk;
    if (upper == L"DEVCHK") return DeviceInstallType();
    return kNo;
}

int CItemInfo::DeviceInstallType() {
    if (deviceString_.empty()) return kUnchk;
    return GuardedOperation(
        int{kNo},
        [&]() {
            const CInstallTarget& target = context_.Target();
            int match = 0;
            if (!target.Ip().empty()) {
                match = CheckDeviceId(target.Ip().c_str(), deviceString_.c_str(), true);
            } else if (!target.Port().empty() && target.PortFound()) {
                match = CheckDeviceId(target.Port().c_str(), deviceString_.c_str(), false);
            } else {
                const CProgramInfo& program = context_.ProgramInfo();
                wchar_t port[260] = {};
                DWORD count = 0;
                if (context_.SupportLibrary().GetDevicePort(program.Manufacturer().c_str(), program.Model().c_str(),
                                                            program.VidPid().c_str(), port, &count) &&
                    static_cast<long>(count) > 0 && port[0] != L'\0')
                    match = CheckDeviceId(port, deviceString_.c_str(), false);
            }
            return match == 1 ? int{kChk} : match == 2 ? int{kNo} : int{kUnchk};
        },
        L"GPF in CItemInfo::GetInstallType[%ls]", name_.c_str());
}

int CItemInfo::GetItemState() {
    return GuardedOperation(
        installType_,
        [&]() {
            wchar_t recorded[CRegistry::kTextChars] = {};
            if (CRegistry::GetValue(context_.Roots().Installing().c_str(), L"Install_Type", recorded,
                                    HKEY_LOCAL_MACHINE) != ERROR_SUCCESS)
                return installType_;
            std::wstring word;
            if (!ReadText(recorded, word, true)) ReadText(L"DEFAULT_INST_TYPE", word, true);
            installType_ = GetInstallType(word);
            return installType_;
        },
        L"GPF in CItemInfo::GetItemState [%ls]", name_.c_str());
}

bool CItemInfo::CheckCommand(int kind, bool tryInf) {
    const std::wstring& command =
        kind == kInstall ? installCommand_ : kind == kUninstall ? uninstallCommand_ : reinstallCommand_;
    const std::wstring expanded = GetRealData(command, false);
    if (FileExists(expanded)) {
        if (successValue_ == -1) successValue_ = 0;
        return true;
    }
    GlobalLog().Print(L"[%ls](%d)  Command is not available", expanded.c_str(), kind);
    const std::wstring inf = ExpandedInf();
    if (!FileExists(inf)) {
        GlobalLog().Print(L"[%ls] Inf is not available", inf.c_str());
        return false;
    }
    if (!tryInf) return false;
    if (GetItemInfoFromInf()) return true;
    GlobalLog().Print(L"[%ls] Inf has wrong data", inf.c_str());
    return false;
}

bool CItemInfo::CheckItemCmd() {
    return GuardedOperation(
        false,
        [&]() {
            installValid_ = CheckCommand(kInstall, true);
            if (!installValid_ && !componentDirectory_.empty()) {
                const std::wstring& languageDirectory = context_.Language().Directory();
                const std::wstring& osDefine = context_.Target().OsDefine();
                GlobalLog().Print(L"Find Target (Dir[%ls],Class[%ls],Lang[%ls],OS[%ls]", componentDirectory_.c_str(),
                                  class_.c_str(), languageDirectory.c_str(), osDefine.c_str());
                TARGET_INFO target;
                const CCollector collector(context_.Files().Data(), context_.SourceDirectory());
                if (collector.FindTarget(componentDirectory_, class_, languageDirectory, osDefine, target)) {
                    installValid_ = true;
                    componentDirectory_ = target.directory;
                    if (target.kind == TARGET_INFO::kSetupProgram) {
                        installCommand_ = uninstallCommand_ = reinstallCommand_ = target.target;
                        if (successValue_ == -1) successValue_ = 0;
                    } else {
                        infFile_ = target.target;
                        if (target.kind == TARGET_INFO::kPrinterInf || target.kind == TARGET_INFO::kScannerInf) {
                            driverName_ = target.name;
                            printerName_ = target.name;
                        }
                        installValid_ = GetItemInfoFromInf();
                    }
                    GlobalLog().Print(L" ");
                    GlobalLog().Print(L"<==Target Found!!!!==>");
                    GlobalLog().Print(L"Target Name : [%ls]", target.name.c_str());
                    GlobalLog().Print(L"Target Dir  : [%ls]", target.directory.c_str());
                    GlobalLog().Print(L"Target      : [%ls]", target.target.c_str());
                } else {
                    GlobalLog().Print(L" <== No target was found!!! ==> ");
                }
            }
            installed_ = CheckInstallation();
            if (installed_) {
                wchar_t value[CRegistry::kTextChars] = {};
                if (!uninstallKey_.empty() &&
                    CRegistry::GetValue(context_.Roots().UninstallInfo().c_str(), uninstallKey_.c_str(), value,
                                        HKEY_LOCAL_MACHINE) == ERROR_SUCCESS &&
                    value[0] != L'\0')
                    uninstallValid_ = true;
                else
                    uninstallValid_ = CheckCommand(kUninstall, false);
                reinstallValid_ = CheckCommand(kReinstall, false);
            }
            return installValid_ || uninstallValid_ || reinstallValid_;
        },
        L"GPF in CItemInfo::CheckItemCmd [%ls]", name_.c_str());
}

bool CItemInfo::CheckInstallation(bool byPrinters) {
    return GuardedOperation(
        false,
        [&]() {
            if (IsPrinter()) return CUtl::IsPrinterDriverInstalled(driverName_.c_str(), byPrinters);
            if (!uninstallKey_.empty()) {
                wchar_t value[CRegistry::kTextChars] = {};
                return CRegistry::GetValue(context_.Roots().UninstallInfo().c_str(), uninstallKey_.c_str(), value,
                                           HKEY_LOCAL_MACHINE) == ERROR_SUCCESS;
            }
            DWORD installNow = 0;
            const std::wstring record = context_.Roots().Installed() + L"\\Items\\" + name_;
            return CRegistry::GetValue(record.c_str(), L"InstallNow", &installNow, HKEY_LOCAL_MACHINE) ==
                       ERROR_SUCCESS &&
                   installNow == 2;
        },
        L"GPF in CItemInfo::CheckInstallation [%ls]", name_.c_str());
}

bool CItemInfo::GetItemInfoFromInf() {
    return GuardedOperation(
        false,
        [&]() {
            const std::wstring inf = ExpandedInf();
            if (inf.empty()) {
                GlobalLog().Print(L"Invalid Inf File Name [%ls]", displayName_.c_str());
                return false;
            }
            inf_.Reset();
            if (!inf_.Init(inf.c_str(), driverIndex_, driverName_.empty() ? nullptr : driverName_.c_str()))
                return false;
            const std::wstring infDriver = inf_.GetDriverName();
            if (driverIndex_ == -1) driverIndex_ = inf_.GetSelectedIndex();
            if (driverName_.empty()) driverName_ = infDriver;
            if (printerName_.empty()) printerName_ = infDriver;
            if (modelName_.empty()) modelName_ = infDriver;
            universalDriver_ = inf_.IsUniDrv();
            class_ = inf_.GetInfClassName();
            return GetCommandFromItemType(class_);
        },
        L"GPF in CItemInfo::GetItemInfoFromInf [%ls]", name_.c_str());
}

bool CItemInfo::GetCommandFromItemType(const std::wstring& infClass) {
    const CConfigReader& data = context_.Files().Data();
    std::vector<std::wstring> types;
    if (!data.GetAllEntries(L"ITEM_TYPE_INFO", types, true)) {
        GlobalLog().Print(L"Invalid ITEM_TYPE_INFO !!!");
        return false;
    }
    std::wstring matched;
    for (const std::wstring& line : types) {
        const std::wstring type(profile_text::TrimBlanks(line));
        std::wstring typeClass;
        if (data.GetString(type.c_str(), L"CLASS", typeClass, true) && profile_text::EqualsNoCase(typeClass, infClass))
            matched = type;
    }
    std::wstring installer;
    if (matched.empty() || !data.GetString(matched.c_str(), L"INSTALLER", installer, false) ||
        !FileExists(GetRealData(installer, false))) {
        GlobalLog().Print(L"there is no matched inf installer section [%ls]", infClass.c_str());
        return false;
    }
    installCommand_ = uninstallCommand_ = reinstallCommand_ = installer;
    GlobalLog().Print(L"Install command : [%ls]", installCommand_.c_str());
    GlobalLog().Print(L"Uninstall command : [%ls]", uninstallCommand_.c_str());
    GlobalLog().Print(L"Reinstall command : [%ls]", reinstallCommand_.c_str());
    installParameters_.clear();
    uninstallParameters_.clear();
    reinstallParameters_.clear();
    data.GetString(matched.c_str(), L"INST_PARAM", installParameters_, false);
    data.GetString(matched.c_str(), L"UNINST_PARAM", uninstallParameters_, false);
    data.GetString(matched.c_str(), L"REINST_PARAM", reinstallParameters_, false);
    std::uint32_t value = 0;
    if (successValue_ == -1 && data.GetNumber(matched.c_str(), L"SUCCESS_RET_VAL", value))
        successValue_ = static_cast<std::int32_t>(value);
    if (IsPrinter()) {
        for (std::wstring* parameters : {&installParameters_, &uninstallParameters_, &reinstallParameters_})
            item_text::ModifyPrinterParameters(*parameters, driverIndex_, driverName_);
    } else if (IsScanner()) {
        ModifyScannerParameters();
    }
    commandFromItemType_ = true;
    return true;
}

void CItemInfo::ModifyScannerParameters() {
    const int index = inf_.GetSelectedIndex();
    const std::wstring driver = item_text::TrimQuoted(inf_.GetDriverName());

    std::wstring value;
    if (item_text::OptionValue(installParameters_, L'I', value)) {
        wchar_t name[260] = {};
        const int given = value.empty() ? -1 : _wtoi(value.c_str());
        if (given < 0 || !inf_.GetDriverNameByIndex(given, name, 260)) {
            item_text::RemoveOption(installParameters_, L'I');
            GlobalLog().Print(L"Modify Scan drv Install Param : %d index was invalid so the parameter was removed",
                              given);
        }
    }
    if (!item_text::OptionValue(installParameters_, L'I', value) && index != -1 && index != 0) {
        const std::wstring added = L" /I" + std::to_wstring(index);
        installParameters_ += added;
        GlobalLog().Print(L"Modify Scan drv Install Param : Add (%ls)", added.c_str());
    }
    if (item_text::OptionValue(uninstallParameters_, L'U', value) && inf_.GetDriverIndex(value.c_str()) == -1) {
        item_text::RemoveOption(uninstallParameters_, L'U');
        GlobalLog().Print(L"Modify Scan drv Uninstall Param : /U\"%ls\" was invalid so the parameter was removed",
                          value.c_str());
    }
    if (!item_text::OptionValue(uninstallParameters_, L'U', value) && !driver.empty()) {
        const std::wstring added = L" /U\"" + driver + L"\"";
        uninstallParameters_ += added;
        GlobalLog().Print(L"Modify Scan drv Uninstall Param : Add (%ls)", added.c_str());
    }
    installParameters_ = Clipped(installParameters_);
    uninstallParameters_ = Clipped(uninstallParameters_);
}

void CItemInfo::CheckPrinterInformation() {
    GuardedOperation(
        false,
        [&]() {
            const CConfigReader& data = context_.Files().Data();
            std::wstring unsupported;
            data.GetString(L"SYSTEM_REQUIREMENT", L"UNSUPPORTED_OS", unsupported, true);
            const CCollector collector(data, context_.SourceDirectory());
            for (int family = 0; family < 4; ++family) {
                const PRINTER_FAMILY& system = kPrinterFamilies[family];
                std::wstring osDefine;
                if (!data.GetString(L"OS_DEFINE", system.osDefine, osDefine, true)) continue;
                if (!unsupported.empty() && CUtl::IsInCommaList(unsupported.c_str(), osDefine.c_str(), L","))
                    continue;
                TARGET_INFO target;
                if (collector.FindTarget(configuredDirectory_, class_, itemLanguageDirectory_, osDefine, target,
                                         system.osCode, system.is64Bit) &&
                    target.kind == TARGET_INFO::kPrinterInf)
                    systemInf_[family] = target.target;
            }
            if (shareName_.empty())
                shareName_ = item_text::ShareNameOf(driverName_, context_.ProgramInfo().Manufacturer());
            return true;
        },
        L"GPF in CItemInfo::CheckPrinterInformation [%ls]", name_.c_str());
}

void CItemInfo::ModifyDisplayNameAndDescription() {
    for (std::wstring* text : {&displayName_, &installDescription_, &removeDescription_, &repairDescription_})
        *text = item_text::WithModelName(*text, modelName_);
}

void CItemInfo::ShowItemInfo() const {
    CLog& log = GlobalLog();
    const std::wstring line(84, L'-');
    log.Print(L" ");
    log.Print(L" ");
    log.Print(L"======= [%ls] Item Information =========", name_.c_str());
    log.Print(L" ");
    log.Print(L" Installation Valid : [%d] ", installValid_ ? 1 : 0);
    log.Print(L" Uninstallation Valid : [%d] ", uninstallValid_ ? 1 : 0);
    log.Print(L" Reinstallation Valid : [%d] ", reinstallValid_ ? 1 : 0);
    log.Print(L" Item Installed : [%d] ", installed_ ? 1 : 0);
    log.Print(L" ");
    log.Print(L"Class = [%ls]", class_.c_str());
    log.Print(L"Component Directory = [%ls]", componentDirectory_.c_str());
    log.Print(L"Device String = [%ls]", deviceString_.c_str());
    log.Print(L"Display Name = [%ls]", displayName_.c_str());
    log.Print(L"Install Description = [%ls]", installDescription_.c_str());
    log.Print(L"Remove Description = [%ls]", removeDescription_.c_str());
    log.Print(L"Repair Description = [%ls]", repairDescription_.c_str());
    log.Print(L"Tooltip = [%ls]", tooltip_.c_str());
    log.Print(L"Unsupported OS = [%ls]", unsupportedOs_.c_str());
    log.Print(L"Copy File = [%d]", copyAlways_ ? 1 : 0);
    log.Print(L"Copy File (Selected) = [%d]", copyWhenSelected_ ? 1 : 0);
    log.Print(L"Install Type = [%d]", installType_);
    log.Print(L"%ls", line.c_str());
    log.Print(L"Inf = [%ls]", infFile_.c_str());
    log.Print(L"TargetInf = [%ls]", destinationInf_.c_str());
    log.Print(L"Install Command = [%ls]", installCommand_.c_str());
    log.Print(L"Install Parameter = [%ls]", installParameters_.c_str());
    log.Print(L"Uninstall Command = [%ls]", uninstallCommand_.c_str());
    log.Print(L"Uninstall Parameter = [%ls]", uninstallParameters_.c_str());
    log.Print(L"Uninstall Key = [%ls]", uninstallKey_.c_str());
    log.Print(L"Reinstall Command = [%ls]", reinstallCommand_.c_str());
    log.Print(L"Reinstall Parameter = [%ls]", reinstallParameters_.c_str());
    log.Print(L"Reinstall Key = [%ls]", reinstallKey_.c_str());
    log.Print(L"Success Return = [%d]", static_cast<int>(successValue_));
    log.Print(L"%ls", line.c_str());
    log.Print(L"LangID = [0X%04X]", static_cast<unsigned>(itemLanguage_));
    log.Print(L"Lang Abbr = [%ls]", itemLanguageAbbreviation_.c_str());
    log.Print(L"Lang Dir = [%ls]", itemLanguageDirectory_.c_str());
    log.Print(L"Lang Section = [%ls]", languageSection_.c_str());
    if (IsPrinter()) {
        log.Print(L"Driver name = [%ls]", driverName_.c_str());
        log.Print(L"Printer name = [%ls]", printerName_.c_str());
        log.Print(L"Share name = [%ls]", shareName_.c_str());
        log.Print(L"Win9x Inf = [%ls]", systemInf_[0].c_str());
        log.Print(L"WinNT Inf = [%ls]", systemInf_[1].c_str());
        log.Print(L"Win32 Inf = [%ls]", systemInf_[2].c_str());
        log.Print(L"Win64 Inf = [%ls]", systemInf_[3].c_str());
        log.Print(L"Driver Index = [%d]", driverIndex_);
        log.Print(L"Share option = [%d]", share_ ? 1 : 0);
        log.Print(L"Default = [%d]", defaultPrinter_ ? 1 : 0);
        log.Print(L"Uni Drv = [%d]", universalDriver_ ? 1 : 0);
    }
    log.Print(L"%ls", line.c_str());
    log.Print(L" ");
    log.Print(L" ");
}
