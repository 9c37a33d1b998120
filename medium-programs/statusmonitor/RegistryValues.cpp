#include "RegistryValues.h"

#include <vector>

#include "ScopedHandle.h"

namespace registry_values {

namespace {

LONG CreateKey(const wchar_t* key, CRegistryKey& opened) {
    return RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                           opened.Receive(), nullptr);
}

}  // namespace

LONG WriteText(const wchar_t* key, const wchar_t* name, const std::wstring& text) {
    CRegistryKey opened;
    const LONG created = CreateKey(key, opened);
    if (created != ERROR_SUCCESS) return created;
    return RegSetValueExW(opened.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

LONG WriteNumber(const wchar_t* key, const wchar_t* name, DWORD number) {
    CRegistryKey opened;
    const LONG created = CreateKey(key, opened);
    if (created != ERROR_SUCCESS) return created;
    return RegSetValueExW(opened.Get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
}

bool ReadText(const wchar_t* key, const wchar_t* name, std::wstring& text) {
    CRegistryKey opened;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE, opened.Receive()) != ERROR_SUCCESS) return false;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(opened.Get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
        return false;
    std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(opened.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return false;
    text = data.data();
    return true;
}

bool ReadNumber(const wchar_t* key, const wchar_t* name, DWORD& number) {
    CRegistryKey opened;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE, opened.Receive()) != ERROR_SUCCESS) return false;
    DWORD type = 0;
    DWORD size = sizeof number;
    return RegQueryValueExW(opened.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&number), &size) ==
               ERROR_SUCCESS &&
           type == REG_DWORD;
}

LONG DeleteKey(const wchar_t* key) {
    const LONG result = RegDeleteTreeW(HKEY_LOCAL_MACHINE, key);
    return result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : result;
}

bool DeleteKeyWhenEmpty(const wchar_t* key) {
    {
        CRegistryKey opened;
        const LONG result = RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE, opened.Receive());
        if (result == ERROR_FILE_NOT_FOUND) return true;
        if (result != ERROR_SUCCESS) return false;
        DWORD subkeys = 0;
        DWORD values = 0;
        if (RegQueryInfoKeyW(opened.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                             nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
            subkeys != 0 || values != 0)
            return false;
    }
    return RegDeleteKeyW(HKEY_LOCAL_MACHINE, key) == ERROR_SUCCESS;
}

}  // namespace registry_values
