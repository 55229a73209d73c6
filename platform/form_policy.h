#pragma once

#include "form.h"
#include "window_description.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// What every window adapter decides alike about a described window's
// controls: whether it can be made at all, where the keyboard stops and
// starts, and what a list holds. The adapters carry these out, each with
// its own toolkit.

// How the form's operations name a described control.
[[nodiscard]] inline ControlId controlId(const ControlDescription &c)
{
    return {c.name, c.index};
}

// The description, copied once it is known to make a window: every
// control's container is a frame described before it. Otherwise
// std::invalid_argument, before anything is made.
[[nodiscard]] WindowDescription validated(const WindowDescription &window);

// Whether an option button is selected, as the adapter shows it now.
using IsSelected = std::function<bool(const ControlDescription &option)>;

// The option buttons sharing a container are one group with one tab stop.
// This is the button that holds it: the selected one, or while none is, the
// group's first on screen (its top row, leftmost), where Tab lands in a
// browser's own radio group and the learner starts reading the column.
// nullptr for a container with no option buttons.
[[nodiscard]] const ControlDescription *groupTabStop(const WindowDescription &window, std::string_view container,
                                                     const IsSelected &selected);

// Whether the keyboard can stop at a control of this kind at all (an option
// button only as its group's stop, see groupTabStop).
[[nodiscard]] bool takesFocus(ControlKind kind);

// The controls in a container in the order a learner reads them: row by row
// from the top, each row from the left, a row being the controls whose top
// lies within the height of the first one not yet placed. The arrow keys go
// through an option group in this order, and a window standing in one
// column stands in it.
[[nodiscard]] std::vector<const ControlDescription *> readingOrder(const WindowDescription &window,
                                                                   std::string_view container);

// Every control in the order the keyboard walks the window, hidden ones
// too: by tab position, but an option group's buttons together, at the tab
// position of its first, in reading order. Those that take no focus (a
// frame, a label) stand at their own tab position, for the adapters whose
// tab order is the order of their controls (the Windows API's, the page's).
// Ties keep the description's order.
[[nodiscard]] std::vector<const ControlDescription *> tabOrder(const WindowDescription &window);

// Where the focus starts: of the visible controls that take the focus (an
// option button only as its group's stop), the one with the lowest tab
// position, the first described among equals; nullptr if there is none.
[[nodiscard]] const ControlDescription *firstFocus(const WindowDescription &window, const IsSelected &selected);

// Item of a list box, in stored order; std::out_of_range naming the list
// for an index it does not have.
[[nodiscard]] std::string listItem(const ControlDescription &list, int item);

} // namespace platform
