// The quiz played from start-up, on the in-memory form and in each window
// with the mouse and with the keyboard: every backend must give the same text.
#include "backends.h"
#include "verdicts.h"

#include <gtest/gtest.h>

using quiz::DateValue;
using quiz::kNoPair;
using quiz::PairIndex;

namespace {

const std::string &kWrong = kWrongVerdict;
const std::string kTask{quiz::texts().taskText};

std::string right(PairIndex i)
{
    return rightVerdict(i);
}

class Play : public ::testing::TestWithParam<Backend<Learner>> {
protected:
    void expectIndexes(PairIndex event, PairIndex date) const
    {
        EXPECT_EQ(learner->state().EventIndex, event);
        EXPECT_EQ(learner->state().DateIndex, date);
    }
    void expectBoardCleared() const
    {
        for (PairIndex i = 0; i < quiz::kPairCount; ++i) {
            EXPECT_FALSE(learner->eventSelected(i)) << i;
            EXPECT_EQ(learner->dateValue(i), DateValue::Unchecked) << i;
        }
    }

    std::unique_ptr<Learner> learner = GetParam().make();
};

} // namespace

TEST_P(Play, NothingIsJudgedUntilBothColumnsAreTouched)
{
    EXPECT_EQ(learner->resultText(), kTask);
    expectIndexes(kNoPair, kNoPair);
    expectBoardCleared();

    learner->clickEvent(7);
    learner->clickEvent(2);
    EXPECT_EQ(learner->resultText(), kTask);
    expectIndexes(2, kNoPair);
    EXPECT_FALSE(learner->eventSelected(7)) << "one event at a time";

    learner->clickDate(2);
    EXPECT_EQ(learner->resultText(), right(2));
    expectIndexes(2, 2);
}

TEST_P(Play, DateFirstIsJudgedWithTheEventClick)
{
    learner->clickDate(4);
    learner->clickDate(3);
    EXPECT_EQ(learner->resultText(), kTask);
    expectIndexes(kNoPair, 3);

    learner->clickEvent(4);
    EXPECT_EQ(learner->resultText(), kWrong) << "two dates ticked";
    learner->clickDate(3);
    EXPECT_EQ(learner->resultText(), right(4)) << "un-ticking is judged too";
}

TEST_P(Play, RightWrongAndUntickedInTurn)
{
    learner->clickEvent(7);
    learner->clickDate(7);
    EXPECT_EQ(learner->resultText(), right(7));
    EXPECT_TRUE(learner->state().IsCorrect);
    learner->clickDate(7);
    EXPECT_EQ(learner->resultText(), kWrong);
    EXPECT_FALSE(learner->state().IsCorrect);

    learner->clickEvent(5);
    learner->clickDate(5);
    learner->clickDate(7);
    EXPECT_EQ(learner->resultText(), kWrong) << "the right date and another";
    learner->clickDate(7);
    EXPECT_EQ(learner->resultText(), right(5));
    learner->clickDate(1);
    learner->clickDate(1);
    EXPECT_EQ(learner->resultText(), right(5)) << "judged again, still one explanation";
    learner->clickEvent(5);
    EXPECT_EQ(learner->resultText(), right(5)) << "the selected event clicked again";
}

// Every event against every date, in one window: tick, judge, un-tick. Long,
// and the same by every input, so once per form (its first learner).
class EveryPairing : public Play {};

TEST_P(EveryPairing, IsJudged)
{
    for (PairIndex e = 0; e < quiz::kPairCount; ++e) {
        learner->clickEvent(e);
        for (PairIndex d = 0; d < quiz::kPairCount; ++d) {
            learner->clickDate(d);
            EXPECT_EQ(learner->resultText(), e == d ? right(e) : kWrong) << e << "/" << d;
            learner->clickDate(d);
            EXPECT_EQ(learner->resultText(), kWrong);
        }
    }
}

TEST_P(Play, VerdictDependsOnlyOnWhatIsOnTheBoard)
{
    learner->clickEvent(1);
    learner->clickDate(5);
    learner->clickDate(5);
    learner->clickDate(3);
    EXPECT_EQ(learner->resultText(), kWrong);
    learner->clickEvent(3);
    EXPECT_EQ(learner->resultText(), right(3));
}

TEST_P(Play, ClearWithTickedDatesLeavesTheDateColumnTouched)
{
    learner->clickEvent(0);
    learner->clickDate(2);
    learner->clickDate(6);
    learner->pressClear();
    expectBoardCleared();
    EXPECT_EQ(learner->resultText(), "");
    // Un-ticking re-entered the date handler, highest index last.
    expectIndexes(kNoPair, 6);

    learner->clickEvent(8);
    EXPECT_EQ(learner->resultText(), kWrong) << "judged at once: no date is ticked";
}

TEST_P(Play, ClearWithTickedDatesThenADateRecordsSilently)
{
    learner->clickDate(2);
    learner->clickDate(6);
    learner->pressClear();
    learner->clickDate(1);
    EXPECT_EQ(learner->resultText(), "");
    expectIndexes(kNoPair, 1);
    learner->clickEvent(1);
    EXPECT_EQ(learner->resultText(), right(1));
}

TEST_P(Play, ClearWithNoDateStartsAfresh)
{
    learner->clickEvent(5);
    learner->pressClear();
    expectBoardCleared();
    expectIndexes(kNoPair, kNoPair);
    EXPECT_EQ(learner->resultText(), "") << "the task text does not come back";

    learner->clickEvent(5);
    EXPECT_EQ(learner->resultText(), "");
    learner->pressClear();
    learner->clickDate(5);
    EXPECT_EQ(learner->resultText(), "");
    learner->clickEvent(5);
    EXPECT_EQ(learner->resultText(), right(5));
}

// A date that was ticked and un-ticked again leaves nothing for the clear
// to un-tick: the date column is forgotten with the rest.
TEST_P(Play, ClearForgetsADateThatIsNoLongerTicked)
{
    learner->clickDate(3);
    learner->clickDate(3);
    expectIndexes(kNoPair, 3);
    learner->pressClear();
    expectIndexes(kNoPair, kNoPair);
    learner->clickEvent(5);
    EXPECT_EQ(learner->resultText(), "") << "not judged: the date column is untouched since the clear";
    expectIndexes(5, kNoPair);
}

TEST_P(Play, ExplanationsKeepTheirSpacing)
{
    for (const PairIndex i : {PairIndex{4}, PairIndex{8}, PairIndex{3}}) {
        learner->clickEvent(i);
        learner->clickDate(i);
        EXPECT_EQ(learner->resultText(), right(i));
        learner->pressClear();
    }
}

INSTANTIATE_TEST_SUITE_P(, Play, ::testing::ValuesIn(learnerBackends()), kBackendName);
INSTANTIATE_TEST_SUITE_P(, EveryPairing, ::testing::Values(learnerBackends().front()), kBackendName);
