#pragma once

#include "window_description.h"

#include <functional>
#include <string>
#include <string_view>

namespace platform {

// One described control: its name, and its place in its control array (-1
// for a control that stands alone).
struct ControlId {
    std::string_view name;
    int index = -1;
    friend bool operator==(const ControlId &, const ControlId &) = default;
};

// "Name" or "Name(index)", as messages and object names show a control.
std::string displayName(ControlId control);

// A check box's value: 0, 1 or 2, as the program reads it.
enum class CheckState { Unchecked = 0, Checked = 1, Greyed = 2 };

// A window made from its description by one toolkit: the operations that
// the program's handlers use on its controls, and the one notification they
// need, the click. A control clicks when
//  - an option button becomes the selected one of its group, by mouse,
//    keyboard or a screen reader's action (clicking the selected one again
//    is no click);
//  - a check box's value changes, by the learner or by setCheckState; the
//    click runs inside the call that changed the value, before it returns;
//  - a push button is pressed.
// Unselecting an option button raises nothing, and text reads back exactly
// as it was stored, CR LF included. A control that is not described, or not
// of the kind an operation needs, throws std::invalid_argument.
class Form {
public:
    using ClickHandler = std::function<void(ControlId)>;

    virtual ~Form() = default;
    Form(const Form &) = delete;
    Form &operator=(const Form &) = delete;

    virtual void setClickHandler(ClickHandler handler) = 0;

    [[nodiscard]] virtual bool isSelected(ControlId option) const = 0;
    virtual void unselect(ControlId option) = 0;
    [[nodiscard]] virtual CheckState checkState(ControlId box) const = 0;
    virtual void setCheckState(ControlId box, CheckState state) = 0;
    [[nodiscard]] virtual std::string text(ControlId box) const = 0;
    virtual void setText(ControlId box, std::string_view text) = 0;
    // Item of a list box, in stored order, also while the list is hidden.
    [[nodiscard]] virtual std::string listItem(ControlId list, int item) const = 0;

    // Tells assistive technology, without moving the focus.
    virtual void announce(std::string_view message) = 0;
    virtual void show() = 0;

    // Something went wrong that the program cannot carry on from: say what,
    // and end the program with a failure status.
    [[noreturn]] virtual void fail(std::string_view what) = 0;

protected:
    Form() = default;
};

} // namespace platform
