#pragma once
// A registry key under HKEY_LOCAL_MACHINE that holds one of setup's records
// (a component record, a shortcut record, a records root), read and written
// value by value. Each call opens the key for itself.

#include <windows.h>

#include <string>

namespace installer {

class CRecordKey {
public:
    explicit CRecordKey(std::wstring path) : path_(std::move(path)) {}

    const std::wstring& Path() const { return path_; }
    bool Exists() const;
    bool Has(const wchar_t* name) const;
    // The text of a REG_SZ / REG_EXPAND_SZ value; empty when absent.
    std::wstring Text(const wchar_t* name) const;
    // A DWORD value, or a text value holding a number; |fallback| when absent.
    DWORD Number(const wchar_t* name, DWORD fallback) const;

    // 0 or the system's error.
    LONG SetNumber(const wchar_t* name, DWORD value) const;
    LONG SetText(const wchar_t* name, const std::wstring& value) const;
    // 0 also when the value or the key was not there.
    LONG Delete(const wchar_t* name) const;

private:
    std::wstring path_;
};

// The last part of a key path ("...\Items\QV_PS_DRIVER" -> "QV_PS_DRIVER").
std::wstring LastPart(const std::wstring& path);
// The key beside |path|: its parent with |name| in place of the last part.
std::wstring Sibling(const std::wstring& path, const wchar_t* name);

}  // namespace installer
