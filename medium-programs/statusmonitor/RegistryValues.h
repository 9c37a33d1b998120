#pragma once
// Reading and writing the few values the status monitor keeps below
// HKEY_LOCAL_MACHINE. Each call opens the key, acts and closes it again;
// a failed write returns the system's error code.

#include <windows.h>

#include <string>

namespace registry_values {

LONG WriteText(const wchar_t* key, const wchar_t* name, const std::wstring& text);
LONG WriteNumber(const wchar_t* key, const wchar_t* name, DWORD number);

// False when the key or value is missing or of another type.
bool ReadText(const wchar_t* key, const wchar_t* name, std::wstring& text);
bool ReadNumber(const wchar_t* key, const wchar_t* name, DWORD& number);

// Deletes |key| with its values and subkeys; a missing key is no error.
LONG DeleteKey(const wchar_t* key);
// Deletes |key| when it has neither values nor subkeys; true when it is gone.
bool DeleteKeyWhenEmpty(const wchar_t* key);

}  // namespace registry_values
