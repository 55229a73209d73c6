#pragma once

#include <string>

namespace platform::web {

// What the program has made so far, written as HTML, when it is built
// against the page written down (markup.cpp) in place of the browser's:
// its style sheet in a style element, then its elements.
[[nodiscard]] std::string markup();

} // namespace platform::web
