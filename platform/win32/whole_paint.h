#pragma once

#include <windows.h>

namespace platform::win32 {

// Shows a window that appears whole, in one paint. Each control paints
// itself into a picture of its own (WM_PRINT), the pictures are put
// together off the screen, and the whole is put on the screen at once; then
// nothing in the window needs a paint of its own but its frame. Painted on
// the screen control by control instead, under Wine, the window would
// appear in some thirty pieces over a tenth of a second.
void showWhole(HWND window);

// Paints what waits to be painted in the window in one pass: the whole of
// it put together off the screen, as above, when all of it waits (Wine
// redraws the whole window so when the X server first shows it; Windows
// without composition, when it is uncovered); else each waiting control,
// one after another without returning to the queue. Either way it reaches
// the screen at once, not control by control.
void paintWaiting(HWND window);

} // namespace platform::win32
