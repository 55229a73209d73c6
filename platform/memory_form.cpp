#include "memory_form.h"

#include "form_policy.h"

#include <stdexcept>

namespace platform {

MemoryForm::MemoryForm(const WindowDescription &description)
{
    for (const ControlDescription &c : validated(description).controls)
        controls_.add(c, Control{.description = c, .text = c.caption});
}

void MemoryForm::raiseClick(ControlId id)
{
    if (clicked_)
        clicked_(controls_.idOf(id));
}

void MemoryForm::click(ControlId control)
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

bool MemoryForm::isSelected(ControlId option) const
{
    return controls_.of(option, ControlKind::OptionButton).selected;
}

void MemoryForm::unselect(ControlId option)
{
    controls_.of(option, ControlKind::OptionButton).selected = false;
}

CheckState MemoryForm::checkState(ControlId box) const
{
    return controls_.of(box, ControlKind::CheckBox).check;
}

void MemoryForm::setCheckState(ControlId box, CheckState state)
{
    CheckState &current = controls_.of(box, ControlKind::CheckBox).check;
    if (current == state)
        return;
    current = state;
    raiseClick(box);
}

std::string MemoryForm::text(ControlId box) const
{
    return controls_.of(box, ControlKind::TextBox).text;
}

void MemoryForm::setText(ControlId box, std::string_view text)
{
    controls_.of(box, ControlKind::TextBox).text = text;
}

std::string MemoryForm::listItem(ControlId list, int item) const
{
    return platform::listItem(controls_.of(list, ControlKind::ListBox).description, item);
}

void MemoryForm::fail(std::string_view what)
{
    throw std::runtime_error(std::string{what});
}

} // namespace platform
