#pragma once
// The operating-system define string: the value, in section "OS_DEFINE" of the
// data file, of the key that best names the running system. Keys are platform
// keys ("0X00020601" for 6.1 on NT) with optional decorations:
//
//   key       = platform-key [ ".64" ] [ ".PRO" | ".DOM" | ".SER" ]
//
// ".64" marks 64-bit Windows; ".PRO" a workstation, ".DOM" a domain
// controller, ".SER" a server. Values are read with path variables expanded.
//
// Lookup order:
//  1. 64-bit Windows: K.64, then by product type K.64.PRO, or K.64.DOM and
//     K.64.SER, or K.64.SER (the product forms only when the extended version
//     information was available).
//  2. K itself (a Windows ME that reports 4.10 uses the ME key 0X0001045A).
//  3. Windows 9x stops here. NT searches downwards, from the running version
//     to 4.0 (minor versions from 5 down to 0 below the running major), each
//     version V (with ".64" on 64-bit Windows) first in its product form and
//     then plain.
// A key whose value is empty names nothing; the search goes on past it.

#include <string>

#include "ConfigReader.h"
#include "OsVersion.h"

// Clears |defineString|, then looks it up for the running system. False when
// the version query fails or no key fits.
bool FindOSDefine(const CConfigReader& data, std::wstring& defineString);
// The same for the system that |facts| describe.
bool FindOSDefine(const OS_VERSION_FACTS& facts, const CConfigReader& data, std::wstring& defineString);
