#pragma once

#include "content.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quiz {

// A date box's value: only Checked counts as ticked.
enum class DateValue : std::int16_t { Unchecked = 0, Checked = 1, Greyed = 2 };

// The controls the quiz reads and writes, whatever draws them. Changing a
// date box's value must raise that box's click notification before
// setDateValue returns; unselecting an event button raises nothing.
class QuizControls {
public:
    virtual ~QuizControls() = default;

    [[nodiscard]] virtual bool eventSelected(PairIndex index) const = 0;
    virtual void unselectEvent(PairIndex index) = 0;

    [[nodiscard]] virtual DateValue dateValue(PairIndex index) const = 0;
    virtual void setDateValue(PairIndex index, DateValue value) = 0;

    [[nodiscard]] virtual std::string resultText() const = 0;
    virtual void setResultText(std::string_view text) = 0;

    [[nodiscard]] virtual std::string explanation(PairIndex index) const = 0;

protected:
    QuizControls() = default;
    QuizControls(const QuizControls &) = default;
    QuizControls &operator=(const QuizControls &) = default;
};

} // namespace quiz
