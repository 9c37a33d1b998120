#include "ProfileFile.h"

#include <windows.h>

namespace {

struct FileHandle {
    HANDLE h = INVALID_HANDLE_VALUE;
    explicit FileHandle(HANDLE handle) : h(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};

}  // namespace

std::uint32_t ReadFileUnits(const std::wstring& path, std::wstring& units) {
    units.clear();
    if (path.empty()) return ERROR_INVALID_PARAMETER;
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (file.h == INVALID_HANDLE_VALUE) return GetLastError();
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.h, &size)) return GetLastError();
    if (size.QuadPart > 0x7FFFFFFF) return ERROR_NOT_ENOUGH_MEMORY;
    const DWORD bytes = static_cast<DWORD>(size.QuadPart);
    units.resize(bytes / 2);
    DWORD done = 0;
    while (done < (bytes & ~1u)) {
        DWORD got = 0;
        if (!ReadFile(file.h, reinterpret_cast<char*>(units.data()) + done, (bytes & ~1u) - done, &got, nullptr)) {
            const DWORD error = GetLastError();
            units.clear();
            return error;
        }
        if (got == 0) break;
        done += got;
    }
    units.resize(done / 2);
    return ERROR_SUCCESS;
}

std::uint32_t ReplaceFileUnits(const std::wstring& path, std::wstring_view units) {
    if (path.empty()) return ERROR_INVALID_PARAMETER;
    const std::wstring temporary = path + L".new";
    {
        FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.h == INVALID_HANDLE_VALUE) return GetLastError();
        const DWORD bytes = static_cast<DWORD>(units.size() * sizeof(wchar_t));
        DWORD written = 0;
        if (bytes > 0 && (!WriteFile(file.h, units.data(), bytes, &written, nullptr) || written != bytes)) {
            const DWORD error = GetLastError();
            CloseHandle(file.h);
            file.h = INVALID_HANDLE_VALUE;
            DeleteFileW(temporary.c_str());
            return error != ERROR_SUCCESS ? error : static_cast<DWORD>(ERROR_WRITE_FAULT);
        }
    }
    if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        DeleteFileW(temporary.c_str());
        return error;
    }
    return ERROR_SUCCESS;
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
