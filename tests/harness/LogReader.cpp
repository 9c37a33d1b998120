#include "LogReader.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <regex>

namespace qs_test {

bool SetupLog::Contains(const std::wstring& message) const {
    for (const std::wstring& m : messages)
        if (m == message) return true;
    return false;
}

std::size_t SetupLog::Count(const std::wstring& prefix) const {
    std::size_t n = 0;
    for (const std::wstring& m : messages)
        if (m.compare(0, prefix.size(), prefix) == 0) ++n;
    return n;
}

std::wstring SetupLog::Normalised() const {
    static const std::wregex date(L"Data : [A-Za-z]+, [A-Za-z]+ [0-9]{2}, [0-9]{4}");
    std::wstring text = std::regex_replace(banner, date, L"Data : DATE");
    for (const std::wstring& m : messages) text += L"[TIME]  " + m + L"\r\n";
    return text;
}

bool ReadSetupLog(const std::wstring& path, SetupLog& log) {
    std::ifstream in(path.c_str(), std::ios::binary);
    if (!in) return false;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The banner ends with the date line and three line breaks, in UTF-16.
    const std::string end("\r\0\n\0\r\0\n\0\r\0\n\0", 12);
    const std::string dataMark("D\0a\0t\0a\0 \0:\0 \0", 14);
    const std::size_t data = bytes.find(dataMark);
    if (data == std::string::npos || data % 2 != 0) return false;
    const std::size_t bannerEnd = bytes.find(end, data);
    if (bannerEnd == std::string::npos) return false;
    const std::size_t bannerBytes = bannerEnd + end.size();
    log.banner.assign(bannerBytes / 2, L'\0');
    for (std::size_t i = 0; i < log.banner.size(); ++i)
        log.banner[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                             (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    log.lines.clear();
    log.messages.clear();
    std::size_t pos = bannerBytes;
    while (pos < bytes.size()) {
        std::size_t eol = bytes.find("\r\n", pos);
        if (eol == std::string::npos) eol = bytes.size();
        const std::string ansi = bytes.substr(pos, eol - pos);
        std::wstring line(ansi.size(), L'\0');
        const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), line.data(),
                                          static_cast<int>(line.size()));
        line.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        pos = eol + 2;
        const bool timed = line.size() >= 12 && line[0] == L'[' && line[9] == L']' && line[10] == L' ';
        if (!timed && !log.lines.empty()) {
            // A message that holds its own line break (a system error text) goes on here.
            log.lines.back() += L"\r\n" + line;
            log.messages.back() += L"\r\n" + line;
            continue;
        }
        log.lines.push_back(line);
        log.messages.push_back(timed ? line.substr(12) : line);
    }
    return true;
}

std::vector<std::wstring> LogFilesOf(const std::wstring& directory, const std::wstring& programFile) {
    std::vector<std::wstring> files;
    const std::wstring first = directory + programFile + L".log";
    if (GetFileAttributesW(first.c_str()) != INVALID_FILE_ATTRIBUTES) files.push_back(first);
    for (int n = 0;; ++n) {
        const std::wstring next = directory + programFile + std::to_wstring(n) + L".log";
        if (GetFileAttributesW(next.c_str()) == INVALID_FILE_ATTRIBUTES) break;
        files.push_back(next);
    }
    return files;
}

std::wstring TempDirectory() {
    wchar_t buffer[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, buffer);
    return buffer;
}

}  // namespace qs_test
