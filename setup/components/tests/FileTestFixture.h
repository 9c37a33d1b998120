#pragma once
// A folder and an installation-history key of the test's own, removed when
// the test ends, with small helpers for files and history lists.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace qs_components_test {

class FileTestFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The full path of |relative| in the test's folder.
    std::wstring Under(const std::wstring& relative) const { return base_ + L"\\" + relative; }

    static void WriteFile(const std::wstring& path, const std::string& content);
    // The content, or "<missing>".
    static std::string ReadFile(const std::wstring& path);
    static bool Exists(const std::wstring& path);
    static bool IsDirectory(const std::wstring& path);

    // The entries of one list of the test's history key, in entry order.
    std::vector<std::wstring> Recorded(const wchar_t* entryPrefix, const wchar_t* countName) const;
    std::vector<std::wstring> RecordedFiles() const { return Recorded(L"File", L"NumOfFiles"); }
    std::vector<std::wstring> RecordedDirs() const { return Recorded(L"Dir", L"NumOfDirs"); }

    // The system's pending renames at restart, as its list of texts.
    static std::vector<std::wstring> PendingRenames();
    // Whether |target| is listed as the target of a pending rename.
    static bool IsPendingRenameTo(const std::wstring& target);

    std::wstring base_;     // no trailing backslash
    std::wstring history_;  // under HKEY_LOCAL_MACHINE, set as the default history key
    std::wstring unique_;

private:
    void ForgetOwnPendingRenames() const;

    std::vector<std::wstring> pendingAtStart_;
};

}  // namespace qs_components_test
