#pragma once
// One component of the medium (an "item"): a printer or scanner driver, or a
// utility with its own installer, described by the data file's section of its
// name. CItemInfo reads that section, decides whether the component can be
// offered here, works out how it is installed, removed and repaired (from the
// section, from its INF file, or from an installer found below its directory),
// tells whether it is installed, and writes its records for the installer
// library.

#include <cstdint>
#include <string>

#include "InfInfo.h"

class CSetupContext;

class CItemInfo {
public:
    // Install types.
    enum InstallType : int { kNo = 0, kAll = 1, kChk = 2, kUnchk = 3, kGrayChk = 4 };
    // Kinds of commands.
    enum CommandKind : int { kInstall = 0, kUninstall = 1, kReinstall = 2 };

    explicit CItemInfo(CSetupContext& context);
    virtual ~CItemInfo();
    CItemInfo(const CItemInfo&) = delete;
    CItemInfo& operator=(const CItemInfo&) = delete;

    // Loads the component of section |name|; true when it can be offered here.
    bool LoadItem(const std::wstring& name);

    // |text| with path variables expanded in the component's language; with
    // |withInf| also $INF$, $SRC_INF$ and $DEST_INF$.
    std::wstring GetRealData(const std::wstring& text, bool withInf) const;
    // "$SRC_DIR$" as "$DEST_INST_DIR$", then the medium's directory as the install directory.
    std::wstring ConvertToDestination(const std::wstring& path) const;

    // The number of an install type word ("ALL", "DEVCHK", ...).
    int GetInstallType(const std::wstring& word);
    // The install type for the recorded Install_Type, when there is one.
    int GetItemState();
    // Sets the component's language for the run's |languageId|.
    void SetItemLang(std::uint32_t languageId);

    bool IsPrinter() const;
    bool IsScanner() const;

    // Installed now (asks the system again): a printer by its driver (or by
    // an installed printer of that driver with |byPrinters|), else by its
    // uninstall value or its installed record.
    bool CheckInstallation(bool byPrinters = false);

    // Records under the installing root.
    bool WriteItemInfo(const std::wstring& port);
    bool WriteCopyFileInfo();
    // Deletes the component's record under the installed root.
    bool DeleteInstallKey();

    // Accessors.
    const std::wstring& Name() const { return name_; }
    bool Selected() const { return selected_; }
    void SetSelected(bool selected) { selected_ = selected; }
    bool Installed() const { return installed_; }
    void SetInstalled(bool installed) { installed_ = installed; }
    int InstallTypeValue() const { return installType_; }
    const std::wstring& DisplayName() const { return displayName_; }
    const std::wstring& InstallDescription() const { return installDescription_; }
    const std::wstring& RemoveDescription() const { return removeDescription_; }
    const std::wstring& RepairDescription() const { return repairDescription_; }
    const std::wstring& Tooltip() const { return tooltip_; }
    const std::wstring& ComponentDirectory() const { return componentDirectory_; }
    const std::wstring& ConfiguredDirectory() const { return configuredDirectory_; }
    const std::wstring& ClassName() const { return class_; }
    const std::wstring& DeviceString() const { return deviceString_; }
    const std::wstring& InstallCommand() const { return installCommand_; }
    const std::wstring& InstallParameters() const { return installParameters_; }
    const std::wstring& UninstallCommand() const { return uninstallCommand_; }
    const std::wstring& UninstallParameters() const { return uninstallParameters_; }
    const std::wstring& ReinstallCommand() const { return reinstallCommand_; }
    const std::wstring& ReinstallParameters() const { return reinstallParameters_; }
    const std::wstring& UninstallKey() const { return uninstallKey_; }
    const std::wstring& ReinstallKey() const { return reinstallKey_; }
    const std::wstring& InfFile() const { return infFile_; }
    const std::wstring& DestinationInf() const { return destinationInf_; }
    const std::wstring& PrinterName() const { return printerName_; }
    const std::wstring& DriverName() const { return driverName_; }
    const std::wstring& ShareName() const { return shareName_; }
    const std::wstring& ModelName() const { return modelName_; }
    // The INF for Windows 9x, NT 4, 32-bit and 64-bit systems (0 to 3).
    const std::wstring& SystemInf(int family) const { return systemInf_[family]; }
    int DriverIndex() const { return driverIndex_; }
    std::int32_t SuccessValue() const { return successValue_; }
    bool HasSuccessText() const { return hasSuccessText_; }
    const std::wstring& SuccessText() const { return successText_; }
    bool Share() const { return share_; }
    bool DefaultPrinter() const { return defaultPrinter_; }
    void SetDefaultPrinterFlag(bool on) { defaultPrinter_ = on; }
    bool UniversalDriver() const { return universalDriver_; }
    bool CopyAlways() const { return copyAlways_; }
    bool CopyWhenSelected() const { return copyWhenSelected_; }
    std::uint32_t ItemLanguage() const { return itemLanguage_; }
    const std::wstring& ItemLanguageAbbreviation() const { return itemLanguageAbbreviation_; }
    const std::wstring& ItemLanguageDirectory() const { return itemLanguageDirectory_; }
    bool InstallValid() const { return installValid_; }
    bool UninstallValid() const { return uninstallValid_; }
    bool ReinstallValid() const { return reinstallValid_; }
    bool CommandFromItemType() const { return commandFromItemType_; }
    int PrinterSlot() const { return printerSlot_; }
    void SetPrinterSlot(int slot) { printerSlot_ = slot; }

private:
    bool GetItemInfo();
    void GetItemCommand();
    void GetParameters();
    void GetPrinterKeys();
    bool CheckItemCmd();
    bool CheckCommand(int kind, bool tryInf);
    bool GetItemInfoFromInf();
    bool GetCommandFromItemType(const std::wstring& infClass);
    void ModifyScannerParameters();
    void CheckPrinterInformation();
    void ModifyDisplayNameAndDescription();
    void ShowItemInfo() const;
    int DeviceInstallType();

    // A text key of the section: "<key>.<OS define>" first, then the key.
    bool ReadText(const wchar_t* key, std::wstring& out, bool expand) const;
    bool ReadNumber(const wchar_t* key, std::uint32_t& out) const;
    bool FileExists(const std::wstring& path) const;
    std::wstring ExpandedInf() const { return GetRealData(infFile_, false); }

    CSetupContext& context_;
    std::wstring name_;
    bool selected_ = false;
    bool installed_ = false;
    std::wstring displayName_, installDescription_, removeDescription_, repairDescription_, tooltip_;
    std::wstring componentDirectory_;
    bool copyAlways_ = false;
    bool copyWhenSelected_ = false;
    std::wstring unsupportedOs_;
    int installType_ = kNo;
    std::wstring deviceString_;
    std::wstring class_;
    std::wstring configuredDirectory_;
    std::wstring installCommand_, installParameters_;
    std::wstring uninstallCommand_, uninstallParameters_;
    std::wstring reinstallCommand_, reinstallParameters_;
    std::wstring uninstallKey_, reinstallKey_;
    std::wstring infFile_;
    std::wstring destinationInf_;
    std::int32_t successValue_ = -1;
    std::wstring successText_;
    bool hasSuccessText_ = false;
    std::wstring printerName_, driverName_, shareName_;
    std::wstring systemInf_[4];
    int driverIndex_ = -1;
    bool share_ = false;
    bool defaultPrinter_ = false;
    bool universalDriver_ = false;
    std::uint32_t itemLanguage_ = 9;
    std::wstring itemLanguageAbbreviation_, itemLanguageDirectory_;
    std::wstring languageSection_;
    bool commandFromItemType_ = false;
    std::wstring modelName_;
    CInfInfo inf_;
    bool installValid_ = false;
    bool uninstallValid_ = false;
    bool reinstallValid_ = false;
    int printerSlot_ = -1;
};
