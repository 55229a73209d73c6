// The quiz with the keyboard alone: where the focus starts, the whole tab
// chain in order, the event column as one stop with the arrows inside it,
// Space and Enter.
#include "backends.h"
#include "verdicts.h"
#include "window/tarvel_mondix_description.h"

#include <gtest/gtest.h>

namespace {

// Every stop of the tab chain from start-up, in order, by tab position:
// the result box, the clear button, the event column (one stop, on its top
// row while none is selected), the dates.
const std::vector<std::string> kTabChain{
    "Text1(0)",  "Command1",  "Option1(7)", "Check1(0)", "Check1(1)", "Check1(2)", "Check1(3)",
    "Check1(4)", "Check1(5)", "Check1(6)",  "Check1(7)", "Check1(8)",
};

// All that a learner sees of the quiz's state.
struct Board {
    std::string text;
    quiz::SelectionState state;
    std::vector<bool> events;
    std::vector<quiz::DateValue> dates;
    friend bool operator==(const Board &, const Board &) = default;
};

Board boardOf(const Learner &learner)
{
    Board board{learner.resultText(), learner.state(), {}, {}};
    for (quiz::PairIndex i = 0; i < quiz::kPairCount; ++i) {
        board.events.push_back(learner.eventSelected(i));
        board.dates.push_back(learner.dateValue(i));
    }
    return board;
}

class Keyboard : public ::testing::TestWithParam<Backend<WindowLearner>> {
protected:
    std::string focus() const { return learner->focusedControl(); }

    void tabTo(const std::string &control)
    {
        for (int steps = 0; steps < 2 * static_cast<int>(kTabChain.size()) && focus() != control; ++steps)
            learner->press(Key::Tab);
        ASSERT_EQ(focus(), control);
    }

    std::unique_ptr<WindowLearner> learner = GetParam().make();
};

} // namespace

TEST_P(Keyboard, StartsInTheResultBoxWithNothingSelected)
{
    EXPECT_EQ(focus(), "Text1(0)");
    for (quiz::PairIndex i = 0; i < quiz::kPairCount; ++i)
        EXPECT_FALSE(learner->eventSelected(i));
}

TEST_P(Keyboard, TabWalksTheWholeChainInOrderAndBack)
{
    std::vector<std::string> forward{focus()};
    for (std::size_t i = 0; i < kTabChain.size(); ++i) {
        learner->press(Key::Tab);
        forward.push_back(focus());
    }
    std::vector<std::string> expected = kTabChain;
    expected.push_back(kTabChain.front());
    EXPECT_EQ(forward, expected) << "and round to the start";
    for (quiz::PairIndex i = 0; i < quiz::kPairCount; ++i)
        EXPECT_FALSE(learner->eventSelected(i)) << "the focus alone selects nothing";

    // Backwards from the start: the last stop first, the result box last.
    std::vector<std::string> backward;
    for (std::size_t i = 0; i < kTabChain.size(); ++i) {
        learner->press(Key::Backtab);
        backward.push_back(focus());
    }
    EXPECT_EQ(backward, std::vector<std::string>(kTabChain.rbegin(), kTabChain.rend()));
}

TEST_P(Keyboard, SpaceSelectsAndTicksToARightAnswerAndArrowsMoveByRow)
{
    tabTo("Option1(7)");
    learner->press(Key::Space);
    EXPECT_TRUE(learner->eventSelected(7));
    tabTo("Check1(7)");
    learner->press(Key::Space);
    EXPECT_EQ(learner->dateValue(7), quiz::DateValue::Checked);
    EXPECT_EQ(learner->resultText(), rightVerdict(7));

    // Down moves through the events by screen row and selects as it goes.
    tabTo("Option1(7)");
    learner->press(Key::Down);
    EXPECT_EQ(focus(), "Option1(2)") << "the row under pair 7's is pair 2's";
    EXPECT_TRUE(learner->eventSelected(2));
    EXPECT_EQ(learner->resultText(), kWrongVerdict);
    learner->press(Key::Down);
    learner->press(Key::Up);
    EXPECT_EQ(focus(), "Option1(2)");
    EXPECT_EQ(learner->state().EventIndex, 2);
}

TEST_P(Keyboard, EnterPressesClearToo)
{
    learner->clickEvent(2);
    learner->clickDate(2);
    tabTo("Command1");
    learner->press(Key::Enter);
    EXPECT_EQ(learner->resultText(), "");
    EXPECT_EQ(learner->dateValue(2), quiz::DateValue::Unchecked);
    EXPECT_FALSE(learner->eventSelected(2));
}

TEST_P(Keyboard, TabIntoTheEventsLandsOnTheSelectedOneOrAfterAClearOnTheTopRow)
{
    learner->clickEvent(6);
    tabTo("Command1");
    learner->press(Key::Tab);
    EXPECT_EQ(focus(), "Option1(6)");
    learner->press(Key::Tab);
    EXPECT_EQ(focus(), "Check1(0)");
    learner->press(Key::Backtab);
    EXPECT_EQ(focus(), "Option1(6)") << "from behind as well";
    EXPECT_EQ(learner->state().EventIndex, 6) << "and nothing else was selected on the way";

    // Cleared, the column's stop is its top row again.
    learner->pressClear();
    tabTo("Command1");
    learner->press(Key::Tab);
    EXPECT_EQ(focus(), "Option1(7)") << "not the night selected before the clear";
}

// Only the window's close button, Alt+F4 or the system menu close the quiz.
TEST_P(Keyboard, EscapeChangesNothingWhereverTheFocusIs)
{
    learner->clickEvent(4);
    learner->clickDate(2);
    const Board before = boardOf(*learner);
    for (const std::string stop : {"Text1(0)", "Command1", "Option1(4)", "Check1(2)", "Check1(7)"}) {
        tabTo(stop);
        learner->press(Key::Escape);
        ASSERT_TRUE(learner->windowOpen()) << "Esc on " << stop << " closed the quiz";
        EXPECT_EQ(focus(), stop);
        EXPECT_TRUE(boardOf(*learner) == before) << "Esc on " << stop << " changed the board";
    }
}

INSTANTIATE_TEST_SUITE_P(, Keyboard, ::testing::ValuesIn(windowBackends()), kBackendName);
