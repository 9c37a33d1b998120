#pragma once
// Undoing an installation history: every registry value, registry key, file,
// destination directory, directory and shortcut recorded under a history key
// (InstHistory.h) is removed again.
//
// The remover holds the platform's Setup API library for its lifetime, so
// that recorded INF files leave the system's driver store by its OEM-INF
// removal before their files are deleted. One object serves one removal.

#include <windows.h>

#include "ScopedHandle.h"

class CHistoryRemover {
public:
    // Loads the Setup API library and binds its OEM-INF removal; without
    // either, INF files are deleted as plain files.
    CHistoryRemover();
    CHistoryRemover(const CHistoryRemover&) = delete;
    CHistoryRemover& operator=(const CHistoryRemover&) = delete;

    bool HasOemInfRemoval() const { return uninstallOemInf_ != nullptr; }

    // Undoes the lists of |historyKey| (under HKEY_LOCAL_MACHINE) in the order
    // registry values, registry keys, files, destination directories,
    // directories, shortcuts; within a list from the newest entry down to
    // entry 0. An entry that cannot be read or undone is passed over.
    //   - value entry "ROOT\key path\name": the value is deleted;
    //   - key entry "ROOT\key path": the key alone, when it has no sub-keys;
    //   - file: an INF file is first removed from the driver store by its name
    //     (logged "<name> file uninstalled", or the system's error), then the
    //     file is deleted (DeleteSingleFile);
    //   - destination directory: removed with its contents (DeleteTree);
    //   - directory: removed when empty;
    //   - shortcut: CUtl::DeleteShortcut with its folders.
    // Roots are the HKEY_... names (any case); an entry with another root is
    // passed over. With |deleteSelf| the running program's file is then
    // deleted as a file. The history key itself stays.
    // 87 for an absent or empty key; otherwise 0.
    DWORD RemoveRecorded(const wchar_t* historyKey, bool deleteSelf);

private:
    using UninstallOemInfFunction = BOOL(WINAPI*)(PCWSTR infFileName, DWORD flags, PVOID reserved);

    void RemoveValue(const wchar_t* entry) const;
    void RemoveKey(const wchar_t* entry) const;
    void RemoveFile(const wchar_t* entry) const;

    CModuleHandle setupApi_;
    UninstallOemInfFunction uninstallOemInf_ = nullptr;
};
