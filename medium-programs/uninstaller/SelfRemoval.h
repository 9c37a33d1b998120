#pragma once
// Setup starts a copy of the uninstaller from the temporary folder (or, when
// that copy fails, from the Windows directory as "UnInstEE.exe"). Such a copy
// cannot delete its own running file; it has the system delete it at the next
// restart, so that nothing of it stays behind.

#include <string>

// The running program's own file.
std::wstring OwnFile();

// True when |file| lies directly in |temporaryFolder| or |windowsFolder|
// (case and trailing backslashes do not matter).
bool IsSetupCopy(const std::wstring& file, const std::wstring& temporaryFolder, const std::wstring& windowsFolder);

// Marks |file| for deletion at the next restart. False when the system refused.
bool DeleteAtRestart(const std::wstring& file);

// IsSetupCopy for the running program with the system's folders, and if so
// DeleteAtRestart. False only when marking was needed and failed.
bool RemoveOwnCopyAtRestart();
