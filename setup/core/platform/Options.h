#pragma once
// The option flags that the data file switches on and off, from its section
// "OPTION" (or the most specific variant of it for the running system,
// language and connection options). Every key is read as a number; a value
// other than zero switches a flag on.
//
//   key              initial  read
//   USB_ONLY         off      always (absent: off)
//   NETWORK          off      always (absent: off)
//   WIRELESS         off      always (absent: off)
//   DEVICE_INSTALL   on       only when the key exists
//   SHOW_INST_ERROR  off      only when the key exists
//   RIGHT_ALIGN      off      always; forced off on Windows 95, NT 3.x and NT 4.0
//   PRECREATE_DLG    on       only when the key exists
//   MAIN_ONLY        off      only when the key exists
//   SET_SOURCE_PATH  off      only when the key exists
//   USE_PUBLIC_OID   off      only when the key exists
//   USE_IPX          off      only when the key exists
//   STOP_FIREWALL    off      only when the key exists
//   VODA             off      only when the key exists (and then also "given")
//   MAINTENANCE_ON   on       always (absent: on)
//   ALTITUDE         off      always: on when non-zero, or else when the reader
//                             has a section "ALTITUDE_LANG"
//   COMMUNITY_SIZE   14       always; absent or zero gives 14
//
// The remote-install flag is never read: a script command sets it. While it is
// on, configuration readers leave path variables unexpanded.

#include <cstdint>
#include <string>

#include "ConfigReader.h"

class COptions {
public:
    static constexpr std::uint32_t kDefaultCommunitySize = 14;

    COptions() = default;
    virtual ~COptions() = default;
    COptions(const COptions&) = delete;
    COptions& operator=(const COptions&) = delete;

    // Reads the options through |reader| and logs their state; the version
    // code of the running system decides whether RIGHT_ALIGN may be on.
    // False only when no reader is given.
    bool Load(const CConfigReader* reader);
    // As above for a system of version code |osCode| (see OsVersion.h).
    bool Load(const CConfigReader* reader, std::uint32_t osCode);

    bool UsbOnly() const { return usbOnly_; }
    bool Network() const { return network_; }
    bool Wireless() const { return wireless_; }
    bool RemoteInstall() const { return remoteInstall_; }
    bool DeviceInstall() const { return deviceInstall_; }
    bool ShowInstError() const { return showInstError_; }
    bool RightAlign() const { return rightAlign_; }
    bool PrecreateDlg() const { return precreateDlg_; }
    bool MainOnly() const { return mainOnly_; }
    bool SetSourcePath() const { return setSourcePath_; }
    bool UsePublicOid() const { return usePublicOid_; }
    bool UseIpx() const { return useIpx_; }
    bool StopFirewall() const { return stopFirewall_; }
    bool Voda() const { return voda_; }
    bool VodaGiven() const { return vodaGiven_; }
    bool MaintenanceOn() const { return maintenanceOn_; }
    bool Altitude() const { return altitude_; }
    std::uint32_t CommunitySize() const { return communitySize_; }
    // The variant of "OPTION" the last load read; empty when none was found.
    const std::wstring& SectionName() const { return section_; }

    void SetRemoteInstall(bool on) { remoteInstall_ = on; }
    void SetVoda(bool on) { voda_ = on; }

private:
    enum class ReadRule { Always, WhenPresent };
    struct FLAG_RULE {
        const wchar_t* key;
        bool COptions::*flag;
        ReadRule rule;
        bool absent;          // the value of an always-read flag whose key is missing
        const wchar_t* line;  // the log line, without "ON"/"OFF"
    };
    static const FLAG_RULE kFlagRules[];

    bool ReadNumber(const CConfigReader& reader, const wchar_t* key, std::uint32_t& value) const;

    bool usbOnly_ = false;
    bool network_ = false;
    bool wireless_ = false;
    bool remoteInstall_ = false;
    bool deviceInstall_ = true;
    bool showInstError_ = false;
    bool rightAlign_ = false;
    bool precreateDlg_ = true;
    bool mainOnly_ = false;
    bool setSourcePath_ = false;
    bool usePublicOid_ = false;
    bool useIpx_ = false;
    bool stopFirewall_ = false;
    bool voda_ = false;
    bool vodaGiven_ = false;
    bool maintenanceOn_ = true;
    bool altitude_ = false;
    std::uint32_t communitySize_ = kDefaultCommunitySize;
    std::wstring section_;
};
