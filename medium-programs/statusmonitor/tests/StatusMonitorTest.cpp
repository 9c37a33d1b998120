// The status monitor's own installer and uninstaller, started from the staged
// medium as setup starts them, in a prefix of their own: what they leave in
// the file system and the registry, their exit codes, and what is left after
// a restart.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "LogReader.h"
#include "Medium.h"
#include "Process.h"
#include "SetupExitCode.h"
#include "UninstallExitCode.h"

using qs_test::Quoted;

namespace {

const wchar_t kProductKey[] = L"Software\\Quorvel\\Status Monitor";
const wchar_t kMakerKey[] = L"Software\\Quorvel";
const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QvStatusMonitor";
const wchar_t kProgramFiles[] = L"C:\\Program Files";
const wchar_t kDefaultDirectory[] = L"C:\\Program Files\\Quorvel\\Status Monitor";

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool KeyExists(const wchar_t* key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

// The value as text: REG_SZ as it is, REG_DWORD as "dword:<decimal>"; empty when missing.
std::wstring Value(const wchar_t* key, const wchar_t* name) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return L"";
    std::vector<BYTE> data(4096);
    DWORD size = static_cast<DWORD>(data.size() - sizeof(wchar_t));
    DWORD type = 0;
    std::wstring text;
    if (RegQueryValueExW(opened, name, nullptr, &type, data.data(), &size) == ERROR_SUCCESS) {
        if (type == REG_SZ)
            text = reinterpret_cast<const wchar_t*>(data.data());
        else if (type == REG_DWORD)
            text = L"dword:" + std::to_wstring(*reinterpret_cast<const DWORD*>(data.data()));
    }
    RegCloseKey(opened);
    return text;
}

LONGLONG FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The restart-time deletions and renames, sources with their "\??\" prefix, in order.
std::vector<std::pair<std::wstring, std::wstring>> PendingRenames() {
    std::vector<std::pair<std::wstring, std::wstring>> pairs;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\Session Manager", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return pairs;
    DWORD size = 0;
    if (RegQueryValueExW(key, L"PendingFileRenameOperations", nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS) {
        std::vector<wchar_t> data(size / sizeof(wchar_t) + 2, L'\0');
        if (RegQueryValueExW(key, L"PendingFileRenameOperations", nullptr, nullptr,
                             reinterpret_cast<BYTE*>(data.data()), &size) == ERROR_SUCCESS) {
            std::vector<std::wstring> texts;
            for (std::size_t i = 0; i < size / sizeof(wchar_t);) {
                texts.emplace_back(&data[i]);
                i += texts.back().size() + 1;
            }
            for (std::size_t i = 0; i + 1 < texts.size() && !texts[i].empty(); i += 2)
                pairs.emplace_back(texts[i], texts[i + 1]);
        }
    }
    RegCloseKey(key);
    return pairs;
}

class StatusMonitorTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::wstring medium = qs_test::StagedMediumDirectory();
        ASSERT_FALSE(medium.empty()) << "QS_MEDIUM_DIR is not set";
        staged_ = medium + L"\\Application\\StatusMonitor";
        for (const wchar_t* name : {L"setup.exe", L"QvStatus.exe", L"QvStatusUninst.exe"})
            ASSERT_TRUE(Exists(staged_ + L"\\" + name)) << "not staged: " << Narrow(name);
        setupLog_ = qs_test::TempDirectory() + L"QvStatusSetup.log";
    }

    qs_test::RunResult Setup(const std::wstring& arguments) const {
        return qs_test::RunProgram(Quoted(staged_ + L"\\setup.exe") + L" " + arguments, L"", 30000);
    }

    // Installs into |directory| and checks that it worked.
    void Install(const std::wstring& directory, const std::wstring& more = L"") const {
        const auto result = Setup(L"/S /D" + Quoted(directory) + L" " + more);
        ASSERT_TRUE(result.finished);
        ASSERT_EQ(result.exitCode, static_cast<DWORD>(kSetupSuccess));
    }

    static qs_test::RunResult Run(const std::wstring& commandLine) {
        return qs_test::RunProgram(commandLine, L"", 30000);
    }

    void ExpectRegistryClean() const {
        EXPECT_FALSE(KeyExists(kProductKey));
        EXPECT_FALSE(KeyExists(kUninstallKey));
    }

    std::wstring staged_;
    std::wstring setupLog_;
};

TEST_F(StatusMonitorTest, InstallPutsFilesValuesAndUninstallEntryInPlace) {
    const std::wstring directory = L"C:\\Program Files\\Quorvel Test\\Status Monitor";
    // As setup passes them: four hex digits, a quoted directory.
    Install(directory, L"/L0407");

    for (const wchar_t* name : {L"QvStatus.exe", L"QvStatusUninst.exe"}) {
        EXPECT_EQ(FileSize(directory + L"\\" + name), FileSize(staged_ + L"\\" + name)) << Narrow(name);
    }
    EXPECT_FALSE(Exists(directory + L"\\setup.exe"));

    EXPECT_EQ(Value(kProductKey, L"InstallDir"), directory);
    EXPECT_EQ(Value(kProductKey, L"Language"), L"dword:1031");
    EXPECT_EQ(Value(kProductKey, L"Version"), L"1.4.0");
    EXPECT_EQ(Value(kProductKey, L"RepairCount"), L"") << "an installation is no repair";
    EXPECT_EQ(Value(kUninstallKey, L"DisplayName"), L"Quorvel Status Monitor");
    EXPECT_EQ(Value(kUninstallKey, L"UninstallString"), L"\"" + directory + L"\\QvStatusUninst.exe\" /S");
    EXPECT_EQ(Value(kUninstallKey, L"Publisher"), L"Quorvel Corporation");
    EXPECT_EQ(Value(kUninstallKey, L"DisplayVersion"), L"1.4.0");
    EXPECT_EQ(Value(kUninstallKey, L"InstallLocation"), directory);

    // The installed utility runs.
    const auto utility = Run(Quoted(directory + L"\\QvStatus.exe") + L" /version");
    ASSERT_TRUE(utility.finished);
    EXPECT_EQ(utility.exitCode, 0u);
}

TEST_F(StatusMonitorTest, DirectoryAndLanguageDefaultAndEveryLanguageFormIsRead) {
    struct Case {
        const wchar_t* arguments;
        const wchar_t* language;
    };
    const Case cases[] = {
        {L"/S", L"dword:1033"},                // no /L: English
        {L"/s /L0x040C", L"dword:1036"},       // 0x hex
        {L"-S /l1031", L"dword:1031"},         // decimal
        {L"/S /L040c", L"dword:1036"},         // setup's four hex digits, lower case
        {L"/S /L0409", L"dword:1033"},
    };
    for (const Case& c : cases) {
        const auto result = Setup(c.arguments);
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, static_cast<DWORD>(kSetupSuccess)) << Narrow(c.arguments);
        EXPECT_EQ(Value(kProductKey, L"Language"), c.language) << Narrow(c.arguments);
        EXPECT_EQ(Value(kProductKey, L"InstallDir"), kDefaultDirectory) << Narrow(c.arguments);
    }
    EXPECT_TRUE(Exists(std::wstring(kDefaultDirectory) + L"\\QvStatus.exe"));
}

TEST_F(StatusMonitorTest, RepairCopiesTheFilesAgainAndCountsEachRun) {
    const std::wstring directory = L"C:\\Program Files\\Quorvel Test\\Status Monitor";
    Install(directory, L"/L0407");
    ASSERT_TRUE(DeleteFileW((directory + L"\\QvStatus.exe").c_str()));

    // As setup's reinstall command: no /D, the installation's directory is used.
    auto result = Setup(L"/S /REPAIR /L040C");
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, static_cast<DWORD>(kSetupSuccess));
    EXPECT_TRUE(Exists(directory + L"\\QvStatus.exe"));
    EXPECT_EQ(Value(kProductKey, L"RepairCount"), L"dword:1");
    EXPECT_EQ(Value(kProductKey, L"Language"), L"dword:1036");

    result = Setup(L"/S /REPAIR");
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, static_cast<DWORD>(kSetupSuccess));
    EXPECT_EQ(Value(kProductKey, L"RepairCount"), L"dword:2");
    EXPECT_EQ(Value(kProductKey, L"Language"), L"dword:1036") << "without /L the language stays";
    EXPECT_EQ(Value(kProductKey, L"InstallDir"), directory);
    EXPECT_FALSE(Exists(kDefaultDirectory));
}

TEST_F(StatusMonitorTest, RefusedRunsMakeNothing) {
    const std::wstring directory = L"C:\\Program Files\\Quorvel Test\\Status Monitor";
    const std::wstring dir = L"/D" + Quoted(directory);
    struct Case {
        std::wstring arguments;
        DWORD exitCode;
        bool logged;  // /FAIL ends before the log is opened
    };
    const Case cases[] = {
        {L"/S /REPAIR /L0409", kSetupNotInstalled, true},
        {L"", kSetupNotSilent, true},
        {L"/L0409 " + dir, kSetupNotSilent, true},
        {L"/REPAIR /L0409", kSetupNotSilent, true},
        {L"/FAIL7", 7, false},
        {L"/S /L0409 " + dir + L" /FAIL7", 7, false},
        {L"/S /FAIL0", 0, false},
        {L"/S /FAILx", kSetupBadArguments, true},
        {L"/S /Lxyz", kSetupBadArguments, true},
        {L"/S /L0", kSetupBadArguments, true},
        {L"/S /L", kSetupBadArguments, true},
        {L"/S /DStatus", kSetupBadArguments, true},
        {L"/S /D\"C:\\\\\"", kSetupBadArguments, true},
        {L"/S /D", kSetupBadArguments, true},
        {L"/S " + dir + L" " + dir, kSetupBadArguments, true},
        {L"/S /S", kSetupBadArguments, true},
        {L"/S /X", kSetupBadArguments, true},
        {L"/S stray", kSetupBadArguments, true},
    };
    for (const Case& c : cases) {
        const LONGLONG logBefore = FileSize(setupLog_);
        const auto result = Setup(c.arguments);
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, c.exitCode) << Narrow(c.arguments);
        EXPECT_EQ(FileSize(setupLog_) > logBefore, c.logged) << Narrow(c.arguments);
        ExpectRegistryClean();
        EXPECT_FALSE(Exists(directory)) << Narrow(c.arguments);
        EXPECT_FALSE(Exists(kDefaultDirectory)) << Narrow(c.arguments);
    }
}

TEST_F(StatusMonitorTest, UninstallRemovesEverythingAndTheRestartTakesItsOwnFile) {
    Install(kDefaultDirectory);
    const std::wstring directory = kDefaultDirectory;
    const std::wstring uninstaller = directory + L"\\QvStatusUninst.exe";

    // As setup or the system's program list does: the recorded command.
    const std::wstring command = Value(kUninstallKey, L"UninstallString");
    ASSERT_EQ(command, Quoted(uninstaller) + L" /S");
    const auto result = Run(command);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, static_cast<DWORD>(kUninstallSuccess));

    EXPECT_FALSE(Exists(directory + L"\\QvStatus.exe"));
    ExpectRegistryClean();
    EXPECT_FALSE(KeyExists(kMakerKey)) << "the emptied maker key stays";

    // Its running file waits for the restart, then the folders it alone keeps.
    EXPECT_TRUE(Exists(uninstaller));
    std::vector<std::wstring> pending;
    for (const auto& pair : PendingRenames()) {
        EXPECT_EQ(pair.second, L"") << "a deletion, not a rename: " << Narrow(pair.first);
        pending.push_back(pair.first);
    }
    EXPECT_EQ(pending, (std::vector<std::wstring>{L"\\??\\" + uninstaller, L"\\??\\" + directory,
                                                  L"\\??\\C:\\Program Files\\Quorvel"}));

    const auto restart = Run(L"wineboot.exe -r");
    ASSERT_TRUE(restart.started);
    ASSERT_TRUE(restart.finished);
    EXPECT_FALSE(Exists(uninstaller));
    EXPECT_FALSE(Exists(directory));
    EXPECT_FALSE(Exists(L"C:\\Program Files\\Quorvel"));
    EXPECT_TRUE(Exists(kProgramFiles));
    EXPECT_TRUE(PendingRenames().empty());

    // Nothing left to remove: the uninstall entry is gone, and the program says so.
    const std::wstring copy = qs_test::TempDirectory() + L"QvStatusUninst-copy.exe";
    ASSERT_TRUE(CopyFileW((staged_ + L"\\QvStatusUninst.exe").c_str(), copy.c_str(), FALSE));
    const auto again = Run(Quoted(copy) + L" /S");
    ASSERT_TRUE(again.finished);
    EXPECT_EQ(again.exitCode, static_cast<DWORD>(kUninstallNotInstalled));
    DeleteFileW(copy.c_str());
}

TEST_F(StatusMonitorTest, UninstallLeavesWhatItDidNotInstall) {
    HKEY other = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Quorvel\\Other Product", 0, nullptr, 0, KEY_WRITE,
                              nullptr, &other, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(other);
    const std::wstring directory = L"C:\\Program Files\\Quorvel Test\\Status Monitor";
    Install(directory);
    // The utility writes a settings file of its own when it runs.
    const auto utility = Run(Quoted(directory + L"\\QvStatus.exe"));
    ASSERT_TRUE(utility.finished);
    EXPECT_EQ(utility.exitCode, 0u);
    ASSERT_TRUE(Exists(directory + L"\\QvStatus.ini"));

    // Refused command lines remove nothing.
    const std::wstring installed = Quoted(directory + L"\\QvStatusUninst.exe");
    const std::pair<std::wstring, DWORD> refused[] = {
        {L"", kUninstallNotSilent},
        {L"/S /X", kUninstallBadArguments},
        {L"/S /S", kUninstallBadArguments},
    };
    for (const auto& c : refused) {
        const auto result = Run(installed + L" " + c.first);
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, c.second) << Narrow(c.first);
    }
    EXPECT_TRUE(Exists(directory + L"\\QvStatus.exe"));
    EXPECT_TRUE(KeyExists(kProductKey));

    // A copy elsewhere deletes the installed uninstaller at once: nothing waits for a restart.
    const std::wstring copy = qs_test::TempDirectory() + L"QvStatusUninst-copy.exe";
    ASSERT_TRUE(CopyFileW((staged_ + L"\\QvStatusUninst.exe").c_str(), copy.c_str(), FALSE));
    const auto result = Run(Quoted(copy) + L" /S");
    DeleteFileW(copy.c_str());
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, static_cast<DWORD>(kUninstallSuccess));

    EXPECT_FALSE(Exists(directory + L"\\QvStatus.exe"));
    EXPECT_FALSE(Exists(directory + L"\\QvStatusUninst.exe"));
    EXPECT_TRUE(Exists(directory + L"\\QvStatus.ini"));
    EXPECT_TRUE(PendingRenames().empty());
    ExpectRegistryClean();
    EXPECT_TRUE(KeyExists(L"Software\\Quorvel\\Other Product"));
}

TEST_F(StatusMonitorTest, AnEmptiedDirectoryGoesWithItsEmptiedParentsButNotTheProgramFilesFolder) {
    const std::wstring directory = L"C:\\Program Files\\Quorvel Test\\Tools\\Status Monitor";
    Install(directory);
    const std::wstring copy = qs_test::TempDirectory() + L"QvStatusUninst-copy.exe";
    ASSERT_TRUE(CopyFileW((staged_ + L"\\QvStatusUninst.exe").c_str(), copy.c_str(), FALSE));
    const auto result = Run(Quoted(copy) + L" /S");
    DeleteFileW(copy.c_str());
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, static_cast<DWORD>(kUninstallSuccess));
    EXPECT_FALSE(Exists(L"C:\\Program Files\\Quorvel Test"));
    EXPECT_TRUE(Exists(kProgramFiles));
}

}  // namespace
