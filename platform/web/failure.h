#pragma once

#include "platform/window_description.h"

#include <string_view>

namespace platform::web {

// The last word when the program cannot carry on: the form, if any, is
// gone, the page's message (read aloud as an alert) says what failed in the
// window's own words, and the program ends with a failure status.
[[noreturn]] void reportFailureAndExit(const FailureWords &words, std::string_view what);

} // namespace platform::web
