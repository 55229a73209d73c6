#include "platform/memory_board.h"
#include "quiz/content.h"
#include "quiz/quiz_form.h"

#include <gtest/gtest.h>

using quiz::DateValue;
using quiz::PairIndex;

namespace {

// The board with nothing wired: tests set the controls directly and call the
// form's operations themselves.
class AnswerTest : public ::testing::Test {
protected:
    void select(PairIndex event) { board.clickEvent(event); }
    void tick(PairIndex date, DateValue value = DateValue::Checked) { board.setDateValue(date, value); }

    static std::string right(PairIndex i)
    {
        return "Правилно!\r\n" + std::string{quiz::pair(i).explanation} + "\r\n";
    }

    platform::MemoryBoard board{quiz::texts().taskText, quiz::explanations()};
    quiz::QuizForm form{board};
};

} // namespace

TEST_F(AnswerTest, TwoDatesAreWrongEvenWithTheRightOne)
{
    select(5);
    tick(5);
    tick(7);
    EXPECT_FALSE(form.CheckAnswer());
    EXPECT_EQ(form.state().DateIndex, 7) << "the highest ticked date is remembered";
}

TEST_F(AnswerTest, EmptyColumnIsWrongWhateverItsIndexHeld)
{
    select(5);
    tick(5);
    ASSERT_TRUE(form.CheckAnswer());
    tick(5, DateValue::Unchecked);
    EXPECT_FALSE(form.CheckAnswer());
    EXPECT_EQ(form.state().DateIndex, 5) << "an empty column leaves its index alone";

    platform::MemoryBoard fresh{quiz::texts().taskText, quiz::explanations()};
    quiz::QuizForm noEvent{fresh};
    fresh.setDateValue(3, DateValue::Checked);
    noEvent.ShowResult();
    EXPECT_FALSE(noEvent.state().IsCorrect);
    EXPECT_EQ(noEvent.state().EventIndex, quiz::kNoPair);
    EXPECT_EQ(fresh.resultText(), "Грешка!");
}

TEST_F(AnswerTest, OnlyAFullTickCounts)
{
    select(2);
    tick(2, DateValue::Greyed);
    EXPECT_FALSE(form.CheckAnswer());
    tick(6, DateValue::Greyed);
    tick(2, DateValue::Checked);
    EXPECT_TRUE(form.CheckAnswer()) << "a greyed box is not a second date";
}

TEST_F(AnswerTest, ShowResultReplacesTheWholeText)
{
    select(5);
    tick(5);
    form.ShowResult();
    EXPECT_TRUE(form.state().IsCorrect);
    EXPECT_EQ(board.resultText(), right(5));

    // A second right verdict still leaves one explanation.
    form.ShowResult();
    EXPECT_EQ(board.resultText(), right(5));

    tick(1);
    form.ShowResult();
    EXPECT_FALSE(form.state().IsCorrect);
    EXPECT_EQ(board.resultText(), "Грешка!");
}
