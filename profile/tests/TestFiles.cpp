#include "TestFiles.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <random>

CTestFolder::CTestFolder() {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    root_ = std::filesystem::temp_directory_path() /
            ("qs-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(root_);
}

CTestFolder::~CTestFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::string Utf16Bytes(std::wstring_view units) {
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (wchar_t c : units) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
    }
    return bytes;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void WriteUnits(const std::wstring& path, std::wstring_view units) { WriteBytes(path, Utf16Bytes(units)); }

std::string ReadBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
