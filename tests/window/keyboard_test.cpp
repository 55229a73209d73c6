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

TEST_F(Keyboard, EnterPressesClearToo)
{
    controls.events[2]->click();
    controls.dates[2]->click();
    press(Qt::Key_Tab);
    ASSERT_EQ(focus(), window.widget().control(window::kClearButton));
    press(Qt::Key_Return);
    EXPECT_EQ(controls.result->exactText(), "");
    EXPECT_EQ(controls.dates[2]->checkState(), Qt::Unchecked);
}

TEST_F(Keyboard, TabIntoTheEventsLandsOnTheSelectedOne)
{
    controls.events[6]->click();
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    EXPECT_EQ(focus(), controls.events[6]);
    press(Qt::Key_Tab);
    EXPECT_EQ(focus(), controls.dates[0]);
    press(Qt::Key_Backtab);
    EXPECT_EQ(focus(), controls.events[6]) << "from behind as well";
    EXPECT_TRUE(controls.events[6]->isChecked());
    EXPECT_EQ(window.quiz().state().EventIndex, 6) << "and nothing else was selected on the way";
}

// The focus mark is a solid dark frame that stands out on every colour.
TEST_F(Keyboard, FocusIsDrawnPlainlyOnColouredControls)
{
    const QColor mark(0, 0, 96);
    const auto marked = [&](QWidget *w) {
        const QImage img = w->grab().toImage();
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixelColor(x, y) == mark)
                    return true;
        return false;
    };
    for (QWidget *w : std::initializer_list<QWidget *>{controls.events[4], controls.dates[8],
                                                         window.widget().control(window::kClearButton)}) {
        EXPECT_FALSE(marked(w)) << w->objectName().toStdString();
        w->setFocus(Qt::TabFocusReason);
        EXPECT_TRUE(marked(w)) << w->objectName().toStdString();
    }
}
