#include "MakeDirectories.h"

#include <windows.h>

#include <string>

#include "CopyObserver.h"
#include "InstHistory.h"
#include "WithdrawHistoryRecord.h"

namespace {

bool IsDirectory(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Creates one directory that was missing a moment ago. With |record| it is
// recorded before it is created, so that a process ended in between leaves a
// record rather than a directory nobody knows of (a removal passes over a
// recorded directory that is not there); the record is taken back when the
// directory is not created after all. True when the directory is there now:
// made here, or made by someone else meanwhile (then not recorded).
bool MakeOne(const std::wstring& directory, bool record) {
    const DWORD kind = static_cast<DWORD>(HistoryKind::kDirectory);
    const bool recorded = record && CInstHistory::Record(directory.c_str(), kind, nullptr) == ERROR_SUCCESS;
    if (CreateDirectoryW(directory.c_str(), nullptr)) {
        NotifyCopyObserver(CopyStep::kDirectoryMade, directory.c_str());
        return true;
    }
    const DWORD error = GetLastError();
    if (recorded) WithdrawHistoryRecord(directory.c_str(), kind, nullptr);
    // Something of that name is there already: only a directory will do.
    return error == ERROR_ALREADY_EXISTS && IsDirectory(directory);
}

}  // namespace

bool MakeDirectories(const wchar_t* path, bool record) {
    if (path == nullptr || *path == L'\0') return true;
    const std::wstring work = std::wstring(path) + L'\\';
    std::size_t position = work.find(L'\\');
    // The work path always has a backslash; the first one ends the drive part.
    ++position;
    if (position >= work.size()) return true;
    // A path the platform cannot create as a whole is not begun.
    const std::size_t last = work.find_last_not_of(L'\\');
    if (last != std::wstring::npos && last + 2 > kMaxDirectoryPathChars) return false;

    while (position < work.size()) {
        const std::size_t slash = work.find(L'\\', position);
        if (slash == std::wstring::npos) break;
        // An empty part (two backslashes in a row) names the directory before it again.
        if (slash == position) {
            position = slash + 1;
            continue;
        }
        const std::wstring directory = work.substr(0, slash + 1);
        const DWORD attributes = GetFileAttributesW(directory.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            if (!MakeOne(directory, record)) return false;
        } else if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            // A file stands where the directory should be.
            return false;
        }
        position = slash + 1;
    }
    return true;
}
