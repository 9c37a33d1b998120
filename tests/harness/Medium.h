#pragma once
// Installation media for end-to-end tests: a private copy of the staged
// example medium, with files of a variant laid over it.

#include <string>
#include <utility>
#include <vector>

namespace qs_test {

enum class FileKind {
    Profile,  // a profile file: written as UTF-16 LE without byte-order mark
    Ansi,     // read by the platform's private-profile reader (Autorun.inf, a setting file)
    Remove,   // the file is taken away
};

struct OverlayFile {
    std::wstring relativePath;  // e.g. L"data\\vxinst.vxi"
    std::wstring text;
    FileKind kind = FileKind::Profile;
};

// The staged example medium, as the test's environment names it (QS_MEDIUM_DIR).
std::wstring StagedMediumDirectory();

// The text of the staged medium's profile file |relative| (UTF-16 LE), with
// the first occurrence of each |replacements| text replaced and |appended|
// added at the end: the makings of a variant for MakeMedium. Empty when the
// file cannot be read.
std::wstring StagedProfileWith(const std::wstring& relative,
                               const std::vector<std::pair<std::wstring, std::wstring>>& replacements,
                               const std::wstring& appended = L"");

// Copies the staged medium to a folder of its own (C:\qs-media\<name>) and lays
// |overlay| over it. Returns the folder, or an empty text on failure.
std::wstring MakeMedium(const std::wstring& name, const std::vector<OverlayFile>& overlay = {});

bool WriteProfileFile(const std::wstring& path, const std::wstring& text);
bool WriteAnsiFile(const std::wstring& path, const std::wstring& text);
bool CopyTree(const std::wstring& from, const std::wstring& to);
bool DeleteTree(const std::wstring& folder);

}  // namespace qs_test
