#pragma once
// GDI+ for snaplet. Its headers need the COM property types, which the
// project-wide WIN32_LEAN_AND_MEAN leaves out of <windows.h>.

#include <windows.h>
#include <objidl.h>

#include <gdiplus.h>
