#pragma once

#include "child_controls.h"

#include <string>

namespace platform::win32 {

// Windows tabs through controls in the order of windows, so they are put in
// the order of their tab positions. The option buttons of one frame make one
// group with one tab stop, in which the arrow keys move in the order of
// windows too: there they go by screen row, as the learner sees them.
void orderForTabbing(ChildControls &controls);

// The group's one tab stop is its selected button, or its first while none
// is selected.
void updateTabStops(const ChildControls &controls, const std::string &container);

// The visible tab stop with the lowest tab position, where the focus starts;
// nullptr if there is none.
[[nodiscard]] HWND firstTabStop(const ChildControls &controls);

} // namespace platform::win32
