#pragma once
// Whole-file reading and writing for profile files: the only part of the
// profile layer that calls the platform. Results are Win32 error numbers.

#include <cstdint>
#include <string>
#include <string_view>

// Reads the file as little-endian 16-bit units, one unit per wchar_t. An odd
// last byte is not a unit and is dropped. Opens existing files only, shared
// for reading.
std::uint32_t ReadFileUnits(const std::wstring& path, std::wstring& units);

// Replaces the file's content with |units| written as UTF-16 LE: the text goes
// to a new file beside it, which then takes the old one's place, so a failure
// part-way leaves the old file as it was.
std::uint32_t ReplaceFileUnits(const std::wstring& path, std::wstring_view units);

bool FileExists(const std::wstring& path);
