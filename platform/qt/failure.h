#pragma once

#include "platform/window_description.h"

#include <string_view>

class QWidget;

namespace platform {

// The last word when the program cannot carry on: what failed, on standard
// error and in a message box over the window (if Qt can show one), in the
// window's own words, then the end of the program with a failure status.
[[noreturn]] void reportFailureAndExit(const FailureWords &words, std::string_view what, QWidget *window = nullptr);

} // namespace platform
