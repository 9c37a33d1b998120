#include "Item.h"

#include "CarryOverHistory.h"
#include "Guarded.h"
#include "InstalledRecords.h"
#include "ItemText.h"
#include "Log.h"
#include "MyPrinter.h"
#include "PrinterData.h"
#include "ProfileText.h"
#include "Registry.h"
#include "SetupContext.h"

namespace {

// The progress window spreads a share of its bar over the components.
constexpr UINT kProgressMessage = WM_USER + 1019;

bool HasText(const std::wstring& key, const wchar_t* name, HKEY root = HKEY_LOCAL_MACHINE) {
    wchar_t text[CRegistry::kTextChars] = {};
    return CRegistry::GetValue(key.c_str(), name, text, root) == ERROR_SUCCESS && text[0] != L'\0';
}

std::wstring TextOf(const std::wstring& key, const wchar_t* name, bool& present) {
    wchar_t text[CRegistry::kTextChars] = {};
    present = CRegistry::GetValue(key.c_str(), name, text, HKEY_LOCAL_MACHINE) == ERROR_SUCCESS;
    return present ? std::wstring(text) : std::wstring();
}

}  // namespace

CItem::CItem(CSetupContext& context, CMyPrinter& printers)
    : context_(context), printers_(printers), empty_(std::make_unique<CItemInfo>(context)) {}

CItem::~CItem() = default;

bool CItem::Init(const std::wstring& itemSection, HWND progress) {
    return GuardedOperation(
        false,
        [&]() {
            itemSection_ = itemSection.empty() ? std::wstring(L"ITEM_INFO") : itemSection;
            std::vector<std::wstring> names;
            if (!context_.Files().Data().GetAllEntries(itemSection_.c_str(), names, true)) {
                itemSection_.clear();
                return false;
            }
            if (progress != nullptr)
                SendMessageW(progress, kProgressMessage, context_.Options().PrecreateDlg() ? 10 : 70,
                             static_cast<LPARAM>(names.size()));
            for (const std::wstring& line : names) {
                const std::wstring name(profile_text::TrimBlanks(line));
                auto item = std::make_unique<CItemInfo>(context_);
                if (item->LoadItem(name)) {
                    if (!context_.Options().VodaGiven() && item->IsPrinter() &&
                        profile_text::FoldedUpper(item->DriverName()).find(L" PCL") != std::wstring::npos &&
                        !context_.Options().Voda()) {
                        context_.Options().SetVoda(true);
                        GlobalLog().Print(L"VODA Option is ON");
                    }
                    items_.push_back(std::move(item));
                }
                if (progress != nullptr) {
                    SendMessageW(progress, kProgressMessage, 0, 0);
                    UpdateWindow(progress);
                }
            }
            if (!context_.Files().Data().GetString(L"PROGRAM_INFO", L"OS_UNINST_REG_KEY", uninstallEntrySection_,
                                                   true) ||
                uninstallEntrySection_.empty())
                uninstallEntrySection_ = L"ADD_REG.UNINSTKEY";
            FindAndSetDefaultPrinter();
            return true;
        },
        L"GPF occurred in CItem::Init!!!");
}

bool CItem::Refresh(HWND progress) {
    items_.clear();
    return Init(L"", progress);
}

CItemInfo& CItem::GetItem(int index) {
    if (index < 0 || index >= GetCount()) return *empty_;
    return *items_[static_cast<std::size_t>(index)];
}

int CItem::GetItemIndex(const std::wstring& name) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (profile_text::EqualsNoCase(items_[i]->Name(), name)) return static_cast<int>(i);
    return -1;
}

int CItem::GetItemState(int index) {
    if (index < 0 || index >= GetCount()) return 0;
    return items_[static_cast<std::size_t>(index)]->GetItemState();
}

void CItem::FindAndSetDefaultPrinter() {
    CItemInfo* firstPlain = nullptr;
    CItemInfo* firstPcl6 = nullptr;
    bool chosen = false;
    for (const auto& item : items_) {
        if (!item->IsPrinter()) continue;
        if (item->DefaultPrinter()) return;
        const std::wstring driver = profile_text::FoldedUpper(item->DriverName());
        if (driver.find(L" PCL 6") != std::wstring::npos) {
            if (firstPcl6 == nullptr) firstPcl6 = item.get();
        } else if (driver.find(L" PS") == std::wstring::npos) {
            if (firstPlain == nullptr) firstPlain = item.get();
        }
        if (chosen) continue;
        CItemInfo* pick = firstPlain != nullptr ? firstPlain : firstPcl6;
        if (pick == nullptr) continue;
        pick->SetDefaultPrinterFlag(true);
        GlobalLog().Print(L"%ls driver was set as default printer", pick->PrinterName().c_str());
        chosen = true;
    }
}

bool CItem::WriteItemInfo() {
    return GuardedOperation(
        false,
        [&]() {
            for (std::size_t i = 0; i < items_.size(); ++i) {
                std::wstring port;
                printers_.GetPortByComponent(static_cast<int>(i), &port);
                items_[i]->WriteItemInfo(port);
            }
            return true;
        },
        L"GPF occurrred in CItem::WriteItemInfo!!!");
}

bool CItem::WriteAllRecords(bool selectedOnly) {
    return GuardedOperation(
        false,
        [&]() {
            WriteItemInfo();
            for (const auto& item : items_) item->WriteCopyFileInfo();
            WriteDefaultCopyFileInfo();
            WriteShortcutInfo();
            SetPrinterInfo(selectedOnly);
            return true;
        },
        L"GPF occurrred in CItem::WriteAllRecords!!!");
}

bool CItem::SetPrinterInfo(bool selectedOnly) {
    return GuardedOperation(
        false,
        [&]() {
            printers_.ClearPrinterData();
            const CInstallTarget& target = context_.Target();
            for (std::size_t i = 0; i < items_.size(); ++i) {
                CItemInfo& item = *items_[i];
                if (!item.IsPrinter()) continue;
                const int type = item.InstallTypeValue();
                if (selectedOnly && type != CItemInfo::kAll && type != CItemInfo::kChk && type != CItemInfo::kGrayChk)
                    continue;
                PrinterData record;
                record.installedName = item.DriverName();
                record.printerName = item.PrinterName();
                record.shareName = item.ShareName();
                record.infPath = item.DestinationInf();
                record.defaultPrinter = item.DefaultPrinter();
                record.sharePrinter = item.Share();
                record.port = target.Port();
                record.setPort = target.PortGiven();
                record.componentIndex = static_cast<std::int32_t>(i);
                if (printers_.AddPrinterData(record)) item.SetPrinterSlot(printers_.GetPrinterCount() - 1);
            }
            return true;
        },
        L"GPF occurrred in CItem::SetPrinterInfo!!!");
}

bool CItem::WriteDefaultCopyFileInfo() {
    return GuardedOperation(
        false,
        [&]() {
            std::vector<std::wstring> sections;
            if (!context_.Files().Command().GetAllEntries(L"COPY_FILE_INFO", sections, true)) return false;
            for (const std::wstring& line : sections) WriteCopyFileInfo(std::wstring(profile_text::TrimBlanks(line)));
            return true;
        },
        L"GPF occurrred in CItem::WriteDefaultCopyFileInfo!!!");
}

bool CItem::WriteCopyFileInfo(const std::wstring& section) {
    return GuardedOperation(
        false,
        [&]() {
            const CConfigReader& commands = context_.Files().Command();
            const std::wstring variant = section + L"." + context_.Target().OsDefine();
            const std::wstring used = commands.HasSection(variant.c_str()) ? variant : section;
            const std::wstring key = context_.Roots().Installing() + L"\\CopyFiles\\" + used;
            const struct {
                const wchar_t* from;
                const wchar_t* to;
            } texts[] = {{L"DESCRIPTION", L"Description"}, {L"SOURCE", L"Src"}, {L"DESTINATION", L"Dest"}};
            for (const auto& text : texts) {
                std::wstring value;
                if (commands.GetString(used.c_str(), text.from, value, true))
                    CRegistry::SetValue(key.c_str(), text.to, value.c_str(), HKEY_LOCAL_MACHINE);
            }
            std::uint32_t number = 0;
            if (commands.GetNumber(used.c_str(), L"COPY_SUBDIR", number))
                CRegistry::SetValue(key.c_str(), L"CopySubDir", static_cast<DWORD>(number), HKEY_LOCAL_MACHINE);
            number = 1;
            if (!commands.GetNumber(used.c_str(), L"DELETE", number)) number = 1;
            CRegistry::SetValue(key.c_str(), L"Delete", static_cast<DWORD>(number), HKEY_LOCAL_MACHINE);
            return true;
        },
        L"GPF occurrred in CItem::WriteCopyFileInfo!!!");
}

bool CItem::WriteShortcutInfo() {
    return GuardedOperation(
        false,
        [&]() {
            shortcuts_.clear();
            std::vector<std::wstring> sections;
            if (!context_.Files().Data().GetAllEntries(L"SHORTCUT_INFO", sections, true)) return false;
            for (const std::wstring& line : sections) WriteAShortcutInfo(std::wstring(profile_text::TrimBlanks(line)));
            return true;
        },
        L"GPF occurrred in CItem::WriteShortcutInfo!!!");
}

bool CItem::WriteAShortcutInfo(const std::wstring& section) {
    return GuardedOperation(
        false,
        [&]() {
            const CConfigReader& commands = context_.Files().Command();
            std::wstring name;
            if (!commands.GetString(section.c_str(), L"NAME", name, true)) return false;
            const std::wstring key = context_.Roots().Installing() + L"\\Shortcut\\" + section;
            const auto text = [&](const wchar_t* from) {
                std::wstring value;
                commands.GetString(section.c_str(), from, value, true);
                return value;
            };
            const auto number = [&](const wchar_t* from, DWORD fallback) {
                std::uint32_t value = 0;
                return commands.GetNumber(section.c_str(), from, value) ? static_cast<DWORD>(value) : fallback;
            };
            const std::wstring target = text(L"TARGET");
            std::wstring startIn;
            if (!commands.GetString(section.c_str(), L"START_IN", startIn, true)) {
                startIn = item_text::TrimQuoted(target);
                const std::size_t slash = startIn.find_last_of(L'\\');
                if (slash != std::wstring::npos) startIn.resize(slash);
            }
            const auto set = [&](const wchar_t* value, const std::wstring& content) {
                CRegistry::SetValue(key.c_str(), value, content.c_str(), HKEY_LOCAL_MACHINE);
            };
            const auto setNumber = [&](const wchar_t* value, DWORD content) {
                CRegistry::SetValue(key.c_str(), value, content, HKEY_LOCAL_MACHINE);
            };
            set(L"Name", name);
            set(L"Target", target);
            set(L"Start_in", startIn);
            set(L"Argument", text(L"ARGUMENT"));
            set(L"Icon_File", text(L"ICON_FILE"));
            set(L"Folder_Name", text(L"FOLDER_NAME"));
            setNumber(L"Icon_Index", number(L"ICON_INDEX", 0));
            setNumber(L"Permission", number(L"PERMISSION", 0));
            setNumber(L"Group", profile_text::EqualsNoCase(profile_text::TrimBlanks(text(L"GROUP")), L"DESKTOP") ? 1 : 0);
            set(L"Icon_Description", text(L"DESCRIPTION"));
            setNumber(L"Delete", number(L"DELETE", 1));
            shortcuts_.push_back(section);
            return true;
        },
        L"GPF occurrred in CItem::WriteAShortcutInfo!!!");
}

std::wstring CItem::GetShortcutName(int index) const {
    if (index < 0 || index >= GetShortcutCount()) return {};
    return shortcuts_[static_cast<std::size_t>(index)];
}

bool CItem::IsthereInstalledItem() {
    return GuardedOperation(
        false,
        [&]() {
            if (!HasText(context_.Roots().Installed(), L"Dest_Dir")) return false;
            for (const auto& item : items_)
                if (item->Installed()) return true;
            return false;
        },
        L"GPF occurrred in CItem::IsthereInstalledItem!!!");
}

bool CItem::IsAnyInstalled() {
    return GuardedOperation(
        false,
        [&]() {
            for (const auto& item : items_) {
                item->SetInstalled(item->CheckInstallation(true));
                if (item->Installed()) return true;
            }
            return false;
        },
        L"GPF occurrred in CItem::IsAnyInstalled!!!");
}

bool CItem::DeleteItemRecord(int index) {
    if (index < 0 || index >= GetCount()) return false;
    return items_[static_cast<std::size_t>(index)]->DeleteInstallKey();
}

bool CItem::WriteFailItem(int index) {
    return GuardedOperation(
        false,
        [&]() {
            if (index < 0 || index >= GetCount()) return false;
            const std::wstring key = context_.Roots().Installing() + L"\\InstallFail";
            DWORD count = 0;
            if (CRegistry::GetValue(key.c_str(), L"Count", &count, HKEY_LOCAL_MACHINE) != ERROR_SUCCESS) count = 0;
            CRegistry::SetValue(key.c_str(), L"Count", count + 1, HKEY_LOCAL_MACHINE);
            CRegistry::SetValue(key.c_str(), std::to_wstring(count).c_str(),
                                items_[static_cast<std::size_t>(index)]->Name().c_str(), HKEY_LOCAL_MACHINE);
            return true;
        },
        L"GPF occurrred in CItem::WriteFailItem!!!");
}

int CItem::GetFailCount() const {
    DWORD count = 0;
    const std::wstring key = context_.Roots().Installing() + L"\\InstallFail";
    if (CRegistry::GetValue(key.c_str(), L"Count", &count, HKEY_LOCAL_MACHINE) != ERROR_SUCCESS) return 0;
    return static_cast<int>(count);
}

std::wstring CItem::GetFailItemName(int number) {
    bool present = false;
    const std::wstring name =
        TextOf(context_.Roots().Installing() + L"\\InstallFail", std::to_wstring(number).c_str(), present);
    const int index = present ? GetItemIndex(name) : -1;
    return index < 0 ? std::wstring() : GetItem(index).DisplayName();
}

int CItem::ClearSelection() {
    for (const auto& item : items_) item->SetSelected(false);
    return GetCount();
}

bool CItem::SetDeleteAll() {
    return GuardedOperation(
        false,
        [&]() {
            for (std::size_t i = 0; i < items_.size(); ++i) {
                if (!items_[i]->Installed()) continue;
                items_[i]->SetSelected(true);
                std::wstring port;
                printers_.GetPortByComponent(static_cast<int>(i), &port);
                items_[i]->WriteItemInfo(port);
            }
            return runCommand_ && runCommand_(L"CT_SET_SETUP_TYPE", L"UNINST");
        },
        L"GPF occurrred in CItem::SetDeleteAll!!!");
}

bool CItem::AddUninstallEntry() { return runCommand_ && runCommand_(L"CT_ADDREG", uninstallEntrySection_); }

bool CItem::RemoveUninstallEntry() { return runCommand_ && runCommand_(L"CT_DELREG", uninstallEntrySection_); }

bool CItem::SaveInstalledRecords() {
    return GuardedOperation(
        false,
        [&]() {
            const CRegistryRoots& roots = context_.Roots();
            CRegistry::CopyKey(roots.Installing().c_str(), roots.Installed().c_str(), false, HKEY_LOCAL_MACHINE,
                               HKEY_LOCAL_MACHINE);
            for (const auto& item : items_) CarryInstalledRecord(roots, item->Name());
            for (const std::wstring& shortcut : shortcuts_) {
                CRegistry::CopyKey((roots.Installing() + L"\\Shortcut\\" + shortcut).c_str(),
                                   (roots.Installed() + L"\\Shortcut\\" + shortcut).c_str(), false,
                                   HKEY_LOCAL_MACHINE, HKEY_LOCAL_MACHINE);
            }
            CarryOverHistory(roots.InstallingHistory().c_str(), roots.InstalledHistory().c_str());
            return true;
        },
        L"GPF occurrred in CItem::SaveInstalledRecords!!!");
}
