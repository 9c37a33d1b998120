#pragma once
// A command: a type name such as "CT_OPEN_DLG" and up to five text
// parameters. Buttons, pages, the wizard and command sections all speak in
// commands; CCmdOperator carries them out.

#include <array>
#include <cstddef>
#include <string>

struct CMD_RECORD {
    // Each field holds at most this many characters, its terminator included.
    static constexpr std::size_t kFieldChars = 8192;

    // Type, then parameters 1 to 5; an absent parameter is empty.
    std::array<std::wstring, 6> fields;

    const std::wstring& Type() const { return fields[0]; }
    // Parameter |number| (1 to 5).
    const std::wstring& Param(std::size_t number) const { return fields[number]; }
};

// A record with every field cut to kFieldChars - 1 characters.
CMD_RECORD MakeCmdRecord(std::wstring type, std::wstring p1 = {}, std::wstring p2 = {}, std::wstring p3 = {},
                         std::wstring p4 = {}, std::wstring p5 = {});

// One line of a command section:
//
//   line   := type [ "=" params ]
//   params := param { "," param }
//
// The type is the text before the first "="; the text after it is split at
// every comma (commas cannot be escaped, and an empty parameter keeps its
// place). At most three parameters are taken; parameters 4 and 5 stay empty.
// The type and each parameter are trimmed of blanks and tabs. A line without
// "=" is a type without parameters.
CMD_RECORD ParseCmdLine(const std::wstring& line);
