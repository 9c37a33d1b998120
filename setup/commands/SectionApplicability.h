#pragma once
// Whether a registry, copy or delete section applies to this system. A
// section applies unless, tested in this order:
//   SUPPORTED_OS      is present and the OS define string is not in it;
//   UNSUPPORTED_OS    is present and the OS define string is in it;
//   SUPPORTED_LANG    is present and the language abbreviation is not in it;
//   UNSUPPORTED_LANG  is present and the language abbreviation is in it.
// The lists are comma separated; entries are trimmed of blanks and tabs and
// compared without regard to case. An empty list, OS define string or
// abbreviation never contains anything.

#include <string>

class CConfigReader;

struct SECTION_FACTS {
    std::wstring osDefine;              // "WIN7_64"
    std::wstring languageAbbreviation;  // "EN"
};

bool SectionApplies(const CConfigReader& reader, const wchar_t* section, const SECTION_FACTS& facts);
