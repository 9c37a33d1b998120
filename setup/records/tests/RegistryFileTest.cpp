// Registry files: the line and section format, saving a key tree, loading one,
// and that a saved tree loads back as it was.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "LogReader.h"
#include "Medium.h"
#include "Registry.h"
#include "RegistryFile.h"
#include "RegistryTestKey.h"

namespace {

using namespace records_test;
using registry_file::ValueKind;

struct ParseCase {
    const wchar_t* entry;
    ValueKind kind;
    const wchar_t* name;
    const wchar_t* text;
    DWORD number;
};

TEST(RegistryFileFormatTest, ReadsLines) {
    const std::vector<ParseCase> cases = {
        {L"\"Path\" = \"C:\\X\"", ValueKind::kText, L"Path", L"C:\\X", 0},
        {L"  \"sp ace\"  =  \"  padded  \"  ", ValueKind::kText, L"sp ace", L"  padded  ", 0},
        {L"\"a\"=\"x=y\"", ValueKind::kText, L"a", L"x=y", 0},
        {L"\"q\"=\"\"inner\"\"", ValueKind::kText, L"q", L"\"inner\"", 0},
        {L"\"\"=\"default\"", ValueKind::kText, L"", L"default", 0},
        {L"\"e\"=\"\"", ValueKind::kText, L"e", L"", 0},
        {L"\"n\"=dword:000000ff", ValueKind::kNumber, L"n", nullptr, 255},
        {L"\"n\" = DWORD:FF", ValueKind::kNumber, L"n", nullptr, 255},
        {L"\"n\"=dword: \"1234\" ", ValueKind::kNumber, L"n", nullptr, 0x1234},
        {L"\"n\"=dword:123456789", ValueKind::kNumber, L"n", nullptr, 0x23456789},
        {L"\"n\"=dword:zz10", ValueKind::kNumber, L"n", nullptr, 0x10},
        {L"\"n\"=dword:", ValueKind::kNumber, L"n", nullptr, 0},
        {L"\"b\"=hex:", ValueKind::kBinary, L"b", nullptr, 0},
        {L"\"b\"=Hex:01,02", ValueKind::kBinary, L"b", nullptr, 0},
        {L"\"s\"=string:abc", ValueKind::kUnknown, L"s", nullptr, 0},
        {L"\"d\" = dword 5", ValueKind::kUnknown, L"d", nullptr, 0},
        {L"\"o\"=\"", ValueKind::kUnknown, L"o", nullptr, 0},
        {L"a line without equals", ValueKind::kUnknown, L"a line without equals", nullptr, 0},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.entry, c.entry + wcslen(c.entry)).c_str());
        const registry_file::ValueLine line = registry_file::ParseLine(c.entry);
        EXPECT_EQ(line.kind, c.kind);
        EXPECT_EQ(line.name, c.name);
        if (c.kind == ValueKind::kText) {
            EXPECT_EQ(line.text, c.text);
        }
        if (c.kind == ValueKind::kNumber) {
            EXPECT_EQ(line.number, c.number);
        }
    }
}

TEST(RegistryFileFormatTest, SectionNamesSelectTheRoot) {
    struct Case {
        const wchar_t* section;
        HKEY root;
        const wchar_t* path;
    };
    const std::vector<Case> cases = {
        {L"HKEY_CURRENT_USER\\Software\\X", HKEY_CURRENT_USER, L"Software\\X"},
        {L"hkey_local_machine\\Software", HKEY_LOCAL_MACHINE, L"Software"},
        {L"HKEY_CLASSES_ROOT\\.qs", HKEY_CLASSES_ROOT, L".qs"},
        {L"HKEY_CURRENT_CONFIG\\A", HKEY_CURRENT_CONFIG, L"A"},
        {L"HKEY_DYN_DATA\\A", HKEY_DYN_DATA, L"A"},
        {L"HKEY_PERFORMANCE_DATA\\A", HKEY_PERFORMANCE_DATA, L"A"},
        {L"Software\\X", HKEY_LOCAL_MACHINE, L"Software\\X"},
        {L"HKEY_USERS\\S-1\\X", HKEY_LOCAL_MACHINE, L"HKEY_USERS\\S-1\\X"},
        {L"HKEY_CURRENT_USER", HKEY_CURRENT_USER, L""},
    };
    for (const Case& c : cases) {
        HKEY root = nullptr;
        std::wstring path;
        registry_file::SplitSectionName(c.section, root, path);
        EXPECT_EQ(root, c.root) << std::string(c.section, c.section + wcslen(c.section));
        EXPECT_EQ(path, c.path);
    }
    EXPECT_EQ(registry_file::SectionName(HKEY_LOCAL_MACHINE, L"Software\\Maker"),
              L"HKEY_LOCAL_MACHINE\\Software\\Maker");
    EXPECT_EQ(registry_file::RootName(HKEY_USERS), nullptr);
}

TEST(RegistryFileFormatTest, WritesOnlyWhatReadsBackTheSame) {
    struct Case {
        std::wstring name;
        std::wstring value;
        bool writable;
    };
    using registry_file::TextValue;
    const std::vector<Case> lines = {
        {L"Path", TextValue(L"C:\\new\\table"), true},
        {L"Url", TextValue(L"http://127.0.0.1/x"), true},
        {L"Command", TextValue(L"\"C:\\Program Files\\u.exe\" /s"), true},
        {L"", TextValue(L"default"), true},
        {L"Line", TextValue(L"one\r\n[HKEY_LOCAL_MACHINE\\Software\\Evil]"), false},
        {L"Odd", TextValue(L"5\" screen"), false},
        {L"Comment", TextValue(L"a\" // \"b"), false},
        {L"a=b", TextValue(L"x"), false},
        {L" padded", TextValue(L"x"), false},
        {L"quoted\"", TextValue(L"x"), false},
        {std::wstring(253, L'n'), registry_file::NumberValue(1), true},
        {std::wstring(254, L'n'), registry_file::NumberValue(1), false},
        {L"Big", TextValue(std::wstring(4093, L't')), true},
        {L"Bigger", TextValue(std::wstring(4094, L't')), false},
    };
    for (const Case& c : lines)
        EXPECT_EQ(registry_file::CanWriteLine(c.name, c.value), c.writable)
            << std::string(c.value.begin(), c.value.end()).substr(0, 60);

    const std::vector<std::pair<std::wstring, bool>> sections = {
        {L"HKEY_CURRENT_USER\\Software\\Maker", true},
        {L"HKEY_CURRENT_USER\\Software\\a//b", false},
        {L"HKEY_CURRENT_USER\\Software\\\"q\"", false},
        {L"HKEY_CURRENT_USER\\Software\\trailing ", false},
        {L"HKEY_CURRENT_USER\\Software\\bracket]", false},
        {L"HKEY_CURRENT_USER\\" + std::wstring(237, L'k'), true},
        {L"HKEY_CURRENT_USER\\" + std::wstring(238, L'k'), false},
    };
    for (const auto& [section, writable] : sections)
        EXPECT_EQ(registry_file::CanWriteSection(section), writable) << std::string(section.begin(), section.end());
}

std::wstring ReadUnits(const std::wstring& path, std::size_t* bytes = nullptr) {
    std::wstring units;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return L"<missing>";
    const DWORD size = GetFileSize(file, nullptr);
    units.resize(size / sizeof(wchar_t));
    DWORD read = 0;
    ReadFile(file, units.data(), size, &read, nullptr);
    CloseHandle(file);
    if (bytes != nullptr) *bytes = size;
    return units;
}

class RegistryFileTest : public RegistryTestKey {
protected:
    void SetUp() override {
        RegistryTestKey::SetUp();
        folder_ = qs_test::TempDirectory() + L"qs-regfile-" + std::to_wstring(GetCurrentProcessId());
        qs_test::DeleteTree(folder_);
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
        file_ = folder_ + L"\\keys.reg";
    }
    void TearDown() override {
        qs_test::DeleteTree(folder_);
        RegistryTestKey::TearDown();
    }
    std::wstring Section(const std::wstring& relative) const {
        return L"[HKEY_CURRENT_USER\\" + Path(relative) + L"]\r\n";
    }

    std::wstring folder_;
    std::wstring file_;
};

TEST_F(RegistryFileTest, SavesOneSectionPerKeyDepthFirst) {
    PutText(root_, Path(L"Saved"), L"Path", L"C:\\X");
    PutNumber(root_, Path(L"Saved"), L"Size", 1);
    const BYTE blob[2] = {1, 2};
    PutRaw(root_, Path(L"Saved"), L"Zip", REG_BINARY, blob, 2);
    PutRaw(root_, Path(L"Saved"), L"Zz_Multi", REG_MULTI_SZ, L"a\0b\0", 10);  // not written
    PutNumber(root_, Path(L"Saved\\A\\Deep"), L"N", 0xABCDEF01);
    PutRaw(root_, Path(L"Saved\\B"));

    ASSERT_EQ(CRegistry::SaveToFile(Path(L"Saved").c_str(), file_.c_str(), root_), ERROR_SUCCESS);
    std::size_t bytes = 0;
    const std::wstring text = ReadUnits(file_, &bytes);
    EXPECT_EQ(text, Section(L"Saved") + L"\"Path\" = \"C:\\X\"\r\n\"Size\" = dword:00000001\r\n\"Zip\" = hex:\r\n\r\n" +
                        Section(L"Saved\\A") + L"\r\n" + Section(L"Saved\\A\\Deep") +
                        L"\"N\" = dword:abcdef01\r\n\r\n" + Section(L"Saved\\B") + L"\r\n");
    EXPECT_EQ(bytes, text.size() * sizeof(wchar_t));  // UTF-16, no byte-order mark
}

TEST_F(RegistryFileTest, SaveRefusals) {
    PutText(root_, Path(L"K"), L"V", L"1");
    ASSERT_TRUE(qs_test::WriteProfileFile(file_, L"[X]\r\n"));
    EXPECT_EQ(CRegistry::SaveToFile(Path(L"K").c_str(), file_.c_str(), root_), static_cast<DWORD>(ERROR_FILE_EXISTS));
    EXPECT_EQ(ReadUnits(file_), L"[X]\r\n");

    const std::wstring other = folder_ + L"\\other.reg";
    EXPECT_EQ(CRegistry::SaveToFile(Path(L"Missing").c_str(), other.c_str(), root_), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(CRegistry::SaveToFile(L"S-1-5-18", other.c_str(), HKEY_USERS), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(CRegistry::SaveToFile((Path() + L"\\\\K").c_str(), other.c_str(), root_), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(CRegistry::SaveToFile(Path(L"K").c_str(), L"", root_), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(ReadUnits(other), L"<missing>");
}

TEST_F(RegistryFileTest, ASavedTreeLoadsBackAsItWas) {
    const std::vector<std::pair<const wchar_t*, std::wstring>> texts = {
        {L"Path", L"C:\\new\\table\\readme.txt"},  // backslash-n and -t stay as they are
        {L"Percent", L"%ProgramFiles%\\Maker"},
        {L"Command", L"\"C:\\Program Files\\Maker\\uninst.exe\" /remove"},
        {L"Url", L"http://127.0.0.1/setup"},
        {L"Empty", L""},
        {L"", L"the default value"},
        {L"Spaces", L"  both ends  "},
        {L"Equals", L"a=b"},
    };
    for (const auto& [name, text] : texts) PutText(root_, Path(L"Tree"), name, text);
    PutNumber(root_, Path(L"Tree"), L"Zero", 0);
    PutNumber(root_, Path(L"Tree"), L"Max", 0xFFFFFFFF);
    const BYTE blob[2] = {1, 2};
    PutRaw(root_, Path(L"Tree"), L"Blob", REG_BINARY, blob, 2);
    PutText(root_, Path(L"Tree\\Sub\\Deeper"), L"Deep", L"yes");
    PutRaw(root_, Path(L"Tree\\Empty"));

    ASSERT_EQ(CRegistry::SaveToFile(Path(L"Tree").c_str(), file_.c_str(), root_), ERROR_SUCCESS);
    DeleteTree(root_, Path(L"Tree"));
    ASSERT_FALSE(KeyExists(root_, Path(L"Tree")));
    ASSERT_EQ(CRegistry::LoadFromFile(file_.c_str()), ERROR_SUCCESS);

    for (const auto& [name, text] : texts) {
        const RawValue raw = GetRaw(root_, Path(L"Tree"), name);
        EXPECT_EQ(raw.type, static_cast<DWORD>(REG_SZ)) << name;
        EXPECT_EQ(raw.data.size(), (text.size() + 1) * sizeof(wchar_t)) << name;
        EXPECT_EQ(GetText(root_, Path(L"Tree"), name), text) << name;
    }
    EXPECT_EQ(GetRaw(root_, Path(L"Tree"), L"Zero").data, (std::vector<BYTE>{0, 0, 0, 0}));
    EXPECT_EQ(GetRaw(root_, Path(L"Tree"), L"Max").data, (std::vector<BYTE>{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(GetRaw(root_, Path(L"Tree"), L"Blob").result, ERROR_FILE_NOT_FOUND);  // its data is not kept
    EXPECT_EQ(GetText(root_, Path(L"Tree\\Sub\\Deeper"), L"Deep"), L"yes");
    EXPECT_TRUE(KeyExists(root_, Path(L"Tree\\Empty")));
}

TEST_F(RegistryFileTest, WhatTheFileCannotHoldIsLeftOutAndReported) {
    PutText(root_, Path(L"T"), L"Good", L"kept");
    PutText(root_, Path(L"T"), L"Injected", L"x\"\r\n[HKEY_CURRENT_USER\\" + Path(L"Evil") + L"]\r\n\"a\"=\"b");
    PutText(root_, Path(L"T"), L"Odd", L"5\" screen");
    PutText(root_, Path(L"T"), L"a=b", L"x");
    PutText(root_, Path(L"T\\bad//name"), L"V", L"1");
    PutText(root_, Path(L"T\\bad//name\\Child"), L"V", L"2");

    EXPECT_EQ(CRegistry::SaveToFile(Path(L"T").c_str(), file_.c_str(), root_), static_cast<DWORD>(ERROR_INVALID_DATA));
    DeleteTree(root_, Path(L"T"));
    EXPECT_EQ(CRegistry::LoadFromFile(file_.c_str()), ERROR_SUCCESS);
    EXPECT_EQ(GetText(root_, Path(L"T"), L"Good"), L"kept");
    EXPECT_EQ(GetRaw(root_, Path(L"T"), L"Injected").result, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetRaw(root_, Path(L"T"), L"Odd").result, ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(KeyExists(root_, Path(L"Evil")));
    EXPECT_FALSE(KeyExists(root_, Path(L"T\\bad//name")));
    EXPECT_FALSE(KeyExists(root_, Path(L"T\\bad")));
}

TEST_F(RegistryFileTest, LoadsAFileWrittenByHand) {
    const std::wstring hklm = L"Software\\QsTest\\RegistryFileLoad-" + std::to_wstring(GetCurrentProcessId());
    extra_.emplace_back(HKEY_LOCAL_MACHINE, hklm);
    extra_.emplace_back(HKEY_LOCAL_MACHINE, L"STRINGS");
    const std::wstring text =
        L"// registry export\r\n"
        L"[hkey_current_user\\" + Path(L"Hand") + L"]\r\n"
        L"\"Number\"=dword:000000ff\r\n"
        L"\"Kind\" = string:abc\r\n"
        L"\"Text\" = \"C:\\new\"   // a comment\r\n"
        L"\"Blob\" = hex:01,02\r\n"
        L"\"Ref\" = \"%MAKER%\\Driver\"\r\n"
        L"[" + hklm + L"]\r\n"
        L"\"Where\" = \"local machine\"\r\n"
        L"[STRINGS]\r\n"
        L"%MAKER% = \"Quorvel\"\r\n";
    ASSERT_TRUE(qs_test::WriteProfileFile(file_, text));
    // A line of unknown type is reported; every other line is written all the same.
    EXPECT_EQ(CRegistry::LoadFromFile(file_.c_str()), static_cast<DWORD>(ERROR_INVALID_DATA));
    DWORD number = 0;
    EXPECT_EQ(CRegistry::GetValue(Path(L"Hand").c_str(), L"Number", &number, root_), ERROR_SUCCESS);
    EXPECT_EQ(number, 255u);
    EXPECT_EQ(GetRaw(root_, Path(L"Hand"), L"Kind").result, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetText(root_, Path(L"Hand"), L"Text"), L"C:\\new");
    EXPECT_EQ(GetRaw(root_, Path(L"Hand"), L"Blob").result, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetText(root_, Path(L"Hand"), L"Ref"), L"Quorvel\\Driver");
    EXPECT_EQ(GetText(HKEY_LOCAL_MACHINE, hklm, L"Where"), L"local machine");
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, L"STRINGS"));  // references, not a key

    EXPECT_EQ(CRegistry::LoadFromFile((folder_ + L"\\missing.reg").c_str()), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(CRegistry::LoadFromFile(L""), ERROR_INVALID_PARAMETER);
}

}  // namespace
