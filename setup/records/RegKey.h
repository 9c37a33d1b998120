#pragma once
// An open registry key, closed when it goes out of scope.

#include <windows.h>

namespace records {

class CRegKey {
public:
    CRegKey() = default;
    ~CRegKey() { Close(); }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;
    CRegKey(CRegKey&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }
    CRegKey& operator=(CRegKey&& other) noexcept {
        if (this != &other) {
            Close();
            key_ = other.key_;
            other.key_ = nullptr;
        }
        return *this;
    }

    LSTATUS Open(HKEY root, const wchar_t* path, REGSAM access) {
        Close();
        const LSTATUS result = RegOpenKeyExW(root, path, 0, access, &key_);
        if (result != ERROR_SUCCESS) key_ = nullptr;
        return result;
    }
    LSTATUS Create(HKEY root, const wchar_t* path, REGSAM access) {
        Close();
        const LSTATUS result =
            RegCreateKeyExW(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key_, nullptr);
        if (result != ERROR_SUCCESS) key_ = nullptr;
        return result;
    }
    void Close() {
        if (key_ != nullptr) RegCloseKey(key_);
        key_ = nullptr;
    }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

}  // namespace records
