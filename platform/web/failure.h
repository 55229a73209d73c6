#pragma once

#include "platform/window_description.h"

#include <string_view>

namespace platform::web {

// The last word when the program cannot carry on: the form, if any, gives
// way to what failed, said in the window's own words on the page (read
// aloud as an alert), and the program ends with a failure status.
[[noreturn]] void reportFailureAndExit(const FailureWords &words, std::string_view what);

} // namespace platform::web
