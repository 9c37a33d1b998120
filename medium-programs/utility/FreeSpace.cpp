#include "FreeSpace.h"

namespace {

constexpr unsigned long long kMegabyte = 1024ull * 1024ull;

}  // namespace

DWORD FreeMegabytes(const std::wstring& path) {
    std::wstring folder = path;
    while (!folder.empty()) {
        ULARGE_INTEGER available = {};
        if (GetDiskFreeSpaceExW(folder.c_str(), &available, nullptr, nullptr)) {
            const unsigned long long megabytes = available.QuadPart / kMegabyte;
            if (megabytes == 0) return 1;
            return megabytes > MAXDWORD ? MAXDWORD : static_cast<DWORD>(megabytes);
        }
        // Not there yet (a destination still to be made): ask its parent.
        while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
        const std::wstring::size_type slash = folder.find_last_of(L"\\/");
        if (slash == std::wstring::npos) break;
        folder.resize(slash + 1);
    }
    return 0;
}
