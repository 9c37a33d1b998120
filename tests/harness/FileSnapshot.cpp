#include "FileSnapshot.h"

#include <windows.h>

#include <algorithm>

namespace qs_test {

namespace {

std::wstring Upper(std::wstring text) {
    for (wchar_t& c : text)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 32);
    return text;
}

}  // namespace

FileSnapshot FileSnapshot::Take(const std::wstring& folder) {
    FileSnapshot snapshot;
    snapshot.Walk(folder, L"");
    return snapshot;
}

void FileSnapshot::Walk(const std::wstring& root, const std::wstring& relative) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((root + L"\\" + relative + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            files_[Upper(relative + name + L"\\")] = 0;
            Walk(root, relative + name + L"\\");
        } else {
            files_[Upper(relative + name)] = (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

bool FileSnapshot::Has(const std::wstring& relativePath) const { return files_.count(Upper(relativePath)) != 0; }

std::vector<std::wstring> FileSnapshot::Diff(const FileSnapshot& before, const FileSnapshot& after) {
    std::vector<std::wstring> changes;
    for (const auto& [path, size] : before.files_) {
        const auto other = after.files_.find(path);
        if (other == after.files_.end()) changes.push_back(L"- " + path);
        else if (other->second != size) changes.push_back(L"~ " + path);
    }
    for (const auto& [path, size] : after.files_)
        if (before.files_.count(path) == 0) changes.push_back(L"+ " + path);
    std::sort(changes.begin(), changes.end());
    return changes;
}

}  // namespace qs_test
