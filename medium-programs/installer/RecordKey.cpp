#include "RecordKey.h"

#include <cwchar>
#include <vector>

#include "ScopedHandle.h"

namespace installer {

namespace {

CRegistryKey Open(const std::wstring& path, REGSAM access) {
    CRegistryKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, access, key.Receive()) != ERROR_SUCCESS) key.Reset();
    return key;
}

}  // namespace

bool CRecordKey::Exists() const { return static_cast<bool>(Open(path_, KEY_READ)); }

bool CRecordKey::Has(const wchar_t* name) const {
    const CRegistryKey key = Open(path_, KEY_READ);
    return key && RegQueryValueExW(key.Get(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::wstring CRecordKey::Text(const wchar_t* name) const {
    const CRegistryKey key = Open(path_, KEY_READ);
    if (!key) return std::wstring();
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.Get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::wstring();
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::wstring();
    std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key.Get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(text.data()), &size) !=
        ERROR_SUCCESS)
        return std::wstring();
    return std::wstring(text.data());
}

DWORD CRecordKey::Number(const wchar_t* name, DWORD fallback) const {
    const CRegistryKey key = Open(path_, KEY_READ);
    if (!key) return fallback;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    const LONG read = RegQueryValueExW(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    if (read == ERROR_SUCCESS && type == REG_DWORD) return value;
    if ((read == ERROR_SUCCESS || read == ERROR_MORE_DATA) && (type == REG_SZ || type == REG_EXPAND_SZ)) {
        const std::wstring text = Text(name);
        wchar_t* end = nullptr;
        const long number = std::wcstol(text.c_str(), &end, 0);
        if (end != text.c_str()) return static_cast<DWORD>(number);
    }
    return fallback;
}

LONG CRecordKey::SetNumber(const wchar_t* name, DWORD value) const {
    const CRegistryKey key = Open(path_, KEY_SET_VALUE);
    if (!key) return ERROR_FILE_NOT_FOUND;
    return RegSetValueExW(key.Get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

LONG CRecordKey::SetText(const wchar_t* name, const std::wstring& value) const {
    const CRegistryKey key = Open(path_, KEY_SET_VALUE);
    if (!key) return ERROR_FILE_NOT_FOUND;
    return RegSetValueExW(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

LONG CRecordKey::Delete(const wchar_t* name) const {
    const CRegistryKey key = Open(path_, KEY_SET_VALUE);
    if (!key) return ERROR_SUCCESS;
    const LONG result = RegDeleteValueW(key.Get(), name);
    return result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : result;
}

std::wstring LastPart(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring Sibling(const std::wstring& path, const wchar_t* name) {
    const std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring(name) : path.substr(0, slash + 1) + name;
}

}  // namespace installer
