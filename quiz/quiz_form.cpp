#include "quiz_form.h"

namespace quiz {

void QuizForm::Form_Load()
{
    ResetIndexes();
}

void QuizForm::Option1_Click(PairIndex Index)
{
    state_.EventIndex = Index;
    if (state_.DateIndex >= 0)
        ShowResult();
}

void QuizForm::Check1_Click(PairIndex Index)
{
    state_.DateIndex = Index;
    if (state_.EventIndex >= 0)
        ShowResult();
}

void QuizForm::Command1_Click()
{
    // Indexes first: un-ticking below re-enters Check1_Click, which must not
    // judge the half-cleared board.
    ResetIndexes();
    for (PairIndex i = 0; i < kPairCount; ++i) {
        controls_.unselectEvent(i);
        controls_.setDateValue(i, DateValue::Unchecked);
    }
    controls_.setResultText({});
}

bool QuizForm::CheckAnswer()
{
    std::int16_t selectedEvents = 0;
    std::int16_t tickedDates = 0;
    for (PairIndex i = 0; i < kPairCount; ++i) {
        if (controls_.eventSelected(i)) {
            ++selectedEvents;
            state_.EventIndex = i;
        }
        if (controls_.dateValue(i) == DateValue::Checked) {
            ++tickedDates;
            state_.DateIndex = i;
        }
    }
    return selectedEvents == 1 && tickedDates == 1 && state_.DateIndex == state_.EventIndex;
}

void QuizForm::ShowResult()
{
    state_.IsCorrect = CheckAnswer();
    const FixedTexts &fixed = texts();
    if (!state_.IsCorrect) {
        controls_.setResultText(fixed.wrongVerdict);
        return;
    }
    std::string text{fixed.rightVerdict};
    text += kLineEnd;
    controls_.setResultText(text);

    // Read back and append, so the box ends with exactly one explanation.
    text = controls_.resultText();
    text += controls_.explanation(state_.EventIndex);
    text += kLineEnd;
    controls_.setResultText(text);
}

void QuizForm::ResetIndexes()
{
    state_.EventIndex = kNoPair;
    state_.DateIndex = kNoPair;
}

} // namespace quiz
