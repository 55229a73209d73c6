#pragma once

#include "content.h"
#include "controls.h"

namespace quiz {

struct SelectionState {
    // Index of the selected event; -1 until the event column is touched.
    PairIndex EventIndex = kNoPair;
    // Index of the (last) ticked date; -1 until the date column is touched.
    PairIndex DateIndex = kNoPair;
    // Verdict of the latest evaluation.
    bool IsCorrect = false;

    friend bool operator==(const SelectionState &, const SelectionState &) = default;
};

// The quiz's handlers and the state they share. Nothing is judged until both
// columns have been touched since the last reset; after that every click on
// either column is judged at once, from the controls' current state.
class QuizForm {
public:
    explicit QuizForm(QuizControls &controls) : controls_(controls) {}
    ~QuizForm() = default;

    QuizForm(const QuizForm &) = delete;
    QuizForm &operator=(const QuizForm &) = delete;

    void Form_Load();
    void Option1_Click(PairIndex Index);
    void Check1_Click(PairIndex Index);
    void Command1_Click();

    // True exactly when one event is selected, exactly one date is ticked
    // and both carry the same index. Leaves an index untouched when its
    // column has no selection.
    bool CheckAnswer();
    void ShowResult();
    void ResetIndexes();

    [[nodiscard]] const SelectionState &state() const { return state_; }

private:
    QuizControls &controls_;
    SelectionState state_;
};

} // namespace quiz
