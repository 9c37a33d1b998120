#include "Medium.h"

#include <windows.h>

#include <cstdio>
#include <fstream>

namespace qs_test {

std::wstring StagedMediumDirectory() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD n = GetEnvironmentVariableW(L"QS_MEDIUM_DIR", buffer, MAX_PATH + 1);
    return (n > 0 && n <= MAX_PATH) ? std::wstring(buffer, n) : std::wstring();
}

bool CopyTree(const std::wstring& from, const std::wstring& to) {
    if (!CreateDirectoryW(to.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((from + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ok = CopyTree(from + L"\\" + name, to + L"\\" + name) && ok;
        else
            ok = CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE) && ok;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return ok;
}

bool DeleteTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) DeleteTree(path);
            else DeleteFileW(path.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    return RemoveDirectoryW(folder.c_str()) != FALSE;
}

static bool WriteBytes(const std::wstring& path, const std::string& bytes) {
    const std::size_t slash = path.find_last_of(L'\\');
    if (slash != std::wstring::npos) {
        // Make the parent folders.
        for (std::size_t pos = path.find(L'\\', 3); pos != std::wstring::npos && pos <= slash;
             pos = path.find(L'\\', pos + 1))
            CreateDirectoryW(path.substr(0, pos).c_str(), nullptr);
    }
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool WriteProfileFile(const std::wstring& path, const std::wstring& text) {
    std::string bytes;
    for (wchar_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
    }
    return WriteBytes(path, bytes);
}

bool WriteAnsiFile(const std::wstring& path, const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
    return WriteBytes(path, bytes);
}

std::wstring StagedProfileWith(const std::wstring& relative,
                               const std::vector<std::pair<std::wstring, std::wstring>>& replacements,
                               const std::wstring& appended) {
    std::wstring text;
    FILE* file = _wfopen((StagedMediumDirectory() + L"\\" + relative).c_str(), L"rb");
    if (file == nullptr) return text;
    wchar_t c = 0;
    while (fread(&c, 2, 1, file) == 1) text += c;
    fclose(file);
    for (const auto& [from, to] : replacements) {
        const std::size_t pos = text.find(from);
        if (pos != std::wstring::npos) text.replace(pos, from.size(), to);
    }
    return text + appended;
}

std::wstring MakeMedium(const std::wstring& name, const std::vector<OverlayFile>& overlay) {
    const std::wstring staged = StagedMediumDirectory();
    if (staged.empty()) return L"";
    CreateDirectoryW(L"C:\\qs-media", nullptr);
    const std::wstring folder = L"C:\\qs-media\\" + name;
    DeleteTree(folder);
    if (!CopyTree(staged, folder)) return L"";
    for (const OverlayFile& file : overlay) {
        const std::wstring path = folder + L"\\" + file.relativePath;
        bool ok = true;
        switch (file.kind) {
            case FileKind::Profile: ok = WriteProfileFile(path, file.text); break;
            case FileKind::Ansi: ok = WriteAnsiFile(path, file.text); break;
            case FileKind::Remove: ok = DeleteFileW(path.c_str()) != FALSE; break;
        }
        if (!ok) return L"";
    }
    return folder;
}

}  // namespace qs_test
