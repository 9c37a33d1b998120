#pragma once
// One loaded profile file with an optional second file whose "STRINGS" section
// supplies the text of percent references ("%NAME%"). Answers typed questions
// about the first file and writes values back to it on disk.
//
// Results are Win32 error numbers: 0 success, 13 section or key not found,
// 14 the caller's buffer is too small, 87 an argument is absent or empty (or
// a value has too few parts), and the system's codes from file access.

#include <cstdint>
#include <string>
#include <vector>

#include "SectionList.h"

struct PROFILE_SIZE {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
};
struct PROFILE_POINT {
    std::int32_t x = 0;
    std::int32_t y = 0;
};
struct PROFILE_RECT {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

class CProfile {
public:
    CProfile() = default;
    CProfile(const wchar_t* path, const wchar_t* stringsPath);
    virtual ~CProfile() = default;
    CProfile(const CProfile&) = delete;
    CProfile& operator=(const CProfile&) = delete;

    // Reads both files; a file that cannot be read leaves its list empty.
    std::uint32_t Create(const wchar_t* path, const wchar_t* stringsPath, bool unused = false);
    std::uint32_t Reload(const wchar_t* path, const wchar_t* stringsPath);

    std::uint32_t GetString(const wchar_t* section, const wchar_t* key, wchar_t* buffer, std::uint32_t size,
                            bool escapes) const;
    // As above into a string; |size| plays the part of the caller's buffer.
    std::uint32_t GetString(const wchar_t* section, const wchar_t* key, std::wstring& out, std::uint32_t size,
                            bool escapes) const;
    std::uint32_t GetDword(const wchar_t* section, const wchar_t* key, std::uint32_t* out) const;
    std::uint32_t GetControl(const wchar_t* section, const wchar_t* key, PROFILE_SIZE* out) const;
    std::uint32_t GetControl(const wchar_t* section, const wchar_t* key, PROFILE_POINT* out) const;
    std::uint32_t GetControl(const wchar_t* section, const wchar_t* key, std::uint32_t* colour) const;
    std::uint32_t GetControl(const wchar_t* section, const wchar_t* key, PROFILE_RECT* out) const;
    std::uint32_t GetSectionName(wchar_t* buffer, std::uint32_t size, bool nulSeparated) const;
    std::uint32_t GetAllKey(const wchar_t* section, wchar_t* buffer, std::uint32_t size, bool skipBare) const;

    // Writes to the file on disk (not to the loaded lists: reads see the new
    // value after Reload). The file stays UTF-16 LE and only the value changes.
    std::uint32_t SetValue(const wchar_t* section, const wchar_t* key, const wchar_t* text);
    std::uint32_t SetValue(const wchar_t* section, const wchar_t* key, std::int32_t number);
    std::uint32_t SetValue(const wchar_t* section, const wchar_t* key, const PROFILE_SIZE& size);
    std::uint32_t SetValue(const wchar_t* section, const wchar_t* key, const PROFILE_POINT& point);
    std::uint32_t SetValueColour(const wchar_t* section, const wchar_t* key, std::uint32_t colour);
    std::uint32_t SetValue(const wchar_t* section, const wchar_t* key, const PROFILE_RECT& rect);

    bool IsLoaded() const { return mainLoaded_; }
    const std::wstring& Path() const { return path_; }
    const CSectionList& MainList() const { return main_; }
    // Every section name in file order, however many there are.
    std::vector<std::wstring> SectionNames() const;

    // The number rules: decimal with optional sign, or with "0X" anywhere the
    // last eight characters as hexadecimal (other characters count as 0).
    static std::uint32_t StringToDword(const wchar_t* text);

protected:
    std::uint32_t LoadFile(const wchar_t* path, CSectionList& list);
    // Replaces percent references and, with |escapes|, "\r" and "\n". Returns
    // 14 and leaves the text as read when the result does not fit |size|.
    std::uint32_t ConvertDefinedString(std::wstring& text, std::uint32_t size, bool escapes) const;
    bool GetStringValue(const std::wstring& reference, std::wstring& value) const;
    std::uint32_t SetData(const wchar_t* section, const wchar_t* key, const wchar_t* text);
    std::uint32_t WriteData() { return 0; }

private:
    std::uint32_t ReadParts(const wchar_t* section, const wchar_t* key, std::size_t needed,
                            std::vector<std::uint32_t>& parts, std::uint32_t missing) const;

    CSectionList main_;
    CSectionList strings_;
    bool mainLoaded_ = false;
    bool stringsLoaded_ = false;
    std::wstring path_;
};
