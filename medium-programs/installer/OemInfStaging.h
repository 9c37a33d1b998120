#pragma once
// Staging a driver INF into the system's INF folder (SetupCopyOEMInf: Windows
// names the copy oemN.inf, Wine keeps the INF's own name) and taking it out
// again with what staging left beside it: the precompiled .pnf, and the
// catalog copy under system32\catroot when the INF names a CatalogFile.

#include <windows.h>

#include <string>

namespace installer {

// 0 or the system's error; |staged| gets the full path of the staged copy.
DWORD StageInf(const std::wstring& inf, std::wstring* staged);

// The staged copy of |inf| in the system's INF folder: the file of the INF's
// own name, else an oem*.inf with the same contents; empty when none.
std::wstring FindStagedInf(const std::wstring& inf);

// Removes the staged INF |staged| (a full path or a file name in the INF
// folder), its .pnf and the catalog |catalogFile| (a file name, may be empty).
// 0, ERROR_FILE_NOT_FOUND when nothing was staged, or the system's error.
DWORD UnstageInf(const std::wstring& staged, const std::wstring& catalogFile);

// The system's INF folder.
std::wstring InfFolder();

}  // namespace installer
