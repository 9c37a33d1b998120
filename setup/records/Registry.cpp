#include "Registry.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <vector>

#include "APIFunction.h"
#include "RegKey.h"
#include "RegistryKeyDeleter.h"

using records::CRegKey;

namespace {

bool IsEmpty(const wchar_t* text) { return text == nullptr || *text == L'\0'; }

bool EqualsNoCase(const std::wstring& a, const wchar_t* b) { return _wcsicmp(a.c_str(), b) == 0; }

// |path| is |ancestor| or lies under it.
bool IsAtOrUnder(const std::wstring& path, const std::wstring& ancestor) {
    if (path.size() < ancestor.size()) return false;
    if (_wcsnicmp(path.c_str(), ancestor.c_str(), ancestor.size()) != 0) return false;
    return path.size() == ancestor.size() || path[ancestor.size()] == L'\\';
}

DWORD LastErrorOr(DWORD fallback) {
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? error : fallback;
}

// Frees a SID through the table that allocated it.
class CSidHolder {
public:
    explicit CSidHolder(const CAPIFunction& api) : api_(api) {}
    ~CSidHolder() {
        if (sid_ != nullptr) api_.FreeSid(sid_);
    }
    CSidHolder(const CSidHolder&) = delete;
    CSidHolder& operator=(const CSidHolder&) = delete;
    PSID* Out() { return &sid_; }
    PSID Get() const { return sid_; }

private:
    const CAPIFunction& api_;
    PSID sid_ = nullptr;
};

}  // namespace

DWORD CRegistry::CheckKeyPath(const wchar_t* keyPath, std::wstring& checked) {
    checked.clear();
    if (IsEmpty(keyPath)) return ERROR_INVALID_PARAMETER;
    std::wstring path(keyPath);
    if (path.back() == L'\\') path.pop_back();
    if (path.empty() || path.front() == L'\\' || path.back() == L'\\' || path.find(L"\\\\") != std::wstring::npos)
        return ERROR_INVALID_PARAMETER;
    checked = std::move(path);
    return ERROR_SUCCESS;
}

bool CRegistry::IsSystemOwnedKey(HKEY root, const std::wstring& keyPath) {
    std::wstring path = keyPath;
    if (root == HKEY_USERS) {
        // A user's hive: the same rules below the user's own key.
        const std::size_t slash = path.find(L'\\');
        if (slash == std::wstring::npos) return true;
        path.erase(0, slash + 1);
    }
    if (EqualsNoCase(path, L"Software") || EqualsNoCase(path, L"Software\\Wow6432Node")) return true;
    for (const wchar_t* owned : {L"System", L"Software\\Microsoft", L"Software\\Classes",
                                 L"Software\\Wow6432Node\\Microsoft", L"Software\\Wow6432Node\\Classes"})
        if (IsAtOrUnder(path, owned)) return true;
    return false;
}

DWORD CRegistry::GetValue(const wchar_t* keyPath, const wchar_t* name, wchar_t* text, HKEY root, DWORD sizeLimit) {
    std::wstring path;
    if (CheckKeyPath(keyPath, path) != ERROR_SUCCESS || IsEmpty(name) || text == nullptr)
        return ERROR_INVALID_PARAMETER;
    CRegKey key;
    LSTATUS result = key.Open(root, path.c_str(), KEY_READ);
    if (result != ERROR_SUCCESS) return result;
    // Room for a NUL after data that has none of its own.
    std::vector<wchar_t> data(kTextChars + 1, L'\0');
    DWORD type = REG_NONE;
    DWORD size = kTextBytes;
    result = RegQueryValueExW(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    if (result != ERROR_SUCCESS) return result;
    if (type != REG_SZ) return ERROR_INVALID_PARAMETER;
    const std::size_t length = wcsnlen(data.data(), size / sizeof(wchar_t));
    // A text without a NUL of its own that fills the whole read leaves no room for one.
    if (length >= kTextChars) return ERROR_MORE_DATA;
    // The text is handed over with a NUL, whether or not the value has one.
    const DWORD needed = std::max<DWORD>(size, static_cast<DWORD>((length + 1) * sizeof(wchar_t)));
    if (sizeLimit != kNoLimit && sizeLimit < needed) return ERROR_INSUFFICIENT_BUFFER;
    std::memcpy(text, data.data(), length * sizeof(wchar_t));
    text[length] = L'\0';
    return ERROR_SUCCESS;
}

DWORD CRegistry::GetValue(const wchar_t* keyPath, const wchar_t* name, DWORD* number, HKEY root, DWORD) {
    std::wstring path;
    if (CheckKeyPath(keyPath, path) != ERROR_SUCCESS || IsEmpty(name) || number == nullptr)
        return ERROR_INVALID_PARAMETER;
    CRegKey key;
    LSTATUS result = key.Open(root, path.c_str(), KEY_READ);
    if (result != ERROR_SUCCESS) return result;
    std::vector<BYTE> data(kValueBytes, 0);
    DWORD type = REG_NONE;
    DWORD size = kValueBytes;
    result = RegQueryValueExW(key.Get(), name, nullptr, &type, data.data(), &size);
    if (result != ERROR_SUCCESS) return result;
    if (type != REG_DWORD || size != sizeof(DWORD)) return ERROR_INVALID_PARAMETER;
    std::memcpy(number, data.data(), sizeof(DWORD));
    return ERROR_SUCCESS;
}

DWORD CRegistry::SetValue(const wchar_t* keyPath, const wchar_t* name, const wchar_t* text, HKEY root) {
    std::wstring path;
    if (CheckKeyPath(keyPath, path) != ERROR_SUCCESS || IsEmpty(name) || text == nullptr)
        return ERROR_INVALID_PARAMETER;
    CRegKey key;
    LSTATUS result = key.Create(root, path.c_str(), KEY_WRITE);
    if (result != ERROR_SUCCESS) return result;
    // The terminating NUL is part of a string value: readers rely on it.
    const DWORD bytes = static_cast<DWORD>((std::wcslen(text) + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes);
}

DWORD CRegistry::SetValue(const wchar_t* keyPath, const wchar_t* name, DWORD number, HKEY root) {
    std::wstring path;
    if (CheckKeyPath(keyPath, path) != ERROR_SUCCESS || IsEmpty(name)) return ERROR_INVALID_PARAMETER;
    CRegKey key;
    LSTATUS result = key.Create(root, path.c_str(), KEY_WRITE);
    if (result != ERROR_SUCCESS) return result;
    return RegSetValueExW(key.Get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
}

DWORD CRegistry::DeleteValue(const wchar_t* keyPath, const wchar_t* name, HKEY root) {
    std::wstring path;
    if (CheckKeyPath(keyPath, path) != ERROR_SUCCESS || IsEmpty(name)) return ERROR_INVALID_PARAMETER;
    CRegKey key;
    const LSTATUS result = key.Open(root, path.c_str(), KEY_ALL_ACCESS);
    if (result != ERROR_SUCCESS) return result;
    return RegDeleteValueW(key.Get(), name);
}

DWORD CRegistry::DeleteKey(const wchar_t* keyPath, bool onlyThisKey, HKEY root) {
    std::wstring path;
    if (CheckKeyPath(keyPath, path) != ERROR_SUCCESS) return ERROR_INVALID_PARAMETER;
    if (onlyThisKey) return DeleteOneKey(path, root);
    const DWORD result = DeleteSubKey(path.c_str(), root);
    if (result != ERROR_SUCCESS) return result;
    return DeleteEmptyParent(path.c_str(), root);
}

DWORD CRegistry::DeleteOneKey(const std::wstring& keyPath, HKEY root) {
    CRegistryKeyDeleter& deleter = RegistryKeyDeleter();
    DWORD result = deleter.Delete(root, keyPath.c_str());
    if (result == ERROR_ACCESS_DENIED && SetDaclPermission(keyPath.c_str(), root) == ERROR_SUCCESS)
        result = deleter.Delete(root, keyPath.c_str());
    return result;
}

DWORD CRegistry::DeleteSubKey(const wchar_t* keyPath, HKEY root) {
    std::wstring path;
    if (CheckKeyPath(keyPath, path) != ERROR_SUCCESS) return ERROR_INVALID_PARAMETER;
    {
        CRegKey key;
        DWORD result = key.Open(root, path.c_str(), KEY_ALL_ACCESS);
        if (result != ERROR_SUCCESS) return result;
        DWORD subKeys = 0;
        result = RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr,
                                  nullptr, nullptr, nullptr);
        if (result != ERROR_SUCCESS) return result;
        // Each round removes the first remaining sub-key.
        for (DWORD round = 0; round < subKeys; ++round) {
            wchar_t name[kNameChars];
            DWORD length = kNameChars;
            result = RegEnumKeyExW(key.Get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr);
            if (result != ERROR_SUCCESS) return result;
            result = DeleteSubKey((path + L"\\" + name).c_str(), root);
            if (result != ERROR_SUCCESS) return result;
        }
    }
    return DeleteOneKey(path, root);
}

DWORD CRegistry::DeleteEmptyParent(const wchar_t* keyPath, HKEY root) {
    std::wstring parent;
    if (CheckKeyPath(keyPath, parent) != ERROR_SUCCESS) return ERROR_INVALID_PARAMETER;
    for (;;) {
        const std::size_t slash = parent.rfind(L'\\');
        if (slash == std::wstring::npos) break;
        parent.resize(slash);
        // A key directly under the root stays, and so do the system's own.
        if (parent.find(L'\\') == std::wstring::npos || IsSystemOwnedKey(root, parent)) break;
        DWORD subKeys = 0;
        DWORD values = 0;
        {
            CRegKey key;
            DWORD result = key.Open(root, parent.c_str(), KEY_READ);
            if (result != ERROR_SUCCESS) return result;
            result = RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values,
                                      nullptr, nullptr, nullptr, nullptr);
            if (result != ERROR_SUCCESS) return result;
        }
        if (subKeys != 0 || values != 0) break;
        const DWORD result = RegistryKeyDeleter().Delete(root, parent.c_str());
        if (result != ERROR_SUCCESS) return result;
    }
    return ERROR_SUCCESS;
}

DWORD CRegistry::SetDaclPermission(const wchar_t* keyPath, HKEY root) {
    CAPIFunction api;
    api.Load();
    return SetDaclPermission(keyPath, root, api);
}

DWORD CRegistry::SetDaclPermission(const wchar_t* keyPath, HKEY root, const CAPIFunction& api) {
    using Entry = CAPIFunction::Entry;
    std::wstring path;
    if (CheckKeyPath(keyPath, path) != ERROR_SUCCESS) return ERROR_INVALID_PARAMETER;
    for (Entry entry : {Entry::kInitializeSecurityDescriptor, Entry::kAllocateAndInitializeSid, Entry::kInitializeAcl,
                        Entry::kAddAccessAllowedObjectAce, Entry::kSetSecurityDescriptorDacl,
                        Entry::kSetSecurityDescriptorControl, Entry::kFreeSid})
        if (!api.IsBound(entry)) return ERROR_NOT_SUPPORTED;

    SID_IDENTIFIER_AUTHORITY world = {SECURITY_WORLD_SID_AUTHORITY};
    CSidHolder everyone(api);
    if (!api.AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, everyone.Out()))
        return LastErrorOr(ERROR_INVALID_PARAMETER);
    SECURITY_DESCRIPTOR descriptor;
    if (!api.InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION))
        return LastErrorOr(ERROR_INVALID_PARAMETER);
    // One entry: a header, the entry's fixed part and the world SID (12 bytes).
    DWORD aclBuffer[64] = {};
    PACL acl = reinterpret_cast<PACL>(aclBuffer);
    if (!api.InitializeAcl(acl, sizeof(aclBuffer), ACL_REVISION_DS)) return LastErrorOr(ERROR_INVALID_PARAMETER);
    constexpr DWORD kAceFlags = CONTAINER_INHERIT_ACE | INHERITED_ACE;
    if (!api.AddAccessAllowedObjectAce(acl, ACL_REVISION_DS, kAceFlags, KEY_ALL_ACCESS, nullptr, nullptr,
                                       everyone.Get())) {
        // Without object types the entry is the plain one; where the
        // object-entry call is not implemented (Wine answers 1) the plain call
        // of the same library builds it.
        const DWORD error = LastErrorOr(ERROR_INVALID_PARAMETER);
        const HMODULE advapi = api.Module(CAPIFunction::Library::kAdvapi32);
        const auto addPlain = reinterpret_cast<decltype(&::AddAccessAllowedAceEx)>(reinterpret_cast<void (*)()>(
            advapi != nullptr ? GetProcAddress(advapi, "AddAccessAllowedAceEx") : nullptr));
        if (addPlain == nullptr) return error;
        if (!addPlain(acl, ACL_REVISION_DS, kAceFlags, KEY_ALL_ACCESS, everyone.Get()))
            return LastErrorOr(ERROR_INVALID_PARAMETER);
    }
    if (!api.SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE)) return LastErrorOr(ERROR_INVALID_PARAMETER);
    if (!api.SetSecurityDescriptorControl(&descriptor, SE_DACL_AUTO_INHERITED, SE_DACL_AUTO_INHERITED))
        return LastErrorOr(ERROR_INVALID_PARAMETER);

    CRegKey key;
    const DWORD result = key.Open(root, path.c_str(), WRITE_DAC);
    if (result != ERROR_SUCCESS) return result;
    return RegSetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, &descriptor);
}

DWORD CRegistry::CopyKey(const wchar_t* source, const wchar_t* target, bool withSubKeys, HKEY sourceRoot,
                         HKEY targetRoot) {
    std::wstring from;
    std::wstring to;
    if (CheckKeyPath(source, from) != ERROR_SUCCESS || CheckKeyPath(target, to) != ERROR_SUCCESS)
        return ERROR_INVALID_PARAMETER;
    // A copy into its own tree would copy what it has just written.
    if (sourceRoot == targetRoot && IsAtOrUnder(to, from)) return ERROR_INVALID_PARAMETER;
    return CopyTree(from, to, withSubKeys, sourceRoot, targetRoot);
}

DWORD CRegistry::CopyTree(const std::wstring& source, const std::wstring& target, bool withSubKeys, HKEY sourceRoot,
                          HKEY targetRoot) {
    {
        CRegKey key;
        DWORD result = key.Open(sourceRoot, source.c_str(), KEY_READ);
        if (result != ERROR_SUCCESS) return result;
        DWORD subKeys = 0;
        result = RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr,
                                  nullptr, nullptr, nullptr);
        if (result != ERROR_SUCCESS) return result;
        for (DWORD index = 0; withSubKeys && index < subKeys; ++index) {
            wchar_t name[kNameChars];
            DWORD length = kNameChars;
            result = RegEnumKeyExW(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
            if (result != ERROR_SUCCESS) return result;
            result = CopyTree(source + L"\\" + name, target + L"\\" + name, true, sourceRoot, targetRoot);
            if (result != ERROR_SUCCESS) return result;
        }
    }
    return CopyValue(source.c_str(), target.c_str(), sourceRoot, targetRoot);
}

DWORD CRegistry::CopyValue(const wchar_t* source, const wchar_t* target, HKEY sourceRoot, HKEY targetRoot) {
    std::wstring from;
    std::wstring to;
    if (CheckKeyPath(source, from) != ERROR_SUCCESS || CheckKeyPath(target, to) != ERROR_SUCCESS)
        return ERROR_INVALID_PARAMETER;
    CRegKey key;
    DWORD result = key.Open(sourceRoot, from.c_str(), KEY_READ);
    if (result != ERROR_SUCCESS) return result;
    DWORD values = 0;
    result = RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                              nullptr, nullptr, nullptr);
    if (result != ERROR_SUCCESS) return result;
    {
        // The target exists even when the source has no values to carry.
        CRegKey created;
        result = created.Create(targetRoot, to.c_str(), KEY_WRITE);
        if (result != ERROR_SUCCESS) return result;
    }
    std::vector<wchar_t> data(kTextChars + 1);
    for (DWORD index = 0; index < values; ++index) {
        wchar_t name[kNameChars];
        DWORD nameLength = kNameChars;
        DWORD type = REG_NONE;
        DWORD size = kTextBytes;
        std::fill(data.begin(), data.end(), L'\0');
        result = RegEnumValueW(key.Get(), index, name, &nameLength, nullptr, &type,
                               reinterpret_cast<BYTE*>(data.data()), &size);
        if (result != ERROR_SUCCESS) return result;
        if (type == REG_SZ) {
            result = SetValue(to.c_str(), name, data.data(), targetRoot);
        } else if (type == REG_DWORD && size == sizeof(DWORD)) {
            DWORD number = 0;
            std::memcpy(&number, data.data(), sizeof(number));
            result = SetValue(to.c_str(), name, number, targetRoot);
        } else {
            continue;
        }
        if (result != ERROR_SUCCESS) return result;
    }
    return ERROR_SUCCESS;
}
