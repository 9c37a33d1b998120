// Putting the system's setup source path back from its saved copy.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "Utl.h"

namespace {

struct Value {
    bool present = false;
    DWORD type = 0;
    std::vector<BYTE> data;
};

Value ReadValue(HKEY root, const std::wstring& subKey, const wchar_t* name, REGSAM view = 0) {
    Value value;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subKey.c_str(), 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS) return value;
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.data.resize(size);
        value.present = RegQueryValueExW(key, name, nullptr, &value.type, value.data.data(), &size) == ERROR_SUCCESS;
        value.data.resize(size);
    }
    RegCloseKey(key);
    return value;
}

bool WriteValue(HKEY root, const std::wstring& subKey, const wchar_t* name, const Value& value, REGSAM view = 0) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    const LONG error = value.present ? RegSetValueExW(key, name, 0, value.type, value.data.data(),
                                                      static_cast<DWORD>(value.data.size()))
                                     : RegDeleteValueW(key, name);
    RegCloseKey(key);
    return error == ERROR_SUCCESS || (!value.present && error == ERROR_FILE_NOT_FOUND);
}

Value Text(DWORD type, const std::wstring& text) {
    Value value;
    value.present = true;
    value.type = type;
    const BYTE* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    value.data.assign(bytes, bytes + (text.size() + 1) * sizeof(wchar_t));
    return value;
}

class SourcePathTest : public ::testing::Test {
protected:
    void SetUp() override {
        key_ = L"Software\\QsTest\\Utl-SourcePath-" + std::to_wstring(GetCurrentProcessId());
        RegDeleteTreeW(HKEY_CURRENT_USER, key_.c_str());
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, key_.c_str()); }

    LONG Restore() { return CUtl::RestoreSourcePath(HKEY_CURRENT_USER, key_.c_str(), 0); }
    Value Read(const wchar_t* name) { return ReadValue(HKEY_CURRENT_USER, key_, name); }

    std::wstring key_;
};

TEST_F(SourcePathTest, TheSavedPathComesBackWithItsTypeAndIsDeleted) {
    struct Case {
        const char* what;
        Value saved;
    };
    const Case cases[] = {
        {"text", Text(REG_SZ, L"D:\\I386")},
        {"expandable text", Text(REG_EXPAND_SZ, L"%SystemDrive%\\I386")},
        {"longer than a path", Text(REG_SZ, L"\\\\server\\share\\" + std::wstring(400, L'x'))},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteValue(HKEY_CURRENT_USER, key_, L"SourcePath", Text(REG_SZ, L"E:\\")));
        ASSERT_TRUE(WriteValue(HKEY_CURRENT_USER, key_, L"SourcePath_ORG", c.saved));
        EXPECT_EQ(Restore(), ERROR_SUCCESS) << c.what;
        const Value restored = Read(L"SourcePath");
        EXPECT_TRUE(restored.present) << c.what;
        EXPECT_EQ(restored.type, c.saved.type) << c.what;
        EXPECT_EQ(restored.data, c.saved.data) << c.what;
        EXPECT_FALSE(Read(L"SourcePath_ORG").present) << c.what;
    }
}

TEST_F(SourcePathTest, NothingSavedLeavesTheSourcePath) {
    EXPECT_EQ(Restore(), ERROR_FILE_NOT_FOUND) << "no key";
    const Value current = Text(REG_SZ, L"E:\\");
    ASSERT_TRUE(WriteValue(HKEY_CURRENT_USER, key_, L"SourcePath", current));
    EXPECT_EQ(Restore(), ERROR_FILE_NOT_FOUND) << "no saved path";
    EXPECT_EQ(Read(L"SourcePath").data, current.data);
}

// The system's own key (64-bit view), put back as it was afterwards.
class SystemSourcePathTest : public ::testing::Test {
protected:
    static constexpr const wchar_t* kKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup";
    void SetUp() override {
        HKEY key = nullptr;
        keyExisted_ = RegOpenKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ | KEY_WOW64_64KEY, &key) == ERROR_SUCCESS;
        if (key) RegCloseKey(key);
        sourcePath_ = ReadValue(HKEY_LOCAL_MACHINE, kKey, L"SourcePath", KEY_WOW64_64KEY);
        saved_ = ReadValue(HKEY_LOCAL_MACHINE, kKey, L"SourcePath_ORG", KEY_WOW64_64KEY);
    }
    void TearDown() override {
        if (!keyExisted_) {
            RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kKey, KEY_WOW64_64KEY, 0);
            return;
        }
        WriteValue(HKEY_LOCAL_MACHINE, kKey, L"SourcePath", sourcePath_, KEY_WOW64_64KEY);
        WriteValue(HKEY_LOCAL_MACHINE, kKey, L"SourcePath_ORG", saved_, KEY_WOW64_64KEY);
    }

    bool keyExisted_ = false;
    Value sourcePath_;
    Value saved_;
};

TEST_F(SystemSourcePathTest, RestoresTheSystemsSourcePath) {
    const Value saved = Text(REG_SZ, L"Z:\\QsTest\\I386");
    ASSERT_TRUE(WriteValue(HKEY_LOCAL_MACHINE, kKey, L"SourcePath_ORG", saved, KEY_WOW64_64KEY));
    EXPECT_EQ(CUtl::RestoreSourcePath(), ERROR_SUCCESS);
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kKey, L"SourcePath", KEY_WOW64_64KEY).data, saved.data);
    EXPECT_FALSE(ReadValue(HKEY_LOCAL_MACHINE, kKey, L"SourcePath_ORG", KEY_WOW64_64KEY).present);
}

}  // namespace
