#pragma once

#include "quiz/content.h"
#include "quiz/controls.h"
#include "quiz/quiz_form.h"

#include <memory>
#include <string>

// What a learner does and sees, whatever the quiz runs on. The behaviour
// tests are written against this, so every backend must play alike.
class Learner {
public:
    virtual ~Learner() = default;

    virtual void clickEvent(quiz::PairIndex index) = 0;
    virtual void clickDate(quiz::PairIndex index) = 0;
    virtual void pressClear() = 0;

    [[nodiscard]] virtual bool eventSelected(quiz::PairIndex index) const = 0;
    [[nodiscard]] virtual quiz::DateValue dateValue(quiz::PairIndex index) const = 0;
    [[nodiscard]] virtual std::string resultText() const = 0;
    [[nodiscard]] virtual quiz::SelectionState state() const = 0;
};

// The quiz on the in-memory board.
std::unique_ptr<Learner> makeBoardLearner();
