#pragma once
// snaplet's command line.
//
// Grammar (arguments after the program name, in any order, compared without
// regard to case of A-Z; anything else is ignored):
//   -screen            capture the whole screen
//   -window            capture the window in front
//   -IE                capture the page shown in Internet Explorer (always fails)
//   -gui               show the pause dialog between capture and printing
//   -printer=NAME      print on NAME (the text after the first "=")
//   -p=NAME            the same
// A later printer argument replaces an earlier one; an empty NAME means the
// default printer.

#include <string>

struct SnapletOptions {
    bool screen = false;
    bool window = false;
    bool ie = false;
    bool gui = false;
    std::wstring printer;
};

// |argv[0]| is the program and is skipped.
SnapletOptions ParseSnapletOptions(int argc, const wchar_t* const* argv);
