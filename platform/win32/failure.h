#pragma once

#include "platform/window_description.h"

#include <windows.h>

#include <string_view>

namespace platform::win32 {

// The last word when the program cannot carry on: what failed, in a message
// box over the window in the window's own words, then the end of the program
// with a failure status.
[[noreturn]] void reportFailureAndExit(const FailureWords &words, std::string_view what, HWND owner = nullptr);

} // namespace platform::win32
