#include "form_quiz_controls.h"

#include "tarvel_mondix_description.h"

namespace window {

namespace {

platform::ControlId eventButton(quiz::PairIndex index)
{
    return {kEventButtons, static_cast<int>(quiz::slotOf(index))};
}

platform::ControlId dateBox(quiz::PairIndex index)
{
    return {kDateBoxes, static_cast<int>(quiz::slotOf(index))};
}

constexpr platform::ControlId kResult{kResultBox, kResultBoxIndex};

} // namespace

bool FormQuizControls::eventSelected(quiz::PairIndex index) const
{
    return form_.isSelected(eventButton(index));
}

void FormQuizControls::unselectEvent(quiz::PairIndex index)
{
    form_.unselect(eventButton(index));
}

quiz::DateValue FormQuizControls::dateValue(quiz::PairIndex index) const
{
    // Both count 0 unchecked, 1 checked, 2 greyed.
    return static_cast<quiz::DateValue>(form_.checkState(dateBox(index)));
}

void FormQuizControls::setDateValue(quiz::PairIndex index, quiz::DateValue value)
{
    form_.setCheckState(dateBox(index), static_cast<platform::CheckState>(value));
}

std::string FormQuizControls::resultText() const
{
    return form_.text(kResult);
}

void FormQuizControls::setResultText(std::string_view text)
{
    form_.setText(kResult, text);
    ++resultWrites_;
}

std::string FormQuizControls::explanation(quiz::PairIndex index) const
{
    return form_.listItem({kExplanationList}, static_cast<int>(quiz::slotOf(index)));
}

} // namespace window
