#include "LanguageInfo.h"

#include <cwchar>
#include <vector>

#include "ConfigReader.h"
#include "Log.h"
#include "Profile.h"
#include "ProfileText.h"

namespace {

constexpr std::uint32_t kPrimaryMask = 0x3FF;

std::wstring Key(std::uint32_t id) {
    wchar_t buffer[16];
    swprintf(buffer, 16, L"0X%04X", id & 0xFFFF);
    return buffer;
}

}  // namespace

CLanguageInfo::CLanguageInfo(std::uint32_t systemLanguageId) : systemLanguageId_(systemLanguageId) {}

bool CLanguageInfo::IsSupported(std::uint32_t& languageId) const {
    if (data_ == nullptr) return false;
    std::vector<std::wstring> entries;
    if (!data_->GetAllEntries(L"PROGRAM_LANG_INFO", entries, true)) return false;
    for (const std::wstring& entry : entries) {
        const std::wstring key(profile_text::TrimBlanks(std::wstring_view(entry).substr(0, entry.find(L'='))));
        const std::uint32_t listed = CProfile::StringToDword(key.c_str());
        if (listed == languageId || listed == (languageId & kPrimaryMask)) {
            languageId = listed;
            return true;
        }
    }
    return false;
}

std::uint32_t CLanguageInfo::MapCountry(std::uint32_t languageId) const {
    if (data_ == nullptr) return languageId;
    std::wstring value;
    if (data_->GetString(L"COUNTRY_LANG_CODE", Key(languageId).c_str(), value, true) ||
        data_->GetString(L"COUNTRY_LANG_CODE", Key(languageId & kPrimaryMask).c_str(), value, true))
        return CProfile::StringToDword(value.c_str());
    return languageId;
}

std::uint32_t CLanguageInfo::Resolve(std::uint32_t requested) {
    std::uint32_t mapped = MapCountry(requested);
    if (!IsSupported(mapped)) mapped = kEnglish;
    if (!IsSupported(requested)) requested = kEnglish;
    requestedLanguageId_ = requested;
    return mapped;
}

std::wstring CLanguageInfo::BuiltInAbbreviation(std::uint32_t languageId) {
    const std::uint32_t primary = languageId & kPrimaryMask;
    const std::uint32_t sub = (languageId >> 10) & 0x3F;
    switch (primary) {
        case 0x01: return L"AB";
        case 0x04: return sub == 1 ? L"CT" : L"CP";
        case 0x05: return L"CZ";
        case 0x06: return L"DN";
        case 0x07: return L"GR";
        case 0x08: return L"GK";
        case 0x09: return L"EN";
        case 0x0A: return L"SP";
        case 0x0B: return L"FI";
        case 0x0C: return L"FN";
        case 0x0D: return L"HB";
        case 0x0E: return L"HU";
        case 0x10: return L"IT";
        case 0x11: return L"JP";
        case 0x12: return L"KR";
        case 0x13: return L"DT";
        case 0x14: return L"NR";
        case 0x15: return L"PO";
        case 0x16: return sub == 1 ? L"BP" : sub == 2 ? L"PT" : L"";
        case 0x19: return L"RU";
        case 0x1D: return L"SW";
        case 0x1E: return L"TI";
        case 0x1F: return L"TK";
        case 0x21: return L"IN";
        default: return L"EN";
    }
}

std::wstring CLanguageInfo::Lookup(std::uint32_t languageId, const wchar_t* section) const {
    std::wstring value;
    if (data_ != nullptr && (data_->GetString(section, Key(languageId).c_str(), value, true) ||
                             data_->GetString(section, Key(languageId & kPrimaryMask).c_str(), value, true)))
        return value;
    return BuiltInAbbreviation(languageId);
}

void CLanguageInfo::ReadLanguageTable(const CConfigReader* data) {
    data_ = data;
    systemLanguageId_ = Resolve(systemLanguageId_);
    systemAbbreviation_ = Lookup(systemLanguageId_, L"LANGUAGE_ABBR");
}

bool CLanguageInfo::Select(const CConfigReader* data, std::uint32_t languageId, bool forced) {
    data_ = data;
    if (languageId == 0) {
        languageId = systemLanguageId_;
    } else if (!forced && languageId == requestedLanguageId_) {
        return false;
    }
    languageId_ = Resolve(languageId);
    abbreviation_ = Lookup(languageId_, L"LANGUAGE_ABBR");
    requestedAbbreviation_ = Lookup(requestedLanguageId_, L"LANGUAGE_ABBR");
    directory_ = Lookup(languageId_, L"LANGUAGE_DIR");
    requestedDirectory_ = Lookup(requestedLanguageId_, L"LANGUAGE_DIR");

    CLog& log = GlobalLog();
    log.Print(L"Set Language : Language ID\t\t= 0X%04X", languageId_);
    log.Print(L"Set Language : Language Abbr\t\t= %ls", abbreviation_.c_str());
    log.Print(L"Set Language : System Language ID\t= 0X%04X", systemLanguageId_);
    log.Print(L"Set Language : System Language Abbr = %ls", systemAbbreviation_.c_str());
    log.Print(L"Set Language : Language Dir\t\t= %ls", directory_.c_str());
    log.Print(L"Set Language : Org Language ID\t\t= 0X%04X", requestedLanguageId_);
    log.Print(L"Set Language : Org Language Abbr\t\t= %ls", requestedAbbreviation_.c_str());
    log.Print(L"Set Language : Org Language Dir\t\t= %ls", requestedDirectory_.c_str());
    return true;
}
