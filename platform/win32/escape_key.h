#pragma once

#include <windows.h>

namespace platform::win32 {

// A multi-line edit control in a window that moves about as a dialog does
// closes that window when Esc is pressed in it; this one leaves Esc to the
// window, which does nothing with it. Only the window's close button, Alt+F4
// or the system menu close the quiz.
void keepEscapeFromClosing(HWND edit);

} // namespace platform::win32
