#include "SectionApplicability.h"

#include "ConfigReader.h"
#include "Utl.h"

namespace {

// True when the key is present and |item| is missing from a supported list or listed in an unsupported one.
bool ListExcludes(const CConfigReader& reader, const wchar_t* section, const wchar_t* key, const std::wstring& item,
                  bool supportedList) {
    std::wstring list;
    if (!reader.GetString(section, key, list, true)) return false;
    const bool listed = CUtl::IsInCommaList(list.c_str(), item.c_str(), L",");
    return supportedList ? !listed : listed;
}

}  // namespace

bool SectionApplies(const CConfigReader& reader, const wchar_t* section, const SECTION_FACTS& facts) {
    return !ListExcludes(reader, section, L"SUPPORTED_OS", facts.osDefine, true) &&
           !ListExcludes(reader, section, L"UNSUPPORTED_OS", facts.osDefine, false) &&
           !ListExcludes(reader, section, L"SUPPORTED_LANG", facts.languageAbbreviation, true) &&
           !ListExcludes(reader, section, L"UNSUPPORTED_LANG", facts.languageAbbreviation, false);
}
