#pragma once
// Free space on the drive of a path, in megabytes.

#include <windows.h>

#include <string>

// The megabytes free to the caller on the drive of |path| (the path itself or
// its nearest existing parent); at least 1 when the figure is known, so that a
// nearly full drive is not mistaken for "no figure"; 0 when no folder of the
// path answers. Capped at the largest DWORD.
DWORD FreeMegabytes(const std::wstring& path);
