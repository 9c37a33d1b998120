#pragma once
// Files for profile tests: a private folder per test and UTF-16 LE files
// written unit by unit, as the profile layer reads them on every platform.

#include <filesystem>
#include <string>
#include <string_view>

class CTestFolder {
public:
    CTestFolder();
    ~CTestFolder();
    CTestFolder(const CTestFolder&) = delete;
    CTestFolder& operator=(const CTestFolder&) = delete;

    std::wstring Path(const std::wstring& name) const { return (root_ / name).wstring(); }

private:
    std::filesystem::path root_;
};

// Writes each wchar_t as one little-endian 16-bit unit, no byte-order mark.
void WriteUnits(const std::wstring& path, std::wstring_view units);
void WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);
// The UTF-16 LE bytes of a text.
std::string Utf16Bytes(std::wstring_view units);
