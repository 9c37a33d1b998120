#pragma once
// The components of the run, in the order the data file lists them: loading
// them, the questions pages and commands ask about them, and the registry
// records from which the installer library installs them and later runs and
// the uninstaller learn what was installed.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ItemInfo.h"

class CMyPrinter;
class CSetupContext;

class CItem {
public:
    // Runs a command through the wizard (type, parameter 1); its result.
    using RunCommandFunction = std::function<bool(const std::wstring& type, const std::wstring& param1)>;

    CItem(CSetupContext& context, CMyPrinter& printers);
    virtual ~CItem();
    CItem(const CItem&) = delete;
    CItem& operator=(const CItem&) = delete;

    void SetRunCommand(RunCommandFunction run) { runCommand_ = std::move(run); }

    // Loads the components listed in |itemSection| ("ITEM_INFO" when empty);
    // |progress| (may be null) is told how far loading is. False when the
    // section cannot be read.
    bool Init(const std::wstring& itemSection = L"", HWND progress = nullptr);
    bool Refresh(HWND progress = nullptr);

    // The number of valid (loaded) components.
    int GetCount() const { return static_cast<int>(items_.size()); }
    // The component at |index|; an empty component outside the list.
    CItemInfo& GetItem(int index);
    int GetItemIndex(const std::wstring& name) const;
    int GetItemState(int index);

    bool WriteItemInfo();
    // Every record of an installation: components, their copies, the
    // configured copies, the shortcuts, then the printer list.
    bool WriteAllRecords(bool selectedOnly = true);
    bool SetPrinterInfo(bool selectedOnly);
    bool WriteDefaultCopyFileInfo();
    bool WriteCopyFileInfo(const std::wstring& section);
    bool WriteShortcutInfo();
    bool WriteAShortcutInfo(const std::wstring& section);

    bool IsthereInstalledItem();
    bool IsAnyInstalled();
    bool DeleteItemRecord(int index);
    bool WriteFailItem(int index);
    int GetFailCount() const;
    std::wstring GetFailItemName(int number);
    int ClearSelection();
    bool SetDeleteAll();
    bool AddUninstallEntry();
    bool RemoveUninstallEntry();
    bool SaveInstalledRecords();

    int GetShortcutCount() const { return static_cast<int>(shortcuts_.size()); }
    std::wstring GetShortcutName(int index) const;
    const std::wstring& ItemSection() const { return itemSection_; }
    const std::wstring& UninstallEntrySection() const { return uninstallEntrySection_; }

private:
    void FindAndSetDefaultPrinter();

    CSetupContext& context_;
    CMyPrinter& printers_;
    RunCommandFunction runCommand_;
    std::vector<std::unique_ptr<CItemInfo>> items_;
    std::vector<std::wstring> shortcuts_;
    std::wstring itemSection_ = L"ITEM_INFO";
    std::wstring uninstallEntrySection_ = L"ADD_REG.UNINSTKEY";
    std::unique_ptr<CItemInfo> empty_;
};
