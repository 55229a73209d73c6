#include "memory_board.h"

namespace platform {

MemoryBoard::MemoryBoard(std::string_view startText, std::vector<std::string> explanations)
    : resultText_(startText), explanations_(std::move(explanations))
{
    dateValues_.fill(DateValue::Unchecked);
}

void MemoryBoard::load()
{
    if (handlers_.load)
        handlers_.load();
}

void MemoryBoard::clickEvent(PairIndex index)
{
    // Only a newly selected button reports; clicking the selected one again
    // changes nothing.
    const std::size_t chosen = quiz::slotOf(index);
    if (eventSelected_[chosen])
        return;
    for (std::size_t i = 0; i < eventSelected_.size(); ++i)
        eventSelected_[i] = i == chosen;
    if (handlers_.eventClick)
        handlers_.eventClick(index);
}

void MemoryBoard::clickDate(PairIndex index)
{
    // A click ticks an empty box and clears a ticked or greyed one.
    const DateValue next = dateValue(index) == DateValue::Unchecked ? DateValue::Checked
                                                                    : DateValue::Unchecked;
    setDateValue(index, next);
}

void MemoryBoard::pressClear()
{
    if (handlers_.clearClick)
        handlers_.clearClick();
}

bool MemoryBoard::eventSelected(PairIndex index) const
{
    return eventSelected_[quiz::slotOf(index)];
}

void MemoryBoard::unselectEvent(PairIndex index)
{
    eventSelected_[quiz::slotOf(index)] = false;
}

DateValue MemoryBoard::dateValue(PairIndex index) const
{
    return dateValues_[quiz::slotOf(index)];
}

void MemoryBoard::setDateValue(PairIndex index, DateValue value)
{
    DateValue &current = dateValues_[quiz::slotOf(index)];
    if (current == value)
        return;
    current = value;
    if (handlers_.dateClick)
        handlers_.dateClick(index);
}

std::string MemoryBoard::explanation(PairIndex index) const
{
    return explanations_.at(quiz::slotOf(index));
}

} // namespace platform
