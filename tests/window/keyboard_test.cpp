#include "platform/exact_text_box.h"
#include "window/tarvel_mondix.h"
#include "window/tarvel_mondix_description.h"

#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class Keyboard : public ::testing::Test {
protected:
    Keyboard()
    {
        window.widget().show();
        window.widget().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window.widget()));
    }

    static QWidget *focus() { return QApplication::focusWidget(); }
    static void press(Qt::Key key) { QTest::keyClick(focus(), key); }

    Tarvel_Mondix window;
    const platform::QuizWidgets &controls = window.controls();
};

} // namespace

TEST_F(Keyboard, StartsInTheResultBoxWithNothingSelected)
{
    EXPECT_EQ(focus(), static_cast<QWidget *>(controls.result));
    for (const QRadioButton *b : controls.events)
        EXPECT_FALSE(b->isChecked());
}

TEST_F(Keyboard, TabGoesToClearThenToTheFirstEventByTabPosition)
{
    press(Qt::Key_Tab);
    EXPECT_EQ(focus(), window.widget().control(window::kClearButton));
    press(Qt::Key_Tab);
    EXPECT_EQ(focus(), controls.events[0]);
    EXPECT_FALSE(controls.events[0]->isChecked()) << "focus alone selects nothing";
    press(Qt::Key_Tab);
    EXPECT_EQ(focus(), controls.dates[0]);
    press(Qt::Key_Backtab);
    press(Qt::Key_Backtab);
    EXPECT_EQ(focus(), window.widget().control(window::kClearButton));
}

TEST_F(Keyboard, SpaceSelectsAndTicksToARightAnswer)
{
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    press(Qt::Key_Space);
    EXPECT_TRUE(controls.events[0]->isChecked());
    press(Qt::Key_Tab);
    press(Qt::Key_Space);
    EXPECT_EQ(controls.dates[0]->checkState(), Qt::Checked);
    EXPECT_EQ(controls.result->exactText(),
              "Правилно!\r\n" + std::string{quiz::pair(0).explanation} + "\r\n");

    // Down moves through the events by screen row and selects as it goes.
    press(Qt::Key_Backtab);
    press(Qt::Key_Down);
    EXPECT_EQ(focus(), controls.events[3]) << "the row under pair 0's is pair 3's";
    EXPECT_TRUE(controls.events[3]->isChecked());
    EXPECT_EQ(controls.result->exactText(), "Грешка!");
}
