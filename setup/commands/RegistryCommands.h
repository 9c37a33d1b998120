#pragma once
// CT_ADDREG and CT_DELREG: writing and deleting the registry values a
// registry section of the command file lists. What they write is not
// recorded in the installation history; a configuration removes it again
// with a CT_DELREG section.
//
// A registry section:
//
//   ROOTKEY    = HKCU ...     HKEY_CURRENT_USER when the value, upper-cased,
//                             contains "HKCU"; HKEY_LOCAL_MACHINE otherwise
//                             and when absent
//   KEYNAME    = key path     required, not empty
//   VALUE      = type, name, data      any number of lines
//   DELETE_KEY = number       non-zero: CT_DELREG deletes the key afterwards
//   SUPPORTED_OS, UNSUPPORTED_OS, SUPPORTED_LANG, UNSUPPORTED_LANG
//
//   value := type "," name "," data
//
// The type and the name are the first two tokens (CTokenizer at commas: runs
// of commas are one separator); the data is everything after the name's
// comma, commas included. Each is trimmed of blanks and tabs. "REG_DWORD"
// (any case) writes a 32-bit number (decimal, or hexadecimal after "0x"),
// any other type a string.

#include "SectionApplicability.h"

class CConfigReader;

// Writes every VALUE of |section| (a value without a name is passed over; a
// write that fails is passed over). True when done or when the section does
// not apply; false, with a log line, for an empty section name, a missing or
// empty KEYNAME or a section that cannot be read.
bool AddRegistrySection(const CConfigReader& commands, const wchar_t* section, const SECTION_FACTS& facts);

// Deletes every VALUE of |section| by its name, or by its first token when it
// has no name (so bare value names may be listed), then with DELETE_KEY the
// key with its sub-keys and the parents it leaves empty. Results as above.
bool DeleteRegistrySection(const CConfigReader& commands, const wchar_t* section, const SECTION_FACTS& facts);
