#pragma once

#include <windows.h>

namespace platform::win32 {

// The window class of a frame's panel: it holds the frame's controls, lets
// the keyboard move through them as part of the window, paints itself in
// the colour the window gives it, and passes its controls' notifications up
// to the window.
const wchar_t *framePanelClass();

} // namespace platform::win32
