#pragma once
// CT_COPY_FILE and CT_DELETE_FILE: copying and deleting the files and
// directory trees a section of the command file lists, with the copy engine.
//
// A copy section, one line each:
//
//   FILE      = source file, destination file [, record [, record]]
//   DIRECTORY = source dir, destination dir [, with sub-directories [, record]]
//
// The type is compared without case; other lines are passed over. The text
// after "=" is split at commas with CTokenizer (so no field is empty in the
// middle); at most four fields are read. Paths are trimmed of blanks, tabs
// and double quotes; a flag is a decimal number, 0 (or not a number) false,
// default true. With the record flag the copies, and the directories made
// for them, are recorded in the installation history.
//
// A delete section: a type containing "FILE" (any case) deletes the file
// after "=", else a type containing "DIRECTORY" deletes that directory with
// its contents (never a drive or a folder the system keeps, such as the
// Windows directory or program files: that line is logged and passed over).
//
// Both may carry SUPPORTED_OS, UNSUPPORTED_OS, SUPPORTED_LANG and
// UNSUPPORTED_LANG (SectionApplicability.h).

#include "SectionApplicability.h"

class CConfigReader;

// One parsed line of a copy section.
struct COPY_LINE {
    bool directory = false;
    std::wstring source;
    std::wstring destination;
    bool withSubDirs = true;  // DIRECTORY only
    bool record = true;
};

// The line "TYPE = fields" of a copy section; false for a line of another type.
bool ParseCopyLine(const std::wstring& entry, COPY_LINE& line);

// True when done or when the section does not apply; false for an empty name
// or a section that cannot be read. Single copies or deletions that fail are
// passed over.
bool CopySection(const CConfigReader& commands, const wchar_t* section, const SECTION_FACTS& facts);
bool DeleteSection(const CConfigReader& commands, const wchar_t* section, const SECTION_FACTS& facts);
