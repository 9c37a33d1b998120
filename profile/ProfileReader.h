#pragma once
// The reader that turns the text of a profile file into a section list.
//
// Grammar, over the whole file as UTF-16 code units (no byte-order mark is
// recognised; one at the start is an ordinary character of the first line):
//
//   file     := { line-break | line }
//   line     := text up to CR or LF; a run of CRs and LFs is one break
//   comment  := "//" to the end of its line   |   "/*" up to the next "*/"
//               (neither is recognised between double quotes; a double quote
//               toggles that state, which carries across lines; a block comment
//               joins the text before and after it into one line; an unclosed
//               one ends the text)
//   header   := "[" name "]"          (the trimmed line starts with "[", ends with "]")
//   entry    := key [ "=" value ]      (split at the first "=", both trimmed of
//                                       spaces and tabs; without "=", the key is
//                                       the whole line and the value is empty)
//
// Lines are trimmed of spaces and tabs; empty lines vanish; entries before the
// first header are ignored; a repeated header continues the earlier section;
// repeated keys are kept in order. A line longer than 4096 characters (after
// comments are removed, before trimming) ends the reading: it and everything
// after it are ignored. The last line needs no line break, and the partial
// line left by an unclosed block comment is read like any other.

#include <string_view>

class CSectionList;

void ParseProfileText(std::wstring_view units, CSectionList& list);
