#pragma once

#include "child_controls.h"
#include "handles.h"
#include "platform/window_description.h"

#include <windows.h>

namespace platform::win32 {

// How the form is laid out now: the DPI of its monitor, and the pixels a
// twip takes there, smaller than the natural 1/15 of a pixel per 96 dpi
// where the window would not fit the monitor's work area.
struct Layout {
    UINT dpi = 96;
    double pixelsPerTwip = 1.0 / kTwipsPerPixel;

    [[nodiscard]] int toPixels(Twips twips) const;
    // Where a control stands in its container, in pixels.
    [[nodiscard]] RECT placeOf(const ControlDescription &control) const;
};

// How the window is laid out at that DPI to fit a work area, frame and title
// bar round the described client area: as small as the area needs.
Layout layoutFor(HWND window, const WindowDescription &description, UINT dpi, const RECT &workArea);
// The window's outer size as laid out.
SIZE windowSize(HWND window, const WindowDescription &description, const Layout &layout);

// The window's font at the layout's scale, smaller where a caption would be
// cut off. Asks for the described face and, where the system lacks it, for
// one of the same family.
Font fittingFont(const WindowDescription &description, const Layout &layout);

// Moves every control to its place, and gives it the font, as laid out
// anew.
void placeControls(ChildControls &controls, const Layout &layout, HFONT font);

} // namespace platform::win32
