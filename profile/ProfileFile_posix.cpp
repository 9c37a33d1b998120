#include "ProfileFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "ProfileErrors.h"

// The host build stores one UTF-16 code unit per wchar_t; file names are
// handed to the C library as UTF-8.
namespace {

std::string ToUtf8(const std::wstring& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t c = static_cast<std::uint32_t>(text[i]);
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
            const std::uint32_t low = static_cast<std::uint32_t>(text[i + 1]);
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::uint32_t FromErrno(int error) {
    switch (error) {
        case ENOENT: case ENOTDIR: return profile_error::kFileNotFound;
        case EACCES: case EPERM: case EISDIR: return profile_error::kAccessDenied;
        case ENOMEM: return profile_error::kNotEnoughMemory;
        default: return 31;  // ERROR_GEN_FAILURE
    }
}

struct CFile {
    std::FILE* f;
    explicit CFile(std::FILE* file) : f(file) {}
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    ~CFile() {
        if (f != nullptr) std::fclose(f);
    }
};

}  // namespace

std::uint32_t ReadFileUnits(const std::wstring& path, std::wstring& units) {
    units.clear();
    if (path.empty()) return profile_error::kInvalidParameter;
    const std::string name = ToUtf8(path);
    struct stat info {};
    if (::stat(name.c_str(), &info) != 0) return FromErrno(errno);
    if (S_ISDIR(info.st_mode)) return profile_error::kAccessDenied;
    CFile file(std::fopen(name.c_str(), "rb"));
    if (file.f == nullptr) return FromErrno(errno);
    std::vector<unsigned char> bytes;
    unsigned char chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.f)) > 0) bytes.insert(bytes.end(), chunk, chunk + got);
    if (std::ferror(file.f)) return 30;  // ERROR_READ_FAULT
    units.resize(bytes.size() / 2);
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<wchar_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return profile_error::kSuccess;
}

std::uint32_t ReplaceFileUnits(const std::wstring& path, std::wstring_view units) {
    if (path.empty()) return profile_error::kInvalidParameter;
    const std::string name = ToUtf8(path);
    const std::string temporary = name + ".new";
    std::vector<unsigned char> bytes;
    bytes.reserve(units.size() * 2);
    for (wchar_t c : units) {
        bytes.push_back(static_cast<unsigned char>(c & 0xFF));
        bytes.push_back(static_cast<unsigned char>((c >> 8) & 0xFF));
    }
    {
        CFile file(std::fopen(temporary.c_str(), "wb"));
        if (file.f == nullptr) return FromErrno(errno);
        if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.f) != bytes.size()) {
            std::remove(temporary.c_str());
            return 29;  // ERROR_WRITE_FAULT
        }
        if (std::fflush(file.f) != 0) {
            std::remove(temporary.c_str());
            return 29;
        }
    }
    if (std::rename(temporary.c_str(), name.c_str()) != 0) {
        const int error = errno;
        std::remove(temporary.c_str());
        return FromErrno(error);
    }
    return profile_error::kSuccess;
}

bool FileExists(const std::wstring& path) {
    struct stat info {};
    return ::stat(ToUtf8(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}
