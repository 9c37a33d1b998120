#pragma once
// What a run records under the installing root when it starts: the product's
// identity (when asked), the language, the directories, the string file and
// the class of the operating system ("OS_Ver").

#include <cstdint>

class CSetupContext;

// 1 Windows 95/98/ME, 2 NT 3/4, 3 Windows 2000, 4/5 XP and Server 2003
// (32/64-bit), 6/7 Vista and later workstations (32/64-bit), else 4/5.
std::uint32_t OsVerClass(std::uint32_t family, std::uint32_t code, bool is64BitWindows);

// False when a value could not be written (each failure is logged).
bool WriteStartInformation(CSetupContext& context, bool withIdentity);
