#pragma once
// The ports the spooler offers for a local printer, serial ports left out.

#include <windows.h>

#include <cstddef>

// Room the port list is written into.
constexpr std::size_t kPortListChars = 8192;

// Writes the name of every port whose name does not hold "COM" (in any case)
// into |buffer| as consecutive zero-terminated names, in the spooler's order,
// and their number into |count|. The buffer of |capacity| characters is
// zero-filled first; a port that does not fit is left out and logged. False
// when the spooler lists no ports or cannot be asked.
bool EnumLocalPorts(wchar_t* buffer, DWORD* count, std::size_t capacity = kPortListChars);
