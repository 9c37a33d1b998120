#pragma once
// Registry files: a key tree kept as a profile file (UTF-16 LE, no byte-order
// mark), written by CRegistry::SaveToFile and read by CRegistry::LoadFromFile.
//
//   file     := section*
//   section  := "[" root "\" key-path "]" CRLF line* CRLF
//   root     := HKEY_CLASSES_ROOT | HKEY_CURRENT_USER | HKEY_LOCAL_MACHINE
//             | HKEY_PERFORMANCE_DATA | HKEY_CURRENT_CONFIG | HKEY_DYN_DATA
//   line     := '"' name '"' " = " value CRLF
//   value    := '"' text '"'              a string value
//             | "dword:" 8 lower-case hexadecimal digits
//             | "hex:"                    a binary value; its data is not kept
//
// One section per key, the key before its sub-keys (depth first); other value
// types are not written. Reading (case-insensitive root names): a section
// whose text before the first backslash is no root name is a key path under
// HKEY_LOCAL_MACHINE; a "STRINGS" section holds the texts of percent
// references ("%NAME%"), which are replaced in the lines. A line's name is the text before its first "=" without
// spaces, tabs and double quotes at either end; its value the rest without
// spaces and tabs at either end. A value in double quotes is a text; otherwise
// the text before ":" names the type: "dword" takes up to eight hexadecimal
// digits from the right of the rest (trimmed of spaces, tabs and quotes; any
// other character counts 0), "hex" writes nothing, and anything else is data
// that cannot be used.
//
// What the profile reader would read differently is not written: a section
// name longer than a profile name, or with quotes, comment marks or ends that
// the reader trims; a value name with "=", a line break, or spaces, tabs or
// quotes at its ends; a text with a line break, or whose quotes would let the
// reader see a comment mark outside them.

#include <windows.h>

#include <string>
#include <string_view>

namespace registry_file {

// "HKEY_LOCAL_MACHINE" and the like; nullptr for a root without a name here.
const wchar_t* RootName(HKEY root);
// The root a name stands for (any case), or nullptr.
HKEY RootFromName(std::wstring_view name);

// "<root name>\<key path>".
std::wstring SectionName(HKEY root, const std::wstring& keyPath);
// Splits a section name into its root and key path (see above).
void SplitSectionName(const std::wstring& section, HKEY& root, std::wstring& keyPath);
bool CanWriteSection(const std::wstring& section);

// The value part of a line: the text in quotes, "dword:%08x" or "hex:".
std::wstring TextValue(const std::wstring& text);
std::wstring NumberValue(DWORD number);
std::wstring BinaryValue();
// The key part of a line: the name in quotes.
std::wstring QuotedName(const std::wstring& name);
// Whether a line of this name and value (as formatted above) reads back as written.
bool CanWriteLine(const std::wstring& name, const std::wstring& value);

enum class ValueKind { kText, kNumber, kBinary, kUnknown };

struct ValueLine {
    ValueKind kind = ValueKind::kUnknown;
    std::wstring name;
    std::wstring text;  // kText
    DWORD number = 0;   // kNumber
};

// Reads one entry, "key = value" or a line without "=".
ValueLine ParseLine(std::wstring_view entry);

}  // namespace registry_file
