#pragma once
// The installation history: everything setup itself creates on the system
// (files it copies, directories it makes, registry keys and values written by
// script commands, shortcuts, destination directories) is recorded under a
// history key below HKEY_LOCAL_MACHINE, so that a later removal can undo it
// without knowing how it was made.
//
// A history key holds one list per kind, each as numbered text values and a
// count:
//
//   kind                    code  entry value   count value (32-bit number)
//   file                    0     File%d        NumOfFiles
//   directory               1     Dir%d         NumOfDirs
//   registry key            2     Key%d         NumOfKeys
//   registry value          3     Value%d       NumOfValues
//   shortcut                4     Shortcut%d    NumOfShortcuts
//   destination directory   5     DestDir%d     NumOfDestDirs
//
// Entries are numbered from 0; the count is the number of entries and also the
// next free number. Entry texts are string values written with their
// terminating NUL:
//
//   file, directory, shortcut, destination directory: the full path (a
//     directory made by the directory maker keeps its trailing backslash);
//   registry key:   root name "\" key path   (HKEY_LOCAL_MACHINE\Software\X)
//   registry value: root name "\" key path "\" value name
//
// Results are Win32 error numbers: 0 success, 13 a list that cannot grow,
// 87 bad argument, and the system's codes from the registry as they come.

#include <windows.h>

#include <string>

// The kinds of history entries, by their codes.
enum class HistoryKind : DWORD {
    kFile = 0,
    kDirectory = 1,
    kRegistryKey = 2,
    kRegistryValue = 3,
    kShortcut = 4,
    kDestinationDirectory = 5,
};

// One list of a history key.
struct HISTORY_LIST {
    HistoryKind kind;
    const wchar_t* entryPrefix;  // "File": an entry's value name is this and its number, "File0"
    const wchar_t* countName;    // "NumOfFiles"
};

class CInstHistory {
public:
    static constexpr DWORD kKindCount = 6;

    // The list of kind code |kind|; nullptr for a code outside 0 to 5.
    static const HISTORY_LIST* List(DWORD kind);
    // The value name of entry |index| of the list ("File2"); empty for an unknown kind.
    static std::wstring EntryName(DWORD kind, DWORD index);

    // The key used when a caller names none: the installing history root,
    // which the setup context sets at start-up before anything is recorded.
    // Empty until then.
    static void SetDefaultKey(const std::wstring& key);
    static std::wstring DefaultKey();

    // Appends |text| to the list of |kind| under |key| (the default key when
    // |key| is null or empty): reads the count (0 when it is absent or not a
    // number), writes the entry under that number and then the count plus
    // one, creating the key when needed. 87 for a kind outside 0 to 5, an
    // absent or empty text, or no key at all; nothing is written then. When
    // the key cannot be created or the entry cannot be written, the system's
    // error and nothing is stored. 13 for a count already at 0xFFFFFFFF.
    //
    // A file recorded by a 32-bit process under WOW64 is stored as the path
    // where its content really went (FileEntryText).
    static DWORD Record(const wchar_t* text, DWORD kind, const wchar_t* key = nullptr);
    // As above, with the WOW64 redirection of this process given instead of asked.
    static DWORD Record(const wchar_t* text, DWORD kind, const wchar_t* key, bool wow64Redirected);

    // The text a file is recorded with. When the process's system-directory
    // paths are redirected (a 32-bit process on 64-bit Windows), the path in
    // upper case with every "\SYSTEM32\" replaced by "\SYSWOW64\"; otherwise
    // the path as given.
    static std::wstring FileEntryText(const std::wstring& path, bool wow64Redirected);
};
