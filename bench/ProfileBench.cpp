// Profile reading benchmark (prints figures; asserts nothing about time).
//
//   profile_bench compare <folder> [MB]   load a generated profile and read every
//                                         value through CConfigReader, then read the
//                                         same values through GetPrivateProfileStringW
//                                         on a copy with a byte-order mark
//   profile_bench make <file> <MB>        write a generated profile of that size
//   profile_bench load <file>             load time and peak memory of loading it
//                                         (a process of its own: the peak is per process)
#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ConfigReader.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

struct Entry {
    std::wstring section, key, value;
};

// Sections of 12 entries each, with comments and varied spacing, until |bytes|.
std::wstring Generate(std::size_t bytes, std::vector<Entry>& entries) {
    std::wstring text;
    text.reserve(bytes / 2 + 4096);
    for (int s = 0; text.size() * 2 < bytes; ++s) {
        const std::wstring section = L"COMPONENT_" + std::to_wstring(s);
        text += L"// component " + std::to_wstring(s) + L"\r\n[" + section + L"]\r\n";
        for (int k = 0; k < 12; ++k) {
            const std::wstring key = L"KEY_" + std::to_wstring(k);
            const std::wstring value = L"value " + std::to_wstring(s * 31 + k) + L" of $SRC_DIR$\\drivers\\x64";
            text += (k % 3 == 0 ? L"  " : L"") + key + (k % 2 ? L" = " : L"=") + value + L"\r\n";
            entries.push_back({section, key, value});
        }
        text += L"\r\n";
    }
    return text;
}

bool Write(const std::wstring& path, const std::wstring& text, bool bom) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const wchar_t mark = 0xFEFF;
    bool ok = !bom || WriteFile(file, &mark, 2, &written, nullptr);
    ok = ok && WriteFile(file, text.data(), static_cast<DWORD>(text.size() * 2), &written, nullptr);
    CloseHandle(file);
    return ok;
}

double PeakMegabytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

int Compare(const std::wstring& folder, double megabytes) {
    std::vector<Entry> entries;
    const std::wstring text = Generate(static_cast<std::size_t>(megabytes * 1024 * 1024), entries);
    const std::wstring plain = folder + L"\\bench.vxi", marked = folder + L"\\bench-bom.ini";
    if (!Write(plain, text, false) || !Write(marked, text, true)) return 2;

    auto start = Clock::now();
    CConfigReader reader;
    reader.Load(plain.c_str(), nullptr, nullptr, false);
    const double load = Seconds(start);
    std::vector<std::wstring> ours(entries.size());
    start = Clock::now();
    for (std::size_t i = 0; i < entries.size(); ++i)
        reader.GetString(entries[i].section.c_str(), entries[i].key.c_str(), ours[i], true);
    const double read = Seconds(start);

    std::vector<wchar_t> buffer(8192);
    std::size_t mismatches = 0;
    start = Clock::now();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        GetPrivateProfileStringW(entries[i].section.c_str(), entries[i].key.c_str(), L"", buffer.data(), 8192,
                                 marked.c_str());
        if (ours[i] != buffer.data() || ours[i] != entries[i].value) ++mismatches;
    }
    const double platform = Seconds(start);

    std::printf("profile: %.2f MB, %zu values in %zu sections\n", text.size() * 2 / (1024.0 * 1024.0),
                entries.size(), entries.size() / 12);
    std::printf("CConfigReader: load %.3f s + read all %.3f s = %.3f s\n", load, read, load + read);
    std::printf("GetPrivateProfileStringW: read all %.3f s (%.1f us a value)\n", platform,
                platform * 1e6 / static_cast<double>(entries.size()));
    std::printf("ratio platform / ours: %.1f\n", platform / (load + read));
    std::printf("values that differ between the readers: %zu\n", mismatches);
    DeleteFileW(plain.c_str());
    DeleteFileW(marked.c_str());
    return mismatches == 0 ? 0 : 1;
}

int Make(const std::wstring& path, double megabytes) {
    std::vector<Entry> entries;
    return Write(path, Generate(static_cast<std::size_t>(megabytes * 1024 * 1024), entries), false) ? 0 : 2;
}

int Load(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &attributes)) return 2;
    const double megabytes = static_cast<double>(attributes.nFileSizeLow) / (1024.0 * 1024.0);
    const double before = PeakMegabytes();
    const auto start = Clock::now();
    CConfigReader reader;
    reader.Load(path.c_str(), nullptr, nullptr, false);
    const double load = Seconds(start);
    std::printf("%6.1f MB: load %.3f s, %.4f s per MB, %zu sections, peak working set %.0f MB (%.0f MB before loading)\n",
                megabytes, load, load / megabytes, reader.Main().MainList().SectionCount(), PeakMegabytes(), before);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc >= 3 && std::wstring(argv[1]) == L"compare") return Compare(argv[2], argc > 3 ? _wtof(argv[3]) : 2.0);
    if (argc >= 4 && std::wstring(argv[1]) == L"make") return Make(argv[2], _wtof(argv[3]));
    if (argc >= 3 && std::wstring(argv[1]) == L"load") return Load(argv[2]);
    std::fprintf(stderr, "usage: profile_bench compare <folder> [MB] | make <file> <MB> | load <file>\n");
    return 2;
}
