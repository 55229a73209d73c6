// The answer check as a table: what is on the board, what the result box
// must say, and what becomes of the two indexes. The board is set directly,
// with no handler wired, so cases that no click sequence reaches (greyed
// boxes, nothing selected) are covered too.
#include "platform/memory_form.h"
#include "quiz/quiz_form.h"
#include "verdicts.h"
#include "window/form_quiz_controls.h"
#include "window/tarvel_mondix_description.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <vector>

using quiz::DateValue;
using quiz::kNoPair;
using quiz::PairIndex;

namespace {

struct AnswerCase {
    const char *name;
    std::vector<PairIndex> ticked;
    std::vector<PairIndex> greyed;
    PairIndex event; // kNoPair: none selected
    // Indexes before the check.
    PairIndex eventIndexBefore;
    PairIndex dateIndexBefore;
    // Right: the verdict with this pair's explanation; kNoPair: wrong.
    PairIndex rightPair;
    PairIndex eventIndexAfter;
    PairIndex dateIndexAfter;

    friend void PrintTo(const AnswerCase &c, std::ostream *os) { *os << c.name; }
};

const auto kCases = std::to_array<AnswerCase>({
    {"RightPair", {5}, {}, 5, kNoPair, kNoPair, 5, 5, 5},
    {"LastPairHasNoDash", {8}, {}, 8, kNoPair, kNoPair, 8, 8, 8},
    {"TrailingBlankKept", {4}, {}, 4, kNoPair, kNoPair, 4, 4, 4},
    {"WrongDate", {7}, {}, 5, kNoPair, kNoPair, kNoPair, 5, 7},
    {"TwoDatesEvenWithTheRightOne", {5, 7}, {}, 5, kNoPair, kNoPair, kNoPair, 5, 7},
    {"TwoDatesHighestIndexKept", {6, 1}, {}, 1, kNoPair, kNoPair, kNoPair, 1, 6},
    {"NoDateKeepsTheOldDateIndex", {}, {}, 5, kNoPair, 3, kNoPair, 5, 3},
    {"NoEventKeepsTheOldEventIndex", {3}, {}, kNoPair, 3, kNoPair, kNoPair, 3, 3},
    {"NoEventAtAll", {3}, {}, kNoPair, kNoPair, kNoPair, kNoPair, kNoPair, 3},
    {"GreyedIsNotTicked", {}, {2}, 2, kNoPair, kNoPair, kNoPair, 2, kNoPair},
    {"GreyedIsNotASecondDate", {2}, {6}, 2, kNoPair, kNoPair, 2, 2, 2},
});

class Answer : public ::testing::TestWithParam<AnswerCase> {
protected:
    platform::MemoryForm memory{window::describeTarvelMondix()};
    window::FormQuizControls controls{memory};
    quiz::QuizForm form{controls};
};

} // namespace

TEST_P(Answer, IsJudgedFromTheBoardAlone)
{
    const AnswerCase &c = GetParam();
    if (c.event != kNoPair)
        memory.click({window::kEventButtons, c.event});
    for (const PairIndex d : c.ticked)
        controls.setDateValue(d, DateValue::Checked);
    for (const PairIndex d : c.greyed)
        controls.setDateValue(d, DateValue::Greyed);
    if (c.eventIndexBefore != kNoPair)
        form.Option1_Click(c.eventIndexBefore);
    if (c.dateIndexBefore != kNoPair)
        form.Check1_Click(c.dateIndexBefore);

    form.ShowResult();
    EXPECT_EQ(form.state().IsCorrect, c.rightPair != kNoPair);
    EXPECT_EQ(controls.resultText(), c.rightPair != kNoPair ? rightVerdict(c.rightPair) : kWrongVerdict);
    EXPECT_EQ(form.state().EventIndex, c.eventIndexAfter);
    EXPECT_EQ(form.state().DateIndex, c.dateIndexAfter);

    // Judged again from the same board: the same text, not a second
    // explanation after the first.
    form.ShowResult();
    EXPECT_EQ(controls.resultText(), c.rightPair != kNoPair ? rightVerdict(c.rightPair) : kWrongVerdict);
}

INSTANTIATE_TEST_SUITE_P(, Answer, ::testing::ValuesIn(kCases), [](const auto &info) { return info.param.name; });
