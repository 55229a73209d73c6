#pragma once

#include <windows.h>

#include <string_view>

namespace platform::win32 {

// The last word when the program cannot carry on: what failed, in a message
// box in Bulgarian over the window, then the end of the program with a
// failure status.
[[noreturn]] void reportFailureAndExit(std::string_view what, HWND owner = nullptr);

} // namespace platform::win32
