#pragma once
// The file operations every part of setup uses: copying one file or a
// directory tree, deleting one file or a directory tree, and deferring the
// replacement or deletion of a file in use to the next restart of the system.
// (Making a directory path is MakeDirectories.h.)
//
// None of them keeps state; any thread may call them. Copies made with the
// record flag, and the directories made for them, are recorded in the
// installation history's default key, so that a removal deletes them.
// Each file copied and each directory made is reported to the copy observer,
// a test hook that setup never sets (CopyObserver.h).

#include <cstdint>

// How a copy ended.
enum class CopyOutcome {
    kFailed = 0,
    // The new file is in place (possibly after moving a file in use aside).
    kCopied = 1,
    // The destination is in use and could be neither replaced nor moved aside:
    // the new file waits beside it and the system puts it in place at the
    // next restart. The caller must ask for a restart (exit code 3010).
    kReplacedAtRestart = 2,
};

// Copies |source| onto |destination|, overwriting it. Equal paths (ignoring
// case) succeed without copying or recording. A refused destination has its
// attributes set to normal and a missing destination directory is made (with
// |record|), then the copy is tried once more; when it still fails the
// destination is replaced later: moved aside to the temporary directory (to
// be deleted at restart) and the copy made in its place, or else, when the
// destination cannot be moved, the new file is put in place at restart (a
// restart-time rename on the Windows 9x family; on Windows NT a copy beside
// the destination whose replacement is registered with the system).
//
// With |record| the destination is recorded as a file before the copy starts
// and the record is taken back when the copy fails, so a removal never deletes
// a file that setup did not write. The copied file ends with normal attributes.
CopyOutcome CopySingleFileOutcome(const wchar_t* source, const wchar_t* destination, bool record);
// The same as a truth value: true unless kFailed.
bool CopySingleFile(const wchar_t* source, const wchar_t* destination, bool record);

// Makes |destinationDir| (MakeDirectories with |record|; false when that
// fails), then copies every file of |sourceDir| into it with CopySingleFile,
// and with |withSubDirs| every sub-directory the same way. Files that fail are
// passed over. True once the destination was made.
bool CopyTree(const wchar_t* sourceDir, const wchar_t* destinationDir, bool withSubDirs, bool record);

// Deletes a file: its attributes are set to normal, blanks and double quotes
// are stripped from both ends of the path, and the file is deleted. True also
// when it does not exist; a file that cannot be deleted goes to
// DeleteAtRestart.
bool DeleteSingleFile(const wchar_t* path);

// Removes |directory|. With |withContents| everything in it goes first, and
// after it each parent left empty, up to the first that is not empty or that
// the system keeps (a drive, program files, a desktop, ...; see
// ShellFolders.h); without, only an empty directory goes and no parent is
// touched. False only for an empty path.
bool DeleteTree(const wchar_t* directory, bool withContents);

// Moves the file to a new name in the temporary directory and marks it for
// deletion at the next restart: the file leaves its place at once. True only
// when both moves succeed.
bool DeleteAtRestart(const wchar_t* path);

// The operating-system family the deferred replacement takes its way from
// (os_class::kFamily9x: the restart-time rename of "wininit.ini"; anything else: the
// system's registered replacement). Asked of the system once; a test may set
// it (0 puts the system's answer back).
std::uint32_t FileOperationsOSFamily();
void SetFileOperationsOSFamily(std::uint32_t family);
