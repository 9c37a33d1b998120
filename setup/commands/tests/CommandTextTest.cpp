// The grammars of command-section lines and copy-section lines.
#include <gtest/gtest.h>

#include "CmdRecord.h"
#include "FileCommands.h"
#include "Tokenizer.h"

namespace {

TEST(CommandTextTest, CommandLinesSplitIntoTypeAndAtMostThreeTrimmedParameters) {
    struct Case {
        const wchar_t* line;
        std::array<const wchar_t*, 6> fields;
    };
    const Case cases[] = {
        {L" CT_ADDREG \t=\t ADD_REG.X , second ", {L"CT_ADDREG", L"ADD_REG.X", L"second", L"", L"", L""}},
        {L"CT_OPEN_TEST_PAGE=a,b,c,d", {L"CT_OPEN_TEST_PAGE", L"a", L"b", L"c", L"", L""}},
        {L"CT_RMHW_DLG", {L"CT_RMHW_DLG", L"", L"", L"", L"", L""}},
        {L"ct_exe_file_nowait = prog.exe,,x", {L"ct_exe_file_nowait", L"prog.exe", L"", L"x", L"", L""}},
        {L"CT_DLG_BACK =", {L"CT_DLG_BACK", L"", L"", L"", L"", L""}},
        {L"CT_EXE_FILE_WAIT = a=b, c", {L"CT_EXE_FILE_WAIT", L"a=b", L"c", L"", L"", L""}},
    };
    for (const Case& c : cases) {
        const CMD_RECORD record = ParseCmdLine(c.line);
        for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(record.fields[i], c.fields[i]) << c.line << " field " << i;
    }
}

TEST(CommandTextTest, RecordFieldsAreCutToTheirRoom) {
    const CMD_RECORD record = MakeCmdRecord(L"CT_COMMAND", std::wstring(9000, L'x'));
    EXPECT_EQ(record.Param(1).size(), CMD_RECORD::kFieldChars - 1);
}

TEST(CommandTextTest, TokenizerTreatsRunsOfSeparatorsAsOne) {
    CTokenizer tokens(L",,REG_SZ,, Name , a,b,c", L",");
    std::wstring_view token;
    ASSERT_TRUE(tokens.Next(token));
    EXPECT_EQ(token, L"REG_SZ");
    ASSERT_TRUE(tokens.Next(token));
    EXPECT_EQ(token, L" Name ");
    EXPECT_EQ(tokens.Rest(), L" a,b,c");
    ASSERT_TRUE(tokens.Next(token));
    ASSERT_TRUE(tokens.Next(token));
    ASSERT_TRUE(tokens.Next(token));
    EXPECT_EQ(token, L"c");
    EXPECT_FALSE(tokens.Next(token));
}

TEST(CommandTextTest, CopyLinesReadPathsAndFlags) {
    struct Case {
        const wchar_t* entry;
        bool parsed;
        bool directory;
        const wchar_t* source;
        const wchar_t* destination;
        bool withSubDirs;
        bool record;
    };
    const Case cases[] = {
        {L"FILE = $SRC_DIR$\\a.dll, $SYS_DIR$\\a.dll", true, false, L"$SRC_DIR$\\a.dll", L"$SYS_DIR$\\a.dll", true,
         true},
        {L"file = \"C:\\a b.dll\" ,\t\"D:\\a b.dll\"\t, 0", true, false, L"C:\\a b.dll", L"D:\\a b.dll", true, false},
        {L"FILE = a, b, 0, 1", true, false, L"a", L"b", true, true},
        {L"DIRECTORY = D:\\Setup\\Drv, C:\\Drv, 0", true, true, L"D:\\Setup\\Drv", L"C:\\Drv", false, true},
        {L"Directory = s,,d, x, 0", true, true, L"s", L"d", false, false},
        {L"DIRECTORY = s, d, 2, 7", true, true, L"s", L"d", true, true},
        {L"UNSUPPORTED_OS = W95", false, false, L"", L"", true, true},
        {L"FILES = a, b", false, false, L"", L"", true, true},
    };
    for (const Case& c : cases) {
        COPY_LINE line;
        EXPECT_EQ(ParseCopyLine(c.entry, line), c.parsed) << c.entry;
        if (!c.parsed) continue;
        EXPECT_EQ(line.directory, c.directory) << c.entry;
        EXPECT_EQ(line.source, c.source) << c.entry;
        EXPECT_EQ(line.destination, c.destination) << c.entry;
        EXPECT_EQ(line.withSubDirs, c.withSubDirs) << c.entry;
        EXPECT_EQ(line.record, c.record) << c.entry;
    }
}

}  // namespace
