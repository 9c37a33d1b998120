#pragma once
// One pass of the program: capture, the optional pause dialog, printing.

#include <string>

enum class CaptureMode { Screen = 0, Window = 1 };

// Empties the image list, captures the screen or the window in front, shows
// the pause dialog when asked, prints on |printerName| and empties the list
// again. The capture's result; false without printing when the pause dialog
// cannot be shown. Printing failures are not reported.
bool CaptureAndPrint(CaptureMode mode, bool showDialog, const std::wstring& printerName);

// Shows the pause dialog, centred, and runs the thread's message loop until
// "OK" or "Cancel" ends it. False when the dialog cannot be made.
bool RunPauseDialog();
