#pragma once

#include "child_controls.h"

#include <string>

namespace platform::win32 {

// Windows tabs through controls in the order of windows, so they are put in
// the form policy's tab order. The option buttons of one frame make one
// group with one tab stop, in which the arrow keys move in the order of
// windows too: as the learner reads them.
void orderForTabbing(const WindowDescription &window, ChildControls &controls);

// Moves the group's one tab stop where the form policy puts it.
void updateTabStops(const WindowDescription &window, const ChildControls &controls, const std::string &container);

} // namespace platform::win32
