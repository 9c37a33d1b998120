// kill_parent.exe: ends the process that started it, at once, as a power cut
// or a task manager would end it, then exits with 0. The silent-installation
// tests make it a component's installer to stop setup in the middle of a run.
#include <windows.h>
#include <tlhelp32.h>

int wmain() {
    DWORD parent = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 2;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ProcessID == GetCurrentProcessId()) parent = entry.th32ParentProcessID;
    }
    CloseHandle(snapshot);
    HANDLE process = parent == 0 ? nullptr : OpenProcess(PROCESS_TERMINATE, FALSE, parent);
    if (process == nullptr) return 3;
    const BOOL ended = TerminateProcess(process, 255);
    CloseHandle(process);
    return ended ? 0 : 4;
}
