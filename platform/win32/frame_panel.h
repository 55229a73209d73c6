#pragma once

#include <windows.h>

namespace platform::win32 {

// The window class of a frame's panel: it holds the frame's controls, lets
// the keyboard move through them as part of the window, paints itself in
// the colour the window gives it, and passes its controls' notifications up
// to the window.
const wchar_t *framePanelClass();

// Has a frame's group box drawn here rather than by Windows: the line
// round the frame, broken for the whole caption, which is measured and
// drawn in the one font the box has. (Wine's own group box has run its line
// through the caption's last letter with some fonts.) The box keeps its
// role and name for screen readers.
void drawFrameHere(HWND groupBox);

} // namespace platform::win32
