// The example medium as staged: every file reads, and every reference in it
// names something that exists, in every language.
#include <gtest/gtest.h>

#include <windows.h>

#include <regex>
#include <set>

#include "ConfigReader.h"
#include "Medium.h"

namespace {

using namespace qs_test;

const wchar_t* const kLanguages[] = {L"EN", L"DE", L"FR"};

std::set<std::wstring> MessageNames(const std::wstring& file) {
    CProfile profile(file.c_str(), nullptr);
    std::set<std::wstring> names;
    const SECTION_LIST* messages = profile.MainList().FindSection(L"MESSAGES");
    for (const LINE_LIST* line = messages ? messages->lines : nullptr; line; line = line->next) names.insert(line->key);
    return names;
}

TEST(ExampleMedium, DataFileNamesItsFilesAndIdentity) {
    const std::wstring medium = StagedMediumDirectory();
    ASSERT_FALSE(medium.empty());
    const std::wstring data = medium + L"\\setup.dat";
    CConfigReader reader;
    reader.Load(data.c_str(), data.c_str(), nullptr, false);
    for (const wchar_t* section : {L"PROGRAM_INFO", L"INSTALLER_FILE_INFO", L"OPTION", L"OS_DEFINE", L"OS_DIR", L"STRINGS"})
        EXPECT_TRUE(reader.HasSection(section)) << section;
    std::wstring value;
    for (const wchar_t* key : {L"MFG", L"MDL", L"VIDPID", L"PROGRAM_NAME"})
        EXPECT_TRUE(reader.GetString(L"PROGRAM_INFO", key, value, false) && !value.empty()) << key;
    ASSERT_TRUE(reader.GetString(L"INSTALLER_FILE_INFO", L"STRING_FILE_FORMAT", value, false));
    for (const wchar_t* key : {L"CONFIGURE_FILE", L"COMMAND_FILE"}) {
        ASSERT_TRUE(reader.GetString(L"INSTALLER_FILE_INFO", key, value, false)) << key;
        ASSERT_EQ(value.rfind(L".\\", 0), 0u) << value;
        EXPECT_NE(GetFileAttributesW((medium + value.substr(1)).c_str()), INVALID_FILE_ATTRIBUTES) << value;
    }
}

TEST(ExampleMedium, EveryReferenceResolvesInEveryLanguage) {
    const std::wstring medium = StagedMediumDirectory();
    const std::wstring data = medium + L"\\setup.dat";
    const std::set<std::wstring> english = MessageNames(medium + L"\\data\\String\\Lang_EN.str");
    EXPECT_GT(english.size(), 20u);
    const std::wregex unresolved(LR"((@[A-Z][A-Z0-9_]*@)|(%[A-Z][A-Z0-9_]*%))");
    for (const wchar_t* language : kLanguages) {
        const std::wstring strings = medium + L"\\data\\String\\Lang_" + language + L".str";
        EXPECT_EQ(MessageNames(strings), english) << language << ": the same messages as English";
        for (const wchar_t* file : {L"\\setup.dat", L"\\data\\vxinst.vxi", L"\\data\\vxinst.cmd"}) {
            CConfigReader reader;
            reader.Load((medium + file).c_str(), data.c_str(), strings.c_str(), false);
            std::size_t entries = 0;
            for (const SECTION_LIST* section = reader.Main().MainList().FindSection(); section; section = section->next) {
                for (const LINE_LIST* line = section->lines; line; line = line->next) {
                    std::wstring value;
                    if (!reader.GetString(section->name.c_str(), line->key.c_str(), value, false)) continue;
                    ++entries;
                    std::wsmatch match;
                    EXPECT_FALSE(std::regex_search(value, match, unresolved))
                        << language << " " << file << " [" << section->name << "] " << line->key << ": "
                        << (match.empty() ? L"" : match.str());
                }
            }
            EXPECT_GT(entries, 10u) << file;
        }
    }
}

}  // namespace
