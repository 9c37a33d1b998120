// A command section of the example medium copies documents, registers them
// and starts a program; a later removal takes the registry values back with
// CT_DELREG and undoes the installation history: the machine's files and
// registry are as they were before.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "FileSnapshot.h"
#include "LogReader.h"
#include "MachineState.h"
#include "Medium.h"
#include "Process.h"
#include "RegistrySnapshot.h"

namespace {

using namespace qs_test;

const std::wstring kDocuments = L"C:\\Program Files\\Quorvel\\LX-3200 Series\\Documents";
const std::wstring kDocumentsKey =
    L"HKLM\\Software\\Quorvel\\Quorvel LX-3200 Series Printer Software\\Documents";

std::wstring CommandDriver() {
    std::wstring path = L"Z:" QS_COMMAND_DRIVER;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

RunResult RunCommands(const std::wstring& medium, const std::wstring& lines) {
    return RunProgram(Quoted(CommandDriver()) + L" " + Quoted(medium + L"\\setup.exe") + L" " + lines);
}

// The machine as a removal must leave it: files on drive C: (less the logs
// in the temporary folder) and the registry's software keys.
struct Machine {
    FileSnapshot files;
    RegistrySnapshot machineSoftware;
    RegistrySnapshot userSoftware;

    static Machine Take() {
        return {FileSnapshot::Take(L"C:\\"), RegistrySnapshot::Take(L"HKLM\\Software"),
                RegistrySnapshot::Take(L"HKCU\\Software")};
    }
};

// Wine keeps bookkeeping of its own under HKCU\Software\Wine.
std::vector<std::wstring> WithoutWineKeys(std::vector<std::wstring> lines) {
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [](const std::wstring& line) {
                                   return line.find(L"[HKEY_CURRENT_USER\\Software\\Wine\\") != std::wstring::npos;
                               }),
                lines.end());
    return lines;
}

TEST(CommandSectionTest, RemovalPutsFilesAndRegistryBackAsTheyWere) {
    const std::wstring medium = MakeMedium(L"documents");
    ASSERT_FALSE(medium.empty());
    const Machine before = Machine::Take();

    const RunResult install = RunCommands(medium, L"\"CT_COMMAND = INST_DOCUMENTS_CMD\"");
    ASSERT_TRUE(install.finished);
    EXPECT_EQ(install.exitCode, 0u);
    const std::wstring licence = kDocuments + L"\\License\\License_EN.txt";
    EXPECT_NE(GetFileAttributesW(licence.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesW((kDocuments + L"\\Language\\Lang_DE.str").c_str()), INVALID_FILE_ATTRIBUTES);
    const RegistrySnapshot written = RegistrySnapshot::Take(kDocumentsKey);
    EXPECT_EQ(written.Value(kDocumentsKey, L"Licence"),
              L"\"C:\\\\Program Files\\\\Quorvel\\\\LX-3200 Series\\\\Documents\\\\License\\\\License_EN.txt\"");
    EXPECT_EQ(written.Value(kDocumentsKey, L"Languages"), L"dword:00000003");
    // The started program protects the copies; the removal still deletes them.
    bool readOnly = false;
    for (int i = 0; i < 200 && !readOnly; ++i) {
        readOnly = (GetFileAttributesW(licence.c_str()) & FILE_ATTRIBUTE_READONLY) != 0;
        if (!readOnly) Sleep(50);
    }
    EXPECT_TRUE(readOnly) << "attrib.exe was started and ended";

    const RunResult removal = RunCommands(medium, L"\"CT_DELREG = ADD_REG.DOCUMENTS\" CT_APP_TERMINATE");
    ASSERT_TRUE(removal.finished);
    EXPECT_EQ(removal.exitCode, 0u);

    const Machine after = Machine::Take();
    EXPECT_EQ(WithoutTemporaryFiles(FileSnapshot::Diff(before.files, after.files)), std::vector<std::wstring>{});
    EXPECT_EQ(RegistrySnapshot::Diff(before.machineSoftware, after.machineSoftware), std::vector<std::wstring>{});
    EXPECT_EQ(WithoutWineKeys(RegistrySnapshot::Diff(before.userSoftware, after.userSoftware)),
              std::vector<std::wstring>{});
}

}  // namespace
