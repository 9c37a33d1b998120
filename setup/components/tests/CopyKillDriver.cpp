// Copies a tree with the copy engine, recording into a history key, and ends
// its own process the hard way (TerminateProcess, exit code 9: no destructor,
// no clean-up) at a chosen step of the copy, as a power cut or a task manager
// would. The kill test then removes what the history records.
//
//   copy_kill_driver HISTORY_KEY SOURCE DESTINATION files N
//       killed right after the N-th file is copied
//   copy_kill_driver HISTORY_KEY SOURCE DESTINATION directory-after N
//       killed right after the first directory made once N files are copied
//
// Exit codes: 9 killed; 0 the copy ended before the chosen step; 1 the copy
// failed; 2 bad arguments.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "CopyObserver.h"
#include "FileOperations.h"
#include "InstHistory.h"

namespace {

constexpr UINT kKilledExitCode = 9;

enum class KillAt { kFile, kDirectoryAfterFiles };

KillAt gKillAt = KillAt::kFile;
unsigned long gFilesBeforeKill = 0;
unsigned long gFilesCopied = 0;

void KillHere(const wchar_t* path) {
    std::fwprintf(stderr, L"copy_kill_driver: killed after %lu files, at %ls\n", gFilesCopied, path);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), kKilledExitCode);
}

void OnCopyStep(CopyStep step, const wchar_t* path) {
    if (step == CopyStep::kFileCopied) {
        ++gFilesCopied;
        if (gKillAt == KillAt::kFile && gFilesCopied == gFilesBeforeKill) KillHere(path);
    } else if (gKillAt == KillAt::kDirectoryAfterFiles && gFilesCopied >= gFilesBeforeKill) {
        KillHere(path);
    }
}

int Usage() {
    std::fwprintf(stderr, L"usage: copy_kill_driver HISTORY_KEY SOURCE DESTINATION files|directory-after N\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 6) return Usage();
    const std::wstring mode = argv[4];
    if (mode == L"files") {
        gKillAt = KillAt::kFile;
    } else if (mode == L"directory-after") {
        gKillAt = KillAt::kDirectoryAfterFiles;
    } else {
        return Usage();
    }
    wchar_t* end = nullptr;
    gFilesBeforeKill = std::wcstoul(argv[5], &end, 10);
    if (end == argv[5] || *end != L'\0' || gFilesBeforeKill == 0) return Usage();

    CInstHistory::SetDefaultKey(argv[1]);
    SetCopyObserver(&OnCopyStep);
    if (!CopyTree(argv[2], argv[3], true, true)) {
        std::fwprintf(stderr, L"copy_kill_driver: copying %ls to %ls failed\n", argv[2], argv[3]);
        return 1;
    }
    std::fwprintf(stderr, L"copy_kill_driver: the copy ended after %lu files, before the chosen step\n",
                  gFilesCopied);
    return 0;
}
