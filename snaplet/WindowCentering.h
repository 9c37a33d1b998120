#pragma once
// Centring a window over a reference rectangle while keeping it inside the
// work area.

#include <windows.h>

// The new top left corner of |window| (its current rectangle): centred on
// |reference|, then moved back inside |workArea| where it sticks out.
POINT CenteredOrigin(const RECT& window, const RECT& reference, const RECT& workArea);

// Centres |window| on its owner when it has a visible, enabled owner, else on
// the work area, and moves it there without resizing or activating it.
void CenterWindow(HWND window);
