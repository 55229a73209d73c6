#include "memory_board.h"

#include "form_policy.h"

#include <stdexcept>

namespace platform {

MemoryBoard::MemoryBoard(const WindowDescription &description)
{
    for (const ControlDescription &c : validated(description).controls)
        controls_.add(c, Control{.description = c, .text = c.caption});
}

void MemoryBoard::raiseClick(ControlId id)
{
    if (clicked_)
        clicked_(controls_.idOf(id));
}

void MemoryBoard::click(ControlId control)
{
    Control &c = controls_.at(control);
    switch (c.description.kind) {
    case ControlKind::OptionButton:
        // Only a newly selected button reports.
        if (c.selected)
            return;
        for (auto &[key, other] : controls_)
            if (other.description.kind == ControlKind::OptionButton
                && other.description.container == c.description.container)
                other.selected = false;
        c.selected = true;
        raiseClick(control);
        return;
    case ControlKind::CheckBox:
        // A click ticks an empty box and clears a ticked or greyed one.
        setCheckState(control, c.check == CheckState::Unchecked ? CheckState::Checked : CheckState::Unchecked);
        return;
    case ControlKind::PushButton:
        raiseClick(control);
        return;
    default:
        return;
    }
}

bool MemoryBoard::isSelected(ControlId option) const
{
    return controls_.of(option, ControlKind::OptionButton).selected;
}

void MemoryBoard::unselect(ControlId option)
{
    controls_.of(option, ControlKind::OptionButton).selected = false;
}

CheckState MemoryBoard::checkState(ControlId box) const
{
    return controls_.of(box, ControlKind::CheckBox).check;
}

void MemoryBoard::setCheckState(ControlId box, CheckState state)
{
    CheckState &current = controls_.of(box, ControlKind::CheckBox).check;
    if (current == state)
        return;
    current = state;
    raiseClick(box);
}

std::string MemoryBoard::text(ControlId box) const
{
    return controls_.of(box, ControlKind::TextBox).text;
}

void MemoryBoard::setText(ControlId box, std::string_view text)
{
    controls_.of(box, ControlKind::TextBox).text = text;
}

std::string MemoryBoard::listItem(ControlId list, int item) const
{
    return platform::listItem(controls_.of(list, ControlKind::ListBox).description, item);
}

void MemoryBoard::fail(std::string_view what)
{
    throw std::runtime_error(std::string{what});
}

} // namespace platform
