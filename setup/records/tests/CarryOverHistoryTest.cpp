// Carrying a history from one key to another, and taking back a newest entry,
// against the real registry.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "CarryOverHistory.h"
#include "InstHistory.h"
#include "RegistryTestKey.h"
#include "WithdrawHistoryRecord.h"

namespace {

using namespace records_test;

class CarryOverHistoryTest : public RegistryTestKey {
protected:
    CarryOverHistoryTest() { root_ = HKEY_LOCAL_MACHINE; }
    void SetUp() override {
        RegistryTestKey::SetUp();
        source_ = Path(L"Installing\\InstHistory");
        target_ = Path(L"Installed\\InstHistory");
    }

    void Record(const std::wstring& key, const wchar_t* text, HistoryKind kind) const {
        ASSERT_EQ(CInstHistory::Record(text, static_cast<DWORD>(kind), key.c_str(), false), 0u);
    }
    std::vector<std::wstring> List(const std::wstring& key, HistoryKind kind) const {
        const HISTORY_LIST* list = CInstHistory::List(static_cast<DWORD>(kind));
        std::vector<std::wstring> texts;
        const RawValue count = GetRaw(root_, key, list->countName);
        if (count.result != ERROR_SUCCESS) return texts;
        const DWORD n = *reinterpret_cast<const DWORD*>(count.data.data());
        for (DWORD i = 0; i < n; ++i)
            texts.push_back(GetText(root_, key, CInstHistory::EntryName(static_cast<DWORD>(kind), i).c_str()));
        return texts;
    }

    std::wstring source_;
    std::wstring target_;
};

TEST_F(CarryOverHistoryTest, AppendsEveryListInOrderAndDeletesTheSource) {
    Record(target_, L"C:\\Old\\old.dll", HistoryKind::kFile);
    Record(source_, L"C:\\New\\a.dll", HistoryKind::kFile);
    Record(source_, L"C:\\New\\b.dll", HistoryKind::kFile);
    Record(source_, L"C:\\New\\", HistoryKind::kDirectory);
    Record(source_, L"HKEY_LOCAL_MACHINE\\Software\\X", HistoryKind::kRegistryKey);
    Record(source_, L"HKEY_LOCAL_MACHINE\\Software\\X\\Name", HistoryKind::kRegistryValue);
    Record(source_, L"C:\\Menu\\App.lnk", HistoryKind::kShortcut);
    Record(source_, L"C:\\Program Files\\App", HistoryKind::kDestinationDirectory);
    // A hole in a list is passed over.
    Record(source_, L"C:\\Menu\\Gone.lnk", HistoryKind::kShortcut);
    RegDeleteKeyValueW(root_, source_.c_str(), L"Shortcut1");

    EXPECT_EQ(CarryOverHistory(source_.c_str(), target_.c_str()), 0u);

    EXPECT_EQ(List(target_, HistoryKind::kFile),
              (std::vector<std::wstring>{L"C:\\Old\\old.dll", L"C:\\New\\a.dll", L"C:\\New\\b.dll"}));
    EXPECT_EQ(List(target_, HistoryKind::kDirectory), (std::vector<std::wstring>{L"C:\\New\\"}));
    EXPECT_EQ(List(target_, HistoryKind::kRegistryKey),
              (std::vector<std::wstring>{L"HKEY_LOCAL_MACHINE\\Software\\X"}));
    EXPECT_EQ(List(target_, HistoryKind::kRegistryValue),
              (std::vector<std::wstring>{L"HKEY_LOCAL_MACHINE\\Software\\X\\Name"}));
    EXPECT_EQ(List(target_, HistoryKind::kShortcut), (std::vector<std::wstring>{L"C:\\Menu\\App.lnk"}));
    EXPECT_EQ(List(target_, HistoryKind::kDestinationDirectory),
              (std::vector<std::wstring>{L"C:\\Program Files\\App"}));
    EXPECT_FALSE(KeyExists(root_, source_));
    EXPECT_FALSE(KeyExists(root_, Path(L"Installing")));  // emptied parent
}

TEST_F(CarryOverHistoryTest, BadArgumentsKeepTheSource) {
    Record(source_, L"C:\\New\\a.dll", HistoryKind::kFile);
    const DWORD bad = ERROR_INVALID_PARAMETER;
    EXPECT_EQ(CarryOverHistory(L"", target_.c_str()), bad);
    EXPECT_EQ(CarryOverHistory(source_.c_str(), nullptr), bad);
    // Onto itself: deleting the source would lose everything.
    EXPECT_EQ(CarryOverHistory(source_.c_str(), source_.c_str()), bad);
    EXPECT_EQ(List(source_, HistoryKind::kFile), (std::vector<std::wstring>{L"C:\\New\\a.dll"}));
}

TEST_F(CarryOverHistoryTest, WithdrawTakesBackOnlyTheNewestMatchingEntry) {
    Record(source_, L"C:\\a.dll", HistoryKind::kFile);
    Record(source_, L"C:\\b.dll", HistoryKind::kFile);
    const DWORD file = static_cast<DWORD>(HistoryKind::kFile);
    // Another writer's entry came after: nothing is taken.
    EXPECT_EQ(WithdrawHistoryRecord(L"C:\\a.dll", file, source_.c_str()), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(WithdrawHistoryRecord(L"C:\\b.dll", file, source_.c_str()), 0u);
    EXPECT_EQ(List(source_, HistoryKind::kFile), (std::vector<std::wstring>{L"C:\\a.dll"}));
    EXPECT_EQ(GetText(root_, source_, L"File1"), L"<missing>");
    // The next record takes the freed number.
    Record(source_, L"C:\\c.dll", HistoryKind::kFile);
    EXPECT_EQ(List(source_, HistoryKind::kFile), (std::vector<std::wstring>{L"C:\\a.dll", L"C:\\c.dll"}));
}

}  // namespace
