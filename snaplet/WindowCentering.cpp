#include "WindowCentering.h"

POINT CenteredOrigin(const RECT& window, const RECT& reference, const RECT& workArea) {
    const LONG width = window.right - window.left;
    const LONG height = window.bottom - window.top;
    POINT origin = {(reference.left + reference.right) / 2 - width / 2,
                    (reference.top + reference.bottom) / 2 - height / 2};
    if (origin.x + width > workArea.right) origin.x = workArea.right - width;
    if (origin.x < workArea.left) origin.x = workArea.left;
    if (origin.y + height > workArea.bottom) origin.y = workArea.bottom - height;
    if (origin.y < workArea.top) origin.y = workArea.top;
    return origin;
}

void CenterWindow(HWND window) {
    RECT workArea = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    RECT reference = workArea;
    const HWND owner = GetWindow(window, GW_OWNER);
    if (owner != nullptr && IsWindowVisible(owner) && IsWindowEnabled(owner) && !IsIconic(owner)) {
        GetWindowRect(owner, &reference);
    }
    RECT rect = {};
    GetWindowRect(window, &rect);
    const POINT origin = CenteredOrigin(rect, reference, workArea);
    SetWindowPos(window, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
