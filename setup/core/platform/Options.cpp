#include "Options.h"

#include "Log.h"
#include "OsVersion.h"

namespace {

constexpr const wchar_t* kSection = L"OPTION";

// Systems whose windows and message boxes cannot be laid out right to left.
bool RightToLeftUnavailable(std::uint32_t osCode) {
    switch (osCode) {
    case os_class::kWin95:
    case os_class::kWin95Osr2:
    case os_class::kWin95Other:
    case os_class::kWinNt3:
    case os_class::kWinNt4:
        return true;
    default:
        return false;
    }
}

}  // namespace

// In the order they are read and logged.
const COptions::FLAG_RULE COptions::kFlagRules[] = {
    {L"USB_ONLY", &COptions::usbOnly_, ReadRule::Always, false, L"USB ONLY Option is "},
    {L"NETWORK", &COptions::network_, ReadRule::Always, false, L"NETWORK Option is "},
    {L"WIRELESS", &COptions::wireless_, ReadRule::Always, false, L"WIRELESS Option is "},
    {L"DEVICE_INSTALL", &COptions::deviceInstall_, ReadRule::WhenPresent, false, L"INSTALL DEVICE Option is "},
    {L"SHOW_INST_ERROR", &COptions::showInstError_, ReadRule::WhenPresent, false, L"SHOW INSTALL ERROR Option is "},
    {L"RIGHT_ALIGN", &COptions::rightAlign_, ReadRule::Always, false, L"RIGHT ALIGN Option is "},
    {L"PRECREATE_DLG", &COptions::precreateDlg_, ReadRule::WhenPresent, false, L"PRECREATE DIALOG option is "},
    {L"MAIN_ONLY", &COptions::mainOnly_, ReadRule::WhenPresent, false, L"JUST MAIN option is "},
    {L"SET_SOURCE_PATH", &COptions::setSourcePath_, ReadRule::WhenPresent, false, L"SET SOURCE PATH option is "},
    {L"USE_PUBLIC_OID", &COptions::usePublicOid_, ReadRule::WhenPresent, false, L"USE PUBLIC OID option is "},
    {L"USE_IPX", &COptions::useIpx_, ReadRule::WhenPresent, false, L"USE IPX option is "},
    {L"STOP_FIREWALL", &COptions::stopFirewall_, ReadRule::WhenPresent, false, L"Stop Firewall option is "},
    {L"VODA", &COptions::voda_, ReadRule::WhenPresent, false, L"VODA option is "},
    {L"MAINTENANCE_ON", &COptions::maintenanceOn_, ReadRule::Always, true, L"MAINTENANCE Option is "},
};

bool COptions::Load(const CConfigReader* reader) {
    std::uint32_t code = 0;
    std::uint32_t family = 0;
    if (!GetOSVersionClass(code, family)) code = 0;
    return Load(reader, code);
}

bool COptions::ReadNumber(const CConfigReader& reader, const wchar_t* key, std::uint32_t& value) const {
    return (!section_.empty() && reader.GetNumber(section_.c_str(), key, value)) ||
           reader.GetNumber(kSection, key, value);
}

bool COptions::Load(const CConfigReader* reader, std::uint32_t osCode) {
    if (reader == nullptr) return false;
    // Resolved with the connection options as they stand before this load.
    std::wstring section;
    if (reader->ResolveSection(kSection, section)) {
        section_ = std::move(section);
    } else {
        section_.clear();
        GlobalLog().Print(L"Get Option fail");
    }

    for (const FLAG_RULE& rule : kFlagRules) {
        std::uint32_t value = 0;
        const bool present = ReadNumber(*reader, rule.key, value);
        if (rule.rule == ReadRule::WhenPresent && !present) continue;
        bool on = present ? value != 0 : rule.absent;
        if (rule.flag == &COptions::rightAlign_ && RightToLeftUnavailable(osCode)) on = false;
        if (rule.flag == &COptions::voda_) vodaGiven_ = true;
        this->*rule.flag = on;
        GlobalLog().Print(L"%ls%ls", rule.line, on ? L"ON" : L"OFF");
    }

    std::uint32_t altitude = 0;
    altitude_ = (ReadNumber(*reader, L"ALTITUDE", altitude) && altitude != 0) || reader->HasSection(L"ALTITUDE_LANG");

    std::uint32_t communitySize = 0;
    communitySize_ = ReadNumber(*reader, L"COMMUNITY_SIZE", communitySize) && communitySize != 0
                         ? communitySize
                         : kDefaultCommunitySize;
    GlobalLog().Print(L"Community Name size = %d", static_cast<int>(communitySize_));
    return true;
}
