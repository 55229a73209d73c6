// The in-memory board and the Qt controls must keep the same contract: the
// quiz is only tested through the first, so the second may not drift.
#include "platform/exact_text_box.h"
#include "platform/memory_board.h"
#include "platform/qt_form.h"
#include "platform/qt_quiz_controls.h"
#include "quiz/content.h"
#include "window/tarvel_mondix_description.h"

#include <QCheckBox>
#include <QListWidget>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <vector>

using quiz::DateValue;
using quiz::PairIndex;

namespace {

// Controls plus a record of the notifications they raised.
class Rig {
public:
    virtual ~Rig() = default;
    virtual quiz::QuizControls &controls() = 0;
    virtual void learnerSelectsEvent(PairIndex i) = 0;
    // Runs inside every date notification, before it is recorded.
    std::function<void(PairIndex)> onDate;

    std::vector<PairIndex> eventClicks;
    std::vector<PairIndex> dateClicks;

protected:
    void dateChanged(PairIndex i)
    {
        if (onDate)
            onDate(i);
        dateClicks.push_back(i);
    }
};

class BoardRig final : public Rig {
public:
    BoardRig()
    {
        board_.setHandlers({.eventClick = [this](PairIndex i) { eventClicks.push_back(i); },
                            .dateClick = [this](PairIndex i) { dateChanged(i); }});
    }
    quiz::QuizControls &controls() override { return board_; }
    void learnerSelectsEvent(PairIndex i) override { board_.clickEvent(i); }

private:
    platform::MemoryBoard board_{quiz::texts().taskText, quiz::explanations()};
};

class QtRig final : public Rig {
public:
    QtRig()
    {
        for (PairIndex i = 0; i < quiz::kPairCount; ++i) {
            const auto slot = static_cast<std::size_t>(i);
            widgets_.events[slot] = form_.control<QRadioButton>(window::kEventButtons, i);
            widgets_.dates[slot] = form_.control<QCheckBox>(window::kDateBoxes, i);
            platform::onSelected(widgets_.events[slot], &form_, [this, i] { eventClicks.push_back(i); });
            platform::onValueChanged(widgets_.dates[slot], &form_, [this, i] { dateChanged(i); });
        }
        widgets_.result = dynamic_cast<platform::ExactTextBox *>(form_.control(window::kResultBox, 0));
        widgets_.explanations = form_.control<QListWidget>(window::kExplanationList);
        controls_ = std::make_unique<platform::QtQuizControls>(widgets_);
    }
    quiz::QuizControls &controls() override { return *controls_; }
    void learnerSelectsEvent(PairIndex i) override { widgets_.events.at(static_cast<std::size_t>(i))->click(); }

private:
    platform::QtForm form_{window::describeTarvelMondix()};
    platform::QuizWidgets widgets_;
    std::unique_ptr<platform::QtQuizControls> controls_;
};

struct Backend {
    const char *name;
    std::function<std::unique_ptr<Rig>()> make;
    friend void PrintTo(const Backend &b, std::ostream *os) { *os << b.name; }
};

class ControlsContract : public ::testing::TestWithParam<Backend> {
protected:
    std::unique_ptr<Rig> rig = GetParam().make();
    quiz::QuizControls &c = rig->controls();
};

} // namespace

TEST_P(ControlsContract, EventButtonsAreOneExclusiveGroup)
{
    rig->learnerSelectsEvent(7);
    rig->learnerSelectsEvent(5);
    rig->learnerSelectsEvent(5);
    for (PairIndex i = 0; i < quiz::kPairCount; ++i)
        EXPECT_EQ(c.eventSelected(i), i == 5) << i;
    EXPECT_EQ(rig->eventClicks, (std::vector<PairIndex>{7, 5})) << "only a new selection reports";
}

TEST_P(ControlsContract, UnselectingAnEventRaisesNothingAndSticks)
{
    rig->learnerSelectsEvent(3);
    c.unselectEvent(3);
    c.unselectEvent(4);
    for (PairIndex i = 0; i < quiz::kPairCount; ++i)
        EXPECT_FALSE(c.eventSelected(i)) << i;
    EXPECT_EQ(rig->eventClicks.size(), 1u);

    // The group still works afterwards.
    rig->learnerSelectsEvent(3);
    rig->learnerSelectsEvent(0);
    EXPECT_FALSE(c.eventSelected(3));
    EXPECT_TRUE(c.eventSelected(0));
}

TEST_P(ControlsContract, DateChangeNotifiesOnceAndOnlyOnChange)
{
    c.setDateValue(2, DateValue::Checked);
    c.setDateValue(2, DateValue::Checked);
    c.setDateValue(6, DateValue::Greyed);
    c.setDateValue(6, DateValue::Unchecked);
    c.setDateValue(1, DateValue::Unchecked);
    EXPECT_EQ(rig->dateClicks, (std::vector<PairIndex>{2, 6, 6}));
    EXPECT_EQ(c.dateValue(2), DateValue::Checked);
    EXPECT_EQ(c.dateValue(6), DateValue::Unchecked);
}

TEST_P(ControlsContract, DateNotificationRunsInsideTheSettingCall)
{
    c.setDateValue(4, DateValue::Checked);
    // A handler that changes another box re-enters, and sees the new value.
    std::vector<DateValue> seen;
    rig->onDate = [&](PairIndex i) {
        seen.push_back(c.dateValue(i));
        if (i == 4)
            c.setDateValue(8, DateValue::Checked);
    };
    c.setDateValue(4, DateValue::Unchecked);
    rig->dateClicks.push_back(-1);
    EXPECT_EQ(rig->dateClicks, (std::vector<PairIndex>{4, 8, 4, -1}));
    EXPECT_EQ(seen, (std::vector<DateValue>{DateValue::Unchecked, DateValue::Checked}));
}

TEST_P(ControlsContract, TextReadsBackExactly)
{
    EXPECT_EQ(c.resultText(), quiz::texts().taskText);
    for (const std::string text : {"", "Правилно!\r\n", "a\r\n\r\nb  \r\n", "\r", "x\ny"}) {
        c.setResultText(text);
        EXPECT_EQ(c.resultText(), text);
    }
}

TEST_P(ControlsContract, ExplanationsComeInPairOrder)
{
    for (PairIndex i = 0; i < quiz::kPairCount; ++i)
        EXPECT_EQ(c.explanation(i), quiz::pair(i).explanation);
    EXPECT_THROW((void)c.explanation(9), std::out_of_range);
    EXPECT_THROW((void)c.eventSelected(-1), std::out_of_range);
}

template <typename R>
Backend backend(const char *name)
{
    return {name, [] { return std::unique_ptr<Rig>(std::make_unique<R>()); }};
}

INSTANTIATE_TEST_SUITE_P(, ControlsContract,
                         ::testing::Values(backend<BoardRig>("Board"), backend<QtRig>("Qt")),
                         [](const auto &info) { return std::string{info.param.name}; });
