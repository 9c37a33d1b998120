#pragma once
// The copies an installation run asked for: CCopyFile loads the copy records
// written under a records key below HKEY_LOCAL_MACHINE, expands them into a
// flat list of single-file copies and copies them one by one. The copy
// progress page and the silent installation drive it; each uses one object
// for one run, from one thread.
//
// A copy record is one sub-key of the records key with these values:
//
//   "Src"          string  a file, or a directory whose files are copied
//   "Dest"         string  the target file, or the target directory
//   "Description"  string  given to every entry of the record
//   "CopySubDir"   DWORD   non-zero: a source directory with its sub-directories
//   "Delete"       DWORD   non-zero: the copies (and directories made for
//                          them) are recorded in the installation history
//
// Absent strings are empty and absent numbers 0. A record whose source does
// not exist (or is empty) adds nothing.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "FileOperations.h"

struct CopyFileEntry {
    std::wstring source;
    std::wstring destination;
    std::wstring description;
    bool record = false;
};

class CCopyFile {
public:
    CCopyFile() = default;
    CCopyFile(const CCopyFile&) = delete;
    CCopyFile& operator=(const CCopyFile&) = delete;

    // Adds the entries of every copy record below |recordsKey| (sub-keys in
    // the registry's enumeration order; a directory's files in the file
    // system's order, depth first). The list is not emptied first. False,
    // with the list unchanged, when the key cannot be opened for reading.
    bool LoadRecords(const wchar_t* recordsKey);

    int GetEntryCount() const { return static_cast<int>(entries_.size()); }
    // The entry's destination or description; empty for an index outside the list.
    std::wstring GetEntryDest(int index) const;
    std::wstring GetEntryDescription(int index) const;

    // CopySingleFile of the entry; false for an index outside the list.
    bool CopyEntry(int index);
    // As CopyEntry, telling a copy made now from one left for the next restart.
    CopyOutcome CopyEntryOutcome(int index);

    // LoadRecords, then every entry in list order, going on past failures.
    // kFailed when the records cannot be loaded (logged as "Copy file Initial
    // fail!!") or when any entry could not be copied; otherwise
    // kReplacedAtRestart when any entry waits for the next restart, else kCopied.
    CopyOutcome CopyAll(const wchar_t* recordsKey);

    // DeleteSingleFile of the entry's destination; false for an index outside the list.
    bool DeleteEntryTarget(int index);

    // Removes everything the installing history records (the default history
    // key), without deleting the running program. False when no installing
    // history is set.
    bool UndoInstallingHistory();

    const std::wstring& RecordsKey() const { return recordsKey_; }

private:
    void AddRecord(const std::wstring& recordKey);
    void AddDirectory(const std::wstring& sourceDir, const std::wstring& destinationDir,
                      const std::wstring& description, bool withSubDirs, bool record);
    void AddEntry(const std::wstring& source, const std::wstring& destination, const std::wstring& description,
                  bool record);
    const CopyFileEntry* Entry(int index) const;

    std::wstring recordsKey_;
    std::vector<std::unique_ptr<CopyFileEntry>> entries_;
};
