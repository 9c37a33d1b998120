#include "FileOperations.h"

#include "ShellFolders.h"

#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "APIFunction.h"
#include "CopyObserver.h"
#include "InstHistory.h"
#include "MakeDirectories.h"
#include "OsVersion.h"
#include "ShellFolders.h"
#include "WithdrawHistoryRecord.h"

namespace {

constexpr DWORD kShortPathChars = 8192;

std::atomic<std::uint32_t>& FamilyOverride() {
    static std::atomic<std::uint32_t> family{0};
    return family;
}

bool IsEmpty(const wchar_t* text) { return text == nullptr || *text == L'\0'; }

bool IsDots(const wchar_t* name) {
    return (name[0] == L'.' && name[1] == L'\0') || (name[0] == L'.' && name[1] == L'.' && name[2] == L'\0');
}

// The file name of a path: the text after its last backslash; the whole path
// when it has none or ends with one.
std::wstring FileNamePart(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos || slash + 1 == path.size()) return path;
    return path.substr(slash + 1);
}

std::wstring DirectoryPart(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

void StripOneTrailingBackslash(std::wstring& path) {
    if (!path.empty() && path.back() == L'\\') path.pop_back();
}

// A new empty file in |directory| whose name begins with the first characters
// of |path|'s file name; empty when the platform gives none.
std::wstring MakeTemporaryName(const std::wstring& directory, const std::wstring& path) {
    if (directory.empty()) return std::wstring();
    wchar_t name[MAX_PATH] = {};
    if (GetTempFileNameW(directory.c_str(), FileNamePart(path).c_str(), 0, name) == 0) return std::wstring();
    return name;
}

std::wstring SystemTemporaryDirectory() {
    wchar_t directory[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, directory);
    if (length == 0 || length > MAX_PATH) return std::wstring();
    return directory;
}

// Copies the content and the last-write time of |source| to |destination|,
// which is created (or overwritten) and left with normal attributes, as a
// copy that setup installs must have. A failure leaves no partial destination and the
// thread's last error says why, as CopyFileW would: 5 for a read-only or
// otherwise refused destination, 32 for one in use, 3 for a missing
// directory. Faster than CopyFileW under Wine, and it leaves nothing of the
// source's attributes to clear afterwards.
bool CopyFileContents(const std::wstring& source, const std::wstring& destination) {
    const HANDLE from = CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (from == INVALID_HANDLE_VALUE) return false;
    const HANDLE to = CreateFileW(destination.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (to == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        CloseHandle(from);
        SetLastError(error);
        return false;
    }

    constexpr DWORD kChunk = 1 << 20;
    thread_local std::vector<char> buffer(kChunk);
    DWORD error = ERROR_SUCCESS;
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(from, buffer.data(), kChunk, &read, nullptr)) {
            error = GetLastError();
            break;
        }
        if (read == 0) break;
        DWORD written = 0;
        if (!WriteFile(to, buffer.data(), read, &written, nullptr) || written != read) {
            error = GetLastError() != ERROR_SUCCESS ? GetLastError() : ERROR_WRITE_FAULT;
            break;
        }
    }
    // The source's last-write time and normal attributes, through the open
    // handle (a new file would otherwise carry the archive attribute, and an
    // overwritten one its own attributes).
    FILETIME lastWrite = {};
    if (error == ERROR_SUCCESS) {
        FILE_BASIC_INFO basic = {};
        if (GetFileTime(from, nullptr, nullptr, &lastWrite)) {
            basic.LastWriteTime.LowPart = lastWrite.dwLowDateTime;
            basic.LastWriteTime.HighPart = static_cast<LONG>(lastWrite.dwHighDateTime);
        }
        basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
        SetFileInformationByHandle(to, FileBasicInfo, &basic, sizeof(basic));
    }
    CloseHandle(from);
    if (!CloseHandle(to) && error == ERROR_SUCCESS) error = GetLastError();
    if (error != ERROR_SUCCESS) {
        DeleteFileW(destination.c_str());
        SetLastError(error);
        return false;
    }
    return true;
}

// Moves the destination aside to the temporary directory, to be deleted at
// restart, and copies the source into its place.
bool ReplaceInUse(const std::wstring& source, const std::wstring& destination) {
    const std::wstring temporary = MakeTemporaryName(SystemTemporaryDirectory(), destination);
    if (temporary.empty()) return false;
    const CAPIFunction& api = GlobalApiTable();
    if (!api.MoveFileEx(destination.c_str(), temporary.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    if (CopyFileContents(source, destination)) {
        api.MoveFileEx(temporary.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
        return true;
    }
    api.MoveFileEx(temporary.c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING);
    return false;
}

std::wstring ShortOrLong(const std::wstring& path) {
    std::wstring shortPath(kShortPathChars, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), &shortPath[0], kShortPathChars);
    if (length == 0 || length >= kShortPathChars) return path;
    shortPath.resize(length);
    return shortPath;
}

// Windows 9x: the system renames the file listed in wininit.ini when it starts.
bool RenameAtRestart9x(const std::wstring& source, const std::wstring& destination) {
    const std::wstring temporary = MakeTemporaryName(SystemTemporaryDirectory(), destination);
    if (temporary.empty()) return false;
    if (!CopyFileContents(source, temporary)) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    const std::wstring from = ShortOrLong(temporary);
    const std::wstring to = ShortOrLong(destination);
    return WritePrivateProfileStringW(L"rename", to.c_str(), from.c_str(), L"wininit.ini") != FALSE;
}

// Windows NT: the new file waits beside the destination (on its volume, so
// the rename at restart is a move within one volume) and the system is asked
// to put it in place when it next starts.
bool RenameAtRestartNt(const std::wstring& source, const std::wstring& destination) {
    const std::wstring temporary = MakeTemporaryName(DirectoryPart(destination), destination);
    if (temporary.empty()) return false;
    if (CopyFileContents(source, temporary) &&
        GlobalApiTable().MoveFileEx(temporary.c_str(), destination.c_str(),
                                    MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING)) {
        return true;
    }
    DeleteFileW(temporary.c_str());
    return false;
}

CopyOutcome ReplaceLater(const std::wstring& source, const std::wstring& destination) {
    if (ReplaceInUse(source, destination)) return CopyOutcome::kCopied;
    const bool deferred = FileOperationsOSFamily() == os_class::kFamily9x ? RenameAtRestart9x(source, destination)
                                                                : RenameAtRestartNt(source, destination);
    return deferred ? CopyOutcome::kReplacedAtRestart : CopyOutcome::kFailed;
}

CopyOutcome CopyNow(const std::wstring& source, const std::wstring& destination, bool record) {
    if (CopyFileContents(source, destination)) return CopyOutcome::kCopied;
    const DWORD error = GetLastError();
    if (error == ERROR_ACCESS_DENIED) {
        SetFileAttributesW(destination.c_str(), FILE_ATTRIBUTE_NORMAL);
    } else if (error == ERROR_PATH_NOT_FOUND) {
        if (!MakeDirectories(DirectoryPart(destination).c_str(), record)) return CopyOutcome::kFailed;
    }
    if (CopyFileContents(source, destination)) return CopyOutcome::kCopied;
    // A source that cannot be read will not do any better later, and a
    // directory standing where the file should go is not a file in use: it
    // must not be moved aside.
    if (GetFileAttributesW(source.c_str()) == INVALID_FILE_ATTRIBUTES) return CopyOutcome::kFailed;
    const DWORD target = GetFileAttributesW(destination.c_str());
    if (target != INVALID_FILE_ATTRIBUTES && (target & FILE_ATTRIBUTE_DIRECTORY) != 0) return CopyOutcome::kFailed;
    return ReplaceLater(source, destination);
}

}  // namespace

std::uint32_t FileOperationsOSFamily() {
    const std::uint32_t family = FamilyOverride().load();
    if (family != 0) return family;
    static const std::uint32_t asked = [] {
        std::uint32_t code = 0;
        std::uint32_t systemFamily = 0;
        return GetOSVersionClass(code, systemFamily) ? systemFamily : 0u;
    }();
    return asked;
}

void SetFileOperationsOSFamily(std::uint32_t family) { FamilyOverride().store(family); }

CopyOutcome CopySingleFileOutcome(const wchar_t* source, const wchar_t* destination, bool record) {
    if (IsEmpty(source) || IsEmpty(destination)) return CopyOutcome::kFailed;
    if (CompareStringOrdinal(source, -1, destination, -1, TRUE) == CSTR_EQUAL) return CopyOutcome::kCopied;

    const DWORD fileKind = static_cast<DWORD>(HistoryKind::kFile);
    // Recorded before the copy starts, so that a run ended half way still
    // leaves a record of the file it may have written.
    const bool recorded = record && CInstHistory::Record(destination, fileKind, nullptr) == ERROR_SUCCESS;
    const CopyOutcome outcome = CopyNow(source, destination, record);
    if (outcome == CopyOutcome::kFailed) {
        if (recorded) WithdrawHistoryRecord(destination, fileKind, nullptr);
        return outcome;
    }
    NotifyCopyObserver(CopyStep::kFileCopied, destination);
    return outcome;
}

bool CopySingleFile(const wchar_t* source, const wchar_t* destination, bool record) {
    return CopySingleFileOutcome(source, destination, record) != CopyOutcome::kFailed;
}

bool CopyTree(const wchar_t* sourceDir, const wchar_t* destinationDir, bool withSubDirs, bool record) {
    if (IsEmpty(sourceDir) || IsEmpty(destinationDir)) return false;
    if (!MakeDirectories(destinationDir, record)) return false;
    std::wstring source = sourceDir;
    std::wstring destination = destinationDir;
    StripOneTrailingBackslash(source);
    StripOneTrailingBackslash(destination);

    WIN32_FIND_DATAW found = {};
    const HANDLE search = FindFirstFileW((source + L"\\*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return true;
    do {
        if (IsDots(found.cFileName)) continue;
        const std::wstring from = source + L"\\" + found.cFileName;
        const std::wstring to = destination + L"\\" + found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            if (withSubDirs) CopyTree(from.c_str(), to.c_str(), withSubDirs, record);
        } else {
            CopySingleFile(from.c_str(), to.c_str(), record);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return true;
}

bool DeleteAtRestart(const wchar_t* path) {
    if (IsEmpty(path)) return false;
    const std::wstring temporary = MakeTemporaryName(SystemTemporaryDirectory(), path);
    if (temporary.empty()) return false;
    const CAPIFunction& api = GlobalApiTable();
    if (!api.MoveFileEx(path, temporary.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    return api.MoveFileEx(temporary.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != FALSE;
}

bool DeleteSingleFile(const wchar_t* path) {
    if (IsEmpty(path)) return false;
    SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
    std::wstring stripped = path;
    const std::size_t first = stripped.find_first_not_of(L" \"");
    if (first == std::wstring::npos) return false;
    stripped = stripped.substr(first, stripped.find_last_not_of(L" \"") - first + 1);
    SetFileAttributesW(stripped.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (DeleteFileW(stripped.c_str())) return true;
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) return true;
    // A directory, or nothing at all under a missing directory, is no file in use.
    if (error == ERROR_PATH_NOT_FOUND) return true;
    const DWORD attributes = GetFileAttributesW(stripped.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
    return DeleteAtRestart(stripped.c_str());
}

bool DeleteTree(const wchar_t* directory, bool withContents) {
    if (IsEmpty(directory)) return false;
    std::wstring path = directory;
    StripOneTrailingBackslash(path);
    if (path.empty()) return false;

    if (withContents) {
        WIN32_FIND_DATAW found = {};
        const HANDLE search = FindFirstFileW((path + L"\\*.*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if (IsDots(found.cFileName)) continue;
                const std::wstring entry = path + L"\\" + found.cFileName;
                if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                    if (!RemoveDirectoryW(entry.c_str())) DeleteTree(entry.c_str(), true);
                } else {
                    DeleteSingleFile(entry.c_str());
                }
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
    }

    if (RemoveDirectoryW(path.c_str()) && withContents) {
        // The parents it leaves empty go too, up to the first one that is not
        // empty or that the system keeps (program files, a desktop, ...).
        const CShellFolders kept;
        std::wstring parent = path;
        for (;;) {
            const std::size_t slash = parent.find_last_of(L'\\');
            if (slash == std::wstring::npos) break;
            parent.resize(slash);
            if (parent.size() < 4 || kept.IsKept(parent) || !RemoveDirectoryW(parent.c_str())) break;
        }
    }
    return true;
}
