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

// Where the focus starts: of the visible controls that take the focus (an
// option button only as its group's stop), the one with the lowest tab
// position, the first described among equals; nullptr if there is none.
[[nodiscard]] const ControlDescription *firstFocus(const WindowDescription &window, const IsSelected &selected);

// Item of a list box, in stored order; std::out_of_range naming the list
// for an index it does not have.
[[nodiscard]] std::string listItem(const ControlDescription &list, int item);

} // namespace platform
