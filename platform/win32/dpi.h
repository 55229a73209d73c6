#pragma once

#include "platform/layout_policy.h"

#include <windows.h>

namespace platform::win32 {

// Dots per inch of the monitor a window is on, as the program sees them
// (it tells Windows it scales itself); 96 where Windows cannot say.
UINT dpiOf(HWND window);

// The outer size of a window with that client area and style at a DPI.
SIZE outerSize(SIZE client, DWORD style, DWORD exStyle, UINT dpi);

// The desktop's room on the monitor a window is on (or would be, at that
// point, or holding most of that rectangle), less the taskbar.
RECT workArea(HWND window);
RECT workAreaAt(POINT point);
RECT workAreaFor(const RECT &place);

// A rectangle of Windows's as a box.
[[nodiscard]] inline Box boxOf(const RECT &r)
{
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right - r.left),
            static_cast<int>(r.bottom - r.top)};
}

// Whether the desktop runs with high contrast, whose colours then win over
// the window's own.
bool highContrast();

} // namespace platform::win32
