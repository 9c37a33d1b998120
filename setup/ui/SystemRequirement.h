#pragma once
// The minimum requirements checked before a first installation starts: enough
// free space on the destination's disk, a running system that the product does
// not exclude, and, for products connected only by USB, a system that can
// reach USB devices. Each failure is shown to the user in one message and
// reported as false; the caller then ends the program.
//
// The values come from section "SYSTEM_REQUIREMENT" of the data file (texts
// with path variables expanded), read when the object is constructed:
//
//   key                    form                                   absent
//   FREE_SPACE             unsigned number, megabytes             0
//   UNSUPPORTED_OS         OS define strings separated by spaces  empty
//                          or commas; each may be quoted
//   MSG_NOT_SUPPORTED_OS   text                                   kDefaultSystemMessage
//   MSG_NO_FREE_SPACE      text; its first "%s" becomes the       kDefaultSpaceMessage
//                          required space ("300MB"), "%%" a "%",
//                          anything else stays as written
//   MSG_USB_NOT_AVAILABLE  text                                   kDefaultUsbMessage
//
// Texts are kept to 8191 characters. Without the section nothing is read and
// every check passes.

#include <cstdint>
#include <string>

#include "RequirementSystem.h"

class CConfigReader;

// What the check is told about the installation and the running system.
struct REQUIREMENT_FACTS {
    std::wstring osDefine;        // the running system's OS define string
    std::wstring destinationDir;  // the start-up check tests the free space of its disk
    std::wstring programName;     // caption of the messages
    std::wstring manufacturer;    // MFG, MDL and VIDPID of PROGRAM_INFO, for the device check
    std::wstring model;
    std::wstring vidPid;
};

class CSystemRequirement {
public:
    static constexpr const wchar_t* kSection = L"SYSTEM_REQUIREMENT";
    static constexpr const wchar_t* kDefaultSystemMessage =
        L"This Windows Version is not supported.\r\nThe Setup program will be terminated.";
    static constexpr const wchar_t* kDefaultSpaceMessage =
        L"The available Disk space is not enough. Please increase available disk space about \"%s\" and try "
        L"again.";
    static constexpr const wchar_t* kDefaultUsbMessage =
        L"USB Devic is not available. Please check the configuration of system and BIOS then USB device as "
        L"available status and try again.";
    static constexpr std::size_t kTextChars = 8192;

    // The messages of ShowRequirementMessage.
    enum MessageKind : int { kSpaceMessage = 1, kSystemMessage = 2, kUsbMessage = 3 };

    // Reads the section through |data| (the data file's reader). Empty members
    // of |system| are answered by the system's own (RequirementSystem.h).
    CSystemRequirement(const CConfigReader& data, REQUIREMENT_FACTS facts, REQUIREMENT_SYSTEM system = {});
    virtual ~CSystemRequirement() = default;
    CSystemRequirement(const CSystemRequirement&) = delete;
    CSystemRequirement& operator=(const CSystemRequirement&) = delete;

    // The start-up check, in this order: the free space of the destination
    // directory's disk, the excluded systems, and with |usbOnly| but not
    // |network| the device check (a port count of -1 fails; any other passes).
    // The first failure shows its message and gives false.
    bool Check(bool usbOnly, bool network);
    // Fails only when the free space of |path|'s disk can be told and is less
    // than FREE_SPACE; then, with |showMessage|, shows the space message.
    bool CheckFreeSpace(const std::wstring& path, bool showMessage);
    // Shows the message of |kind| without owner, under the program name, with
    // plain OK (style 0). Any other kind shows nothing.
    void ShowRequirementMessage(int kind);

    bool Present() const { return present_; }
    std::uint32_t FreeSpace() const { return freeSpace_; }

private:
    bool IsExcludedSystem() const;

    REQUIREMENT_FACTS facts_;
    REQUIREMENT_SYSTEM system_;
    bool present_ = false;
    std::uint32_t freeSpace_ = 0;
    std::wstring unsupportedOs_;
    std::wstring systemMessage_ = kDefaultSystemMessage;
    std::wstring spaceMessage_ = kDefaultSpaceMessage;
    std::wstring usbMessage_ = kDefaultUsbMessage;
};
