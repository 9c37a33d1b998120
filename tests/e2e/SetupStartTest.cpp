// setup.exe started from a medium: its log, exit code, and what it records.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <regex>

#include "FileSnapshot.h"
#include "LogReader.h"
#include "Medium.h"
#include "Process.h"
#include "RegistrySnapshot.h"
#include "SetupRun.h"

namespace {

using namespace qs_test;

const std::wstring kProduct = L"HKLM\\Software\\Quorvel\\Quorvel LX-3200 Series Printer Software";
const std::wstring kInstanceName = L"Quorvel LX-3200 Series Printer Software Installer Program";

// The test tool that runs command lines on a medium.
std::wstring CommandDriver() {
    std::wstring path = L"Z:" QS_COMMAND_DRIVER;
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

SetupRun StartSetup(const std::wstring& medium, const std::wstring& arguments) {
    SetupRun run = qs_test::RunSetup(medium, arguments);
    EXPECT_TRUE(run.finished);
    EXPECT_TRUE(run.oneNewLog) << "one new log per run";
    return run;
}

// The log as the fixture writes it: no date or times, the user's folder as
// USER, and CR, LF and tab inside a message written as \r, \n and \t.
std::string Normalised(const SetupLog& log) {
    std::wstring text = log.Normalised();
    const std::wstring profile = TempDirectory().substr(0, TempDirectory().find(L"\\Temp\\"));
    const std::wstring users = profile.substr(0, profile.find_last_of(L'\\') + 1);
    for (std::size_t pos; (pos = text.find(profile)) != std::wstring::npos;)
        text.replace(pos, profile.size(), users + L"USER");
    std::string out;
    // The banner ends with its date line (now of the same length on every
    // day) and three line breaks.
    const std::wstring bannerMark = L"Data : DATE\r\n\r\n\r\n";
    const std::size_t mark = text.find(bannerMark);
    const std::size_t bannerEnd = mark == std::wstring::npos ? 0 : mark + bannerMark.size();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (i < bannerEnd) {
            if (c != L'\r') out += static_cast<char>(c);
            continue;
        }
        if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n' &&
            (i + 2 == text.size() || text.compare(i + 2, 8, L"[TIME]  ") == 0)) {
            out += '\n';
            ++i;
        } else if (c == L'\r') {
            out += "\\r";
        } else if (c == L'\n') {
            out += "\\n";
        } else if (c == L'\t') {
            out += "\\t";
        } else {
            out += c < 128 ? static_cast<char>(c) : '?';
        }
    }
    return out;
}

std::string Fixture(const char* name) {
    std::ifstream in(std::string(QS_FIXTURES_DIR) + "/" + name, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(SetupStart, APlainStartLogsWhatTheHandWrittenLogSays) {
    const std::wstring medium = MakeMedium(L"plain");
    ASSERT_FALSE(medium.empty()) << "QS_MEDIUM_DIR: " << StagedMediumDirectory();
    const SetupRun run = StartSetup(medium, L"");
    EXPECT_EQ(run.exitCode, 0u);
    const std::string expected = Fixture("plain-start.log");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(Normalised(run.log), expected);

    // It made and recorded the destination, and wrote nothing to the medium.
    EXPECT_NE(GetFileAttributesW(L"C:\\Program Files\\Quorvel\\LX-3200 Series"), INVALID_FILE_ATTRIBUTES);
    const RegistrySnapshot records = RegistrySnapshot::Take(kProduct);
    EXPECT_EQ(records.Value(kProduct + L"\\Installing\\InstHistory", L"NumOfDirs"), L"dword:00000002");
    EXPECT_EQ(records.Value(kProduct + L"\\Installing", L"LangCode"), L"dword:00000009");
    EXPECT_FALSE(records.HasKey(kProduct + L"\\Installed"));
}

TEST(SetupStart, SwitchesSetDestinationPortLanguageAndMode) {
    const std::wstring medium = MakeMedium(L"switches");
    SetupRun run = StartSetup(medium, L"/A C:\\QsTarget /P LPT2: /L0x0407");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(run.log.Contains(L"Set Destination ==> C:\\QsTarget")) << run.log.Normalised();
    EXPECT_TRUE(run.log.Contains(L"Set Port : LPT2:"));
    EXPECT_TRUE(run.log.Contains(L"Set Language : Language Abbr\t\t= DE"));
    EXPECT_TRUE(run.log.Contains(L"Set Language : String file\t\t= Lang_DE.str"));
    EXPECT_TRUE(run.log.Contains(L"Run mode 1 : the wizard is not part of this build; setup ends here"));
    EXPECT_NE(GetFileAttributesW(L"C:\\QsTarget\\"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(RegistrySnapshot::Take(kProduct + L"\\Installing").Value(kProduct + L"\\Installing", L"Dest_Dir"),
              L"\"C:\\\\QsTarget\"");

    const struct {
        const wchar_t* arguments;
        int mode;
    } modes[] = {{L"-r", 3}, {L"/U", 2}, {L"/D", 6}, {L"/Lxyz", 1}};
    for (const auto& m : modes) {
        run = StartSetup(medium, m.arguments);
        EXPECT_EQ(run.exitCode, 0u) << m.arguments;
        EXPECT_EQ(run.log.Count(L"Run mode " + std::to_wstring(m.mode) + L" :"), 1u)
            << m.arguments << "\n" << run.log.Normalised();
    }
}

// Without the installer library nothing installs: the run fails, and a
// script installation leaves its records, the start information among them.
TEST(SetupStart, SilentRunsWriteTheStartInformation) {
    const struct {
        const wchar_t* arguments;
        const wchar_t* settingFile;
        int mode;
    } cases[] = {
        {L"/S", nullptr, 1},
        {L"", L"[INSTALL]\r\nSILENT=1\r\n", 7},
    };
    for (const auto& c : cases) {
        std::vector<OverlayFile> overlay{{L"data\\Vxrun.dll", L"", FileKind::Remove}};
        if (c.settingFile != nullptr) overlay.push_back({L"Config.ini", c.settingFile, FileKind::Ansi});
        const std::wstring medium = MakeMedium(L"silent", overlay);
        RunProgram(L"reg.exe delete \"" + kProduct + L"\" /f");
        const SetupRun run = StartSetup(medium, c.arguments);
        EXPECT_EQ(run.exitCode, 1603u);
        EXPECT_TRUE(run.log.Contains(L"Silent run mode " + std::to_wstring(c.mode) + L" ends with exit code 1603"))
            << run.log.Normalised();
        EXPECT_EQ(run.log.Count(L"Call Pre-Installer : Command ==> /P " + medium + L"\\setup.dat /S " + medium), 1u);
        if (c.mode != 7) continue;
        const std::wstring key = kProduct + L"\\Installing";
        const RegistrySnapshot info = RegistrySnapshot::Take(key);
        EXPECT_EQ(info.Value(key, L"MFG"), L"\"Quorvel\"");
        EXPECT_EQ(info.Value(key, L"MDL"), L"\"LX-3200 Series\"");
        EXPECT_EQ(info.Value(key, L"VIDPID"), L"\"VID_3A17&PID_3200\"");
        EXPECT_EQ(info.Value(key, L"Printer_Port"), L"\"LPT1:\"");
        EXPECT_EQ(info.Value(key, L"Program_Name"), L"\"Quorvel LX-3200 Series Printer Software\"");
        EXPECT_EQ(info.Value(key, L"LangCode"), L"dword:00000009");
        EXPECT_EQ(info.Value(key, L"LangAbbr"), L"\"EN\"");
        EXPECT_EQ(info.Value(key, L"Dest_Dir"), L"\"C:\\\\Program Files\\\\Quorvel\\\\LX-3200 Series\"");
        EXPECT_EQ(info.Value(key, L"Win_Dir"), L"\"C:\\\\windows\"");
        EXPECT_EQ(info.Value(key, L"OS_Ver"), L"dword:00000007");
        EXPECT_FALSE(info.Value(key, L"Temp_Dir").empty());
        EXPECT_FALSE(info.Value(key, L"STR_FILE").empty());
    }
    // The setting file asks only a plain start to be silent.
    const std::wstring medium = MakeMedium(L"silent-remove", {{L"Config.ini", L"[INSTALL]\r\nSILENT=1\r\n", FileKind::Ansi}});
    const SetupRun run = StartSetup(medium, L"/U");
    EXPECT_EQ(run.log.Count(L"Run mode 2 :"), 1u) << run.log.Normalised();
}

TEST(SetupStart, FailuresEndWithTheInstallerFatalErrorCode) {
    const struct {
        std::vector<OverlayFile> overlay;
        const wchar_t* arguments;
        std::vector<std::wstring> lines;
    } cases[] = {
        {{{L"setup.dat", L"", FileKind::Remove}}, L"", {L"Initialize Profiles fail!!", L"Initilize global variable fail"}},
        {{{L"data\\vxinst.vxi", L"", FileKind::Remove}}, L"/S", {L"Initilize global variable fail"}},
    };
    for (const auto& c : cases) {
        const SetupRun run = StartSetup(MakeMedium(L"broken", c.overlay), c.arguments);
        EXPECT_EQ(run.exitCode, 1603u);
        for (const std::wstring& line : c.lines) EXPECT_TRUE(run.log.Contains(line)) << line << "\n" << run.log.Normalised();
        EXPECT_TRUE(run.log.Contains(L"End of installation"));
    }
    const SetupRun longLine = StartSetup(MakeMedium(L"long"), L"/Q" + std::wstring(9000, L'x'));
    ASSERT_FALSE(longLine.log.messages.empty());
    EXPECT_EQ(longLine.log.messages[0].size(), std::wstring(L"Parameter : ").size() + 8191);
    EXPECT_EQ(longLine.exitCode, 0u);
}

// Leaves an installing history as a run killed in the middle would: one
// directory and one file in it.
void LeaveInstallingHistory(const std::wstring& folder) {
    CreateDirectoryW(folder.c_str(), nullptr);
    std::ofstream((folder + L"\\left.txt").c_str()) << "copied before the power went";
    const std::wstring key = kProduct + L"\\Installing\\InstHistory";
    const std::vector<std::wstring> values{L"/v Dir0 /d " + Quoted(folder), L"/v NumOfDirs /t REG_DWORD /d 1",
                                           L"/v File0 /d " + Quoted(folder + L"\\left.txt"),
                                           L"/v NumOfFiles /t REG_DWORD /d 1"};
    for (const std::wstring& args : values) {
        const RunResult added = RunProgram(L"reg.exe add " + Quoted(key) + L" " + args + L" /f");
        ASSERT_TRUE(added.finished && added.exitCode == 0) << args;
    }
}

TEST(SetupStart, AnInterruptedRunsHistoryIsCarriedOverAndALaterRemovalFindsIt) {
    const std::wstring folder = L"C:\\qs-interrupted";
    LeaveInstallingHistory(folder);
    const SetupRun run = StartSetup(MakeMedium(L"interrupted"), L"");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(run.log.Contains(L"An interrupted installation left its history: carried over (Software\\Quorvel\\"
                                 L"Quorvel LX-3200 Series Printer Software\\Installing\\InstHistory) ==> (Software\\"
                                 L"Quorvel\\Quorvel LX-3200 Series Printer Software\\Installed\\InstHistory), "
                                 L"0 component records"))
        << run.log.Normalised();
    const RegistrySnapshot after = RegistrySnapshot::Take(kProduct);
    EXPECT_EQ(after.Value(kProduct + L"\\Installed\\InstHistory", L"File0"), L"\"C:\\\\qs-interrupted\\\\left.txt\"");
    // What is left there now is this run's own (its destination).
    EXPECT_EQ(after.Value(kProduct + L"\\Installing\\InstHistory", L"File0"), L"");

    // The removal of a later run undoes it.
    const RunResult removal = RunProgram(Quoted(CommandDriver()) + L" " +
                                         Quoted(StagedMediumDirectory() + L"\\setup.exe") + L" CT_APP_TERMINATE");
    EXPECT_TRUE(removal.finished && removal.exitCode == 0);
    EXPECT_EQ(GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES);
}

// A second start while another instance holds the mutex.
TEST(SetupStart, ASecondInstanceBringsTheFirstToTheFrontOrEnds) {
    const std::wstring folder = TempDirectory() + L"qs-holder";
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const bool withWindow : {false, true}) {
        const std::wstring ready = folder + L"\\ready", stop = folder + L"\\stop", report = folder + L"\\report";
        DeleteFileW(ready.c_str());
        DeleteFileW(stop.c_str());
        DeleteFileW(report.c_str());
        wchar_t self[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring holder = self;
        holder = holder.substr(0, holder.find_last_of(L'\\')) + L"\\mutex_holder.exe";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        std::wstring command = Quoted(holder) + L" " + Quoted(kInstanceName) + (withWindow ? L" 1 " : L" 0 ") +
                               Quoted(ready) + L" " + Quoted(stop) + L" " + Quoted(report);
        ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &process));
        for (int i = 0; i < 500 && GetFileAttributesW(ready.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(20);

        LeaveInstallingHistory(folder + L"\\live");
        const SetupRun run = StartSetup(MakeMedium(L"second"), L"");
        // The history of the running instance is its own.
        EXPECT_TRUE(RegistrySnapshot::Take(kProduct).HasKey(kProduct + L"\\Installing\\InstHistory"));
        EXPECT_EQ(run.exitCode, 1603u);
        if (withWindow) {
            EXPECT_TRUE(run.log.Contains(L"The installer is already running")) << run.log.Normalised();
            EXPECT_NE(GetFileAttributesW(report.c_str()), INVALID_FILE_ATTRIBUTES) << "the holder was sent 2050";
        } else {
            EXPECT_TRUE(run.log.Contains(
                L"There is a previous running instance of this application, so it is terminated."))
                << run.log.Normalised();
        }
        std::ofstream(stop.c_str()) << "stop";
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    DeleteTree(folder);
}

}  // namespace
