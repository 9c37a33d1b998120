#pragma once
// Result codes of the profile layer: Win32 error numbers, spelled out here so
// that the layer builds without the platform headers.

#include <cstdint>

namespace profile_error {
constexpr std::uint32_t kSuccess = 0;
constexpr std::uint32_t kFileNotFound = 2;         // ERROR_FILE_NOT_FOUND
constexpr std::uint32_t kAccessDenied = 5;         // ERROR_ACCESS_DENIED
constexpr std::uint32_t kNotEnoughMemory = 8;      // ERROR_NOT_ENOUGH_MEMORY
constexpr std::uint32_t kInvalidData = 13;         // ERROR_INVALID_DATA: section or key not found
constexpr std::uint32_t kOutOfMemory = 14;         // ERROR_OUTOFMEMORY: caller's buffer too small
constexpr std::uint32_t kInvalidParameter = 87;    // ERROR_INVALID_PARAMETER
constexpr std::uint32_t kInsufficientBuffer = 122; // ERROR_INSUFFICIENT_BUFFER
}  // namespace profile_error
