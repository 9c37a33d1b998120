#include "OsDefine.h"

#include "Log.h"

namespace {

constexpr const wchar_t* kSection = L"OS_DEFINE";
constexpr DWORD kLowestSearchedMajor = 4;
constexpr DWORD kHighestSearchedMinor = 5;
constexpr const wchar_t* kMeKey = L"0X0001045A";

class CDefineLookup {
public:
    CDefineLookup(const CConfigReader& data, std::wstring& defineString) : data_(data), defineString_(defineString) {}

    bool Find(const std::wstring& key) {
        std::wstring value;
        if (!data_.GetString(kSection, key.c_str(), value, true) || value.empty()) return false;
        defineString_ = std::move(value);
        return true;
    }

    // The product form of |key| for the system's product type; "Find Define"
    // is logged before a server form is tried.
    bool FindProductForm(const OS_VERSION_FACTS& facts, const std::wstring& key, bool logServerForm) {
        if (!facts.extended) return false;
        if (facts.productType == VER_NT_WORKSTATION) return Find(key + L".PRO");
        if (facts.productType == VER_NT_DOMAIN_CONTROLLER && Find(key + L".DOM")) return true;
        const std::wstring server = key + L".SER";
        if (logServerForm) GlobalLog().Print(L"Find Define ==> (%ls)", server.c_str());
        return Find(server);
    }

private:
    const CConfigReader& data_;
    std::wstring& defineString_;
};

bool SearchDownwards(const OS_VERSION_FACTS& facts, CDefineLookup& lookup) {
    for (DWORD major = facts.majorVersion; major >= kLowestSearchedMajor; --major) {
        const DWORD firstMinor = major == facts.majorVersion ? facts.minorVersion : kHighestSearchedMinor;
        for (DWORD minor = firstMinor + 1; minor-- > 0;) {
            std::wstring version = PlatformKey(facts.platformId, major, minor);
            if (facts.is64BitWindows) version += L".64";
            bool found = lookup.FindProductForm(facts, version, true);
            if (!found) {
                GlobalLog().Print(L"Find Define ==> (%ls)", version.c_str());
                found = lookup.Find(version);
            }
            if (found) return true;
        }
    }
    return false;
}

}  // namespace

bool FindOSDefine(const CConfigReader& data, std::wstring& defineString) {
    return FindOSDefine(QueryOSVersionFacts(), data, defineString);
}

bool FindOSDefine(const OS_VERSION_FACTS& facts, const CConfigReader& data, std::wstring& defineString) {
    defineString.clear();
    if (!facts.known) {
        GlobalLog().PrintError(facts.queryError, L"Get OS Version fail");
        return false;
    }
    CDefineLookup lookup(data, defineString);
    std::wstring key = PlatformKey(facts.platformId, facts.majorVersion, facts.minorVersion);

    if (facts.is64BitWindows && (lookup.Find(key + L".64") || lookup.FindProductForm(facts, key + L".64", false)))
        return true;

    if (facts.platformId == VER_PLATFORM_WIN32_WINDOWS && facts.majorVersion == 4 && facts.minorVersion == 10 &&
        facts.windowsVersionNumber.find(L"4.90.") != std::wstring::npos)
        key = kMeKey;
    if (lookup.Find(key)) return true;
    if (facts.platformId == VER_PLATFORM_WIN32_WINDOWS) return false;

    GlobalLog().Print(L"OS Define not found, so installer finds Lastest Version OS Define");
    GlobalLog().Print(L"OS Major Version [0x%04x] , minor version [0x%04x], 64bit [%d]",
                      static_cast<unsigned>(facts.majorVersion), static_cast<unsigned>(facts.minorVersion),
                      facts.is64BitWindows ? 1 : 0);
    if (!SearchDownwards(facts, lookup)) return false;
    GlobalLog().Print(L"OS String was found ==> [%ls]", defineString.c_str());
    return true;
}
