#pragma once

#include <string_view>

class QWidget;

namespace platform {

// The last word when the program cannot carry on: what failed, on standard
// error and in a message box in Bulgarian over the window (if Qt can show
// one), then the end of the program with a failure status.
[[noreturn]] void reportFailureAndExit(std::string_view what, QWidget *window = nullptr);

} // namespace platform
