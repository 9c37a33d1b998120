// A copy of a tree killed half way (copy_kill_driver ends its own process the
// hard way at a chosen step) leaves nothing that a removal of the installation
// history does not know of: everything found under the destination is
// recorded, and the removal takes away every file copied and every directory
// made, the destination root and its new parents included, while the source
// and everything beside the destination stay as they were.
//
// Runs in a prefix of its own: a killed process is no guest for the shared one.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "FileSnapshot.h"
#include "FileTestFixture.h"
#include "HistoryRemover.h"
#include "Process.h"

namespace {

using qs_components_test::FileTestFixture;

constexpr DWORD kKilledExitCode = 9;

// The source tree: folders (relative to the source root) and how many files
// each holds. "help\de" holds only a folder. 30 files in all.
struct SourceFolder {
    const wchar_t* path;
    int files;
};
const SourceFolder kSourceTree[] = {
    {L"", 5},       {L"drivers", 4}, {L"drivers\\x64", 5},     {L"drivers\\x86", 4},
    {L"help", 4},   {L"help\\de", 0}, {L"help\\de\\pages", 4}, {L"tools", 4},
};

struct KillCase {
    const char* name;
    const wchar_t* mode;   // copy_kill_driver's
    int filesBeforeKill;
};

std::ostream& operator<<(std::ostream& out, const KillCase& c) { return out << c.name; }

// Whichever order the file system lists the tree in, some folder of it is
// made after 12 files are copied (at least 17 are copied before the last one).
const KillCase kKillCases[] = {
    {"AfterTheFirstFile", L"files", 1},
    {"HalfWay", L"files", 15},
    {"JustAfterMakingAFolder", L"directory-after", 12},
};

std::wstring Upper(std::wstring text) {
    CharUpperBuffW(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

// The program built beside this one.
std::wstring BuiltProgram(const wchar_t* name) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring path = self;
    return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

// Every file and folder under |folder| (folders with a trailing backslash), in upper case.
void ListTree(const std::wstring& folder, std::vector<std::wstring>& files, std::vector<std::wstring>& folders) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = folder + L"\\" + name;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            folders.push_back(Upper(path + L"\\"));
            ListTree(path, files, folders);
        } else {
            files.push_back(Upper(path));
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

class CopyKillTest : public FileTestFixture, public ::testing::WithParamInterface<KillCase> {
protected:
    void SetUp() override {
        FileTestFixture::SetUp();
        source_ = Under(L"source");
        // Neither "out" nor "install" exists yet: the copy makes three folders
        // before its first file.
        destinationParent_ = Under(L"out");
        destination_ = Under(L"out\\install\\product");
    }

    // Writes the source tree, each file with content of its own and sizes
    // from a few bytes to 256 KB, and returns the number of files.
    int MakeSourceTree() {
        int total = 0;
        for (const SourceFolder& folder : kSourceTree) {
            const std::wstring path = *folder.path == L'\0' ? source_ : source_ + L"\\" + folder.path;
            EXPECT_TRUE(CreateDirectoryW(path.c_str(), nullptr)) << "cannot make the source folder";
            for (int i = 0; i < folder.files; ++i, ++total) {
                const std::wstring file = path + L"\\file" + std::to_wstring(i) + (i % 2 ? L".dll" : L".txt");
                sourceFiles_.push_back(file);
                WriteFile(file, Content(total));
            }
        }
        return total;
    }

    static std::string Content(int index) {
        const std::size_t size = index % 7 == 3 ? 256 * 1024 : static_cast<std::size_t>(index) * 997 + 3;
        std::string content(size, '\0');
        for (std::size_t i = 0; i < size; ++i) content[i] = static_cast<char>('a' + (i * 31 + index) % 26);
        return content;
    }

    std::wstring source_;
    std::wstring destinationParent_;
    std::wstring destination_;
    std::vector<std::wstring> sourceFiles_;
};

TEST_P(CopyKillTest, RemovalTakesAwayEverythingTheKilledCopyLeft) {
    const KillCase& kill = GetParam();
    // Something beside the destination that the removal must leave alone.
    ASSERT_TRUE(CreateDirectoryW(Under(L"kept").c_str(), nullptr));
    WriteFile(Under(L"kept\\settings.ini"), "kept");
    const int total = MakeSourceTree();
    const qs_test::FileSnapshot before = qs_test::FileSnapshot::Take(base_);

    const std::wstring command = qs_test::Quoted(BuiltProgram(L"copy_kill_driver.exe")) + L" " +
                                 qs_test::Quoted(history_) + L" " + qs_test::Quoted(source_) + L" " +
                                 qs_test::Quoted(destination_) + L" " + kill.mode + L" " +
                                 std::to_wstring(kill.filesBeforeKill);
    const qs_test::RunResult run = qs_test::RunProgram(command, L"", 60000);
    ASSERT_TRUE(run.started) << "cannot start copy_kill_driver.exe";
    ASSERT_TRUE(run.finished) << "copy_kill_driver.exe did not end";
    ASSERT_EQ(run.exitCode, kKilledExitCode) << "the copy was not killed half way";

    std::vector<std::wstring> files;
    std::vector<std::wstring> folders;
    ListTree(destinationParent_, files, folders);
    EXPECT_GE(files.size(), static_cast<std::size_t>(kill.filesBeforeKill));
    EXPECT_LT(files.size(), static_cast<std::size_t>(total));

    // Whatever the copy left on disk, the history knows of it.
    std::set<std::wstring> recorded;
    for (const std::wstring& entry : RecordedFiles()) recorded.insert(Upper(entry));
    for (const std::wstring& entry : RecordedDirs()) recorded.insert(Upper(entry));
    folders.push_back(Upper(destinationParent_ + L"\\"));
    for (const std::wstring& path : files) EXPECT_EQ(recorded.count(path), 1u) << "file not recorded: " << path;
    for (const std::wstring& path : folders) EXPECT_EQ(recorded.count(path), 1u) << "folder not recorded: " << path;
    // And it names nothing outside the destination's new parent.
    const std::wstring inside = Upper(destinationParent_ + L"\\");
    for (const std::wstring& entry : recorded)
        EXPECT_EQ(entry.rfind(inside, 0), 0u) << "recorded outside the destination: " << entry;

    CHistoryRemover remover;
    EXPECT_EQ(remover.RemoveRecorded(history_.c_str(), false), 0u);

    EXPECT_FALSE(Exists(destinationParent_)) << "the folders the copy made are still there";
    // The source and everything beside the destination are as they were.
    EXPECT_EQ(qs_test::FileSnapshot::Diff(before, qs_test::FileSnapshot::Take(base_)), std::vector<std::wstring>{});
    for (std::size_t i = 0; i < sourceFiles_.size(); ++i)
        EXPECT_EQ(ReadFile(sourceFiles_[i]), Content(static_cast<int>(i))) << "source file changed: " << i;
    EXPECT_EQ(ReadFile(Under(L"kept\\settings.ini")), "kept");
}

INSTANTIATE_TEST_SUITE_P(KillPoints, CopyKillTest, ::testing::ValuesIn(kKillCases),
                         [](const ::testing::TestParamInfo<KillCase>& point) { return point.param.name; });

}  // namespace
