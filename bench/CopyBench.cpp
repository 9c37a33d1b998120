// Copy engine benchmark (prints figures; asserts nothing about time).
//
//   copy_bench make DIR         write a tree of about 300 MB in 3,000 files of
//                               mixed sizes, three directory levels deep, with
//                               the same content every time
//   copy_bench engine SRC DST   CopyTree of the copy engine with sub-directories,
//                               recording into a scratch history key (deleted
//                               afterwards), then the same without recording
//                               into DST.plain
//   copy_bench win32 SRC DST    a minimal copier for comparison: a recursive
//                               FindFirstFileW walk, CreateDirectoryW, CopyFileW
//
// Each copy prints one line: its label, the elapsed seconds, and the files
// and megabytes found at the destination afterwards (outside the timing).
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "FileOperations.h"
#include "InstHistory.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFileCount = 3000;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// File |index| of the tree: one in a hundred of 5 MB, nine of 256 KB, thirty
// of 64 KB, the rest from 1 to 32 KB. About 300 MB in all.
std::size_t FileSize(int index) {
    const int kind = index % 100;
    if (kind == 0) return 5u << 20;
    if (kind < 10) return 256u << 10;
    if (kind < 40) return 64u << 10;
    return (1u << 10) * static_cast<std::size_t>(1 + (index * 7919) % 32);
}

// Ten packages of five parts of two leaves; one file in ten lies in its part,
// the others in a leaf.
std::wstring FileFolder(int index) {
    const int leaf = index % 100;
    std::wstring folder = L"pkg" + std::to_wstring(leaf / 10) + L"\\part" + std::to_wstring((leaf / 2) % 5);
    if (index % 10 != 0) folder += L"\\leaf" + std::to_wstring(leaf % 2);
    return folder;
}

void Fill(std::vector<char>& buffer, std::size_t size, std::uint32_t seed) {
    buffer.resize(size);
    std::uint32_t state = seed * 2654435761u + 1;
    for (char& c : buffer) {
        state = state * 1664525u + 1013904223u;
        c = static_cast<char>(state >> 24);
    }
}

bool MakeFolders(const std::wstring& path) {
    for (std::size_t at = path.find(L'\\', 3); ; at = path.find(L'\\', at + 1)) {
        const std::wstring part = path.substr(0, at);
        if (!CreateDirectoryW(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
            std::fprintf(stderr, "copy_bench: cannot make %ls (error %lu)\n", part.c_str(), GetLastError());
            return false;
        }
        if (at == std::wstring::npos) return true;
    }
}

int Make(const std::wstring& root) {
    std::vector<char> buffer;
    std::uint64_t bytes = 0;
    const auto start = Clock::now();
    for (int i = 0; i < kFileCount; ++i) {
        const std::wstring folder = root + L"\\" + FileFolder(i);
        if (!MakeFolders(folder)) return 2;
        const std::wstring path = folder + L"\\file" + std::to_wstring(i) + (i % 3 == 0 ? L".dll" : L".dat");
        Fill(buffer, FileSize(i), static_cast<std::uint32_t>(i));
        const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        const bool ok = file != INVALID_HANDLE_VALUE &&
                        WriteFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &written, nullptr) &&
                        written == buffer.size();
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        if (!ok) {
            std::fprintf(stderr, "copy_bench: cannot write %ls (error %lu)\n", path.c_str(), GetLastError());
            return 2;
        }
        bytes += buffer.size();
    }
    std::printf("make %.3f s (%d files, %.1f MB)\n", Seconds(start), kFileCount, static_cast<double>(bytes) / (1 << 20));
    return 0;
}

struct TreeSize {
    int files = 0;
    std::uint64_t bytes = 0;
};

void Measure(const std::wstring& folder, TreeSize& size) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            Measure(folder + L"\\" + name, size);
        } else {
            ++size.files;
            size.bytes += (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

void Report(const char* label, double seconds, const std::wstring& destination) {
    TreeSize size;
    Measure(destination, size);
    std::printf("%s %.3f s (%d files, %.1f MB)\n", label, seconds, size.files,
                static_cast<double>(size.bytes) / (1 << 20));
}

int Engine(const std::wstring& source, const std::wstring& destination) {
    const std::wstring history = L"Software\\QsBench\\CopyBench-" + std::to_wstring(GetCurrentProcessId());
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, history.c_str());
    CInstHistory::SetDefaultKey(history);
    auto start = Clock::now();
    const bool recorded = CopyTree(source.c_str(), destination.c_str(), true, true);
    const double recordedSeconds = Seconds(start);
    CInstHistory::SetDefaultKey(L"");
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, history.c_str());
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, history.c_str());
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"Software\\QsBench");
    if (!recorded) {
        std::fprintf(stderr, "copy_bench: CopyTree %ls to %ls failed\n", source.c_str(), destination.c_str());
        return 1;
    }
    Report("engine-recorded", recordedSeconds, destination);

    const std::wstring plain = destination + L".plain";
    start = Clock::now();
    const bool copied = CopyTree(source.c_str(), plain.c_str(), true, false);
    const double plainSeconds = Seconds(start);
    if (!copied) {
        std::fprintf(stderr, "copy_bench: CopyTree %ls to %ls failed\n", source.c_str(), plain.c_str());
        return 1;
    }
    Report("engine-unrecorded", plainSeconds, plain);
    return 0;
}

// The yardstick: no records, no attribute work, no retries.
bool Win32Copy(const std::wstring& source, const std::wstring& destination) {
    if (!CreateDirectoryW(destination.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((source + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring from = source + L"\\" + name;
        const std::wstring to = destination + L"\\" + name;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            ok = Win32Copy(from, to) && ok;
        } else if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) {
            std::fprintf(stderr, "copy_bench: CopyFileW %ls failed (error %lu)\n", from.c_str(), GetLastError());
            ok = false;
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return ok;
}

int Win32(const std::wstring& source, const std::wstring& destination) {
    const auto start = Clock::now();
    const bool ok = Win32Copy(source, destination);
    const double seconds = Seconds(start);
    if (!ok) return 1;
    Report("win32", seconds, destination);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (argc == 3 && mode == L"make") return Make(argv[2]);
    if (argc == 4 && mode == L"engine") return Engine(argv[2], argv[3]);
    if (argc == 4 && mode == L"win32") return Win32(argv[2], argv[3]);
    std::fprintf(stderr, "usage: copy_bench make DIR | engine SRC DST | win32 SRC DST\n");
    return 2;
}
