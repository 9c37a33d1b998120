#pragma once
// Edits the text of a profile file in place, the way a careful hand would:
// only the value written changes; comments, blank lines, other entries, line
// ends and a leading byte-order mark stay as they were. New lines end with the
// file's first line break (CR LF when it has none).
//
//   value of an existing key  -> the text after its "=" is replaced
//   new key                   -> "KEY=value" after the section's last non-blank line
//   new section               -> "[SECTION]" and "KEY=value" appended at the end
//   empty key                 -> every line of the section goes; its header stays
//
// A header is a line that, trimmed of spaces and tabs, starts with "[" and ends
// with "]"; names compare after normalisation, keys before the first "=" after
// trimming, both folding A-Z. The first section of a name is the one edited.

#include <string>
#include <string_view>

std::wstring EditProfileText(std::wstring_view text, std::wstring_view section, std::wstring_view key,
                             std::wstring_view value);
