#pragma once
// A registry key of the test's own under HKCU\Software\QsTest (or another
// root), removed with everything under it when the test ends, and direct
// platform access for arranging and checking values.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace records_test {

struct RawValue {
    LSTATUS result = ERROR_FILE_NOT_FOUND;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

bool KeyExists(HKEY root, const std::wstring& path);
// Creates the key (and its parents) and, with a name, writes the value as given.
void PutRaw(HKEY root, const std::wstring& path, const wchar_t* name = nullptr, DWORD type = REG_SZ,
            const void* data = nullptr, DWORD bytes = 0);
void PutText(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& text);
void PutNumber(HKEY root, const std::wstring& path, const wchar_t* name, DWORD number);
RawValue GetRaw(HKEY root, const std::wstring& path, const wchar_t* name);
// The text of a string value (up to its first NUL); "<missing>" when absent.
std::wstring GetText(HKEY root, const std::wstring& path, const wchar_t* name);
void DeleteTree(HKEY root, const std::wstring& path);

class RegistryTestKey : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // |base_| joined with |relative|.
    std::wstring Path(const std::wstring& relative = L"") const;
    // A key path unique to this test under |parent|, removed in TearDown.
    std::wstring OwnKeyUnder(HKEY root, const std::wstring& parent);

    HKEY root_ = HKEY_CURRENT_USER;
    std::wstring base_;  // Software\QsTest\<test>-<process>
    std::vector<std::pair<HKEY, std::wstring>> extra_;
};

}  // namespace records_test
