#pragma once
// snaplet's whole run: start-up, options, printer, capture and printing,
// shutdown. Returns the exit code.
//
// Exit codes:
//   0   the capture was made and handed to printing; also when both -screen
//       and -window are given (then nothing is done)
//   1   no capture option; -IE; the window capture failed for a reason other
//       than the one below; an unexpected fault
//   23  -window, and the window in front cannot be captured
// Printing failures do not change the exit code.

int RunSnaplet(int argc, const wchar_t* const* argv);

// The message written to the console for -IE.
constexpr const wchar_t* kInternetExplorerFailure = L"\n - \n Failed to print IE";
