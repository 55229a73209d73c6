#pragma once

#include <windows.h>

namespace platform::win32 {

// Runs the program's messages until the window asks to quit, with the
// keyboard moving about the window as in a dialog: Tab, the arrow keys in a
// group, Space, Enter. Returns the exit status.
int runMessageLoop(HWND window);

// Handles every message waiting for this thread, the same way, and returns
// when there are none left: for tests that act and then look.
void handleWaitingMessages(HWND window);

} // namespace platform::win32
