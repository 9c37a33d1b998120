#include "MakeDirectories.h"

#include <windows.h>

#include <string>

#include "InstHistory.h"

namespace {

bool IsDirectory(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
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
        if (CreateDirectoryW(directory.c_str(), nullptr)) {
            if (record)
                CInstHistory::Record(directory.c_str(), static_cast<DWORD>(HistoryKind::kDirectory), nullptr);
        } else {
            // Something of that name is there already: only a directory will do.
            if (GetLastError() != ERROR_ALREADY_EXISTS || !IsDirectory(directory)) return false;
        }
        position = slash + 1;
    }
    return true;
}
