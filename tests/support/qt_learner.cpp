#include "qt_learner.h"

#include "platform/exact_text_box.h"
#include "platform/qt_form.h"
#include "window/tarvel_mondix.h"
#include "window/tarvel_mondix_description.h"

#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QTest>

#include <functional>
#include <stdexcept>

namespace {

// Plays with real input events, each action by mouse or by keyboard as the
// chooser says.
class QtLearner final : public Learner {
public:
    explicit QtLearner(std::function<Input()> chooseInput) : chooseInput_(std::move(chooseInput))
    {
        QWidget &w = window_.widget();
        w.show();
        w.activateWindow();
        if (!QTest::qWaitForWindowActive(&w))
            throw std::runtime_error("the quiz window never became active");
    }

    void clickEvent(quiz::PairIndex index) override
    {
        if (chooseInput_() == Input::Mouse)
            clickInside(window::kEventButtons, index);
        else
            selectEventByKeyboard(eventButton(index));
    }
    void clickDate(quiz::PairIndex index) override
    {
        if (chooseInput_() == Input::Mouse)
            clickInside(window::kDateBoxes, index);
        else
            pressSpaceOn(tabTo(dateBox(index)));
    }
    void pressClear() override
    {
        if (chooseInput_() == Input::Mouse)
            clickInside(window::kClearButton, -1);
        else
            pressSpaceOn(tabTo(clearButton()));
    }

    bool eventSelected(quiz::PairIndex index) const override { return eventButton(index)->isChecked(); }
    quiz::DateValue dateValue(quiz::PairIndex index) const override
    {
        return platform::dateValueOf(*dateBox(index));
    }
    std::string resultText() const override { return window_.controls().result->exactText(); }
    quiz::SelectionState state() const override { return window_.quiz().state(); }

private:
    QRadioButton *eventButton(quiz::PairIndex i) const
    {
        return window_.controls().events.at(static_cast<std::size_t>(i));
    }
    QCheckBox *dateBox(quiz::PairIndex i) const { return window_.controls().dates.at(static_cast<std::size_t>(i)); }
    QWidget *clearButton() const { return window_.widget().control(window::kClearButton); }

    // The mouse clicks where the window description puts the control, on
    // its indicator side, half-way down; a control drawn elsewhere, or
    // covered, is missed.
    void clickInside(std::string_view name, int index)
    {
        const QRect r = describedRect(name, index);
        const QPoint at(r.left() + std::min(10, r.width() / 2), r.center().y());
        QWidget *target = window_.widget().childAt(at);
        if (target == nullptr)
            throw std::runtime_error("nothing to click at the described place");
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&window_.widget(), at));
    }

    QRect describedRect(std::string_view name, int index) const
    {
        const auto &controls = description_.controls;
        const auto find = [&](std::string_view n, int i) {
            const auto it = std::ranges::find_if(
                controls, [&](const platform::ControlDescription &c) { return c.name == n && c.index == i; });
            if (it == controls.end())
                throw std::runtime_error("no such control in the description");
            return *it;
        };
        const platform::ControlDescription c = find(name, index);
        QPoint origin;
        if (!c.container.empty()) {
            const platform::ControlDescription frame = find(c.container, -1);
            origin = {platform::toPixels(frame.left), platform::toPixels(frame.top)};
        }
        return {origin + QPoint(platform::toPixels(c.left), platform::toPixels(c.top)),
                QSize(platform::toPixels(c.width), platform::toPixels(c.height))};
    }

    // The keyboard tabs into the event group (one tab stop, as radio groups
    // have), moves inside it with the arrow keys, and presses Space.
    void selectEventByKeyboard(QWidget *target)
    {
        tabUntil([&](QWidget *w) { return w->parentWidget() == target->parentWidget() && w != clearButton(); });
        for (int steps = 0; steps < quiz::kPairCount && QApplication::focusWidget() != target; ++steps) {
            QWidget *focus = QApplication::focusWidget();
            QTest::keyClick(focus, focus->y() < target->y() ? Qt::Key_Down : Qt::Key_Up);
        }
        pressSpaceOn(target);
    }

    static QWidget *tabTo(QWidget *target)
    {
        return tabUntil([target](QWidget *w) { return w == target; });
    }

    template <typename Found>
    static QWidget *tabUntil(Found found)
    {
        // Twice round the whole chain is more than enough.
        for (int steps = 0; steps < 60; ++steps) {
            QWidget *focus = QApplication::focusWidget();
            if (focus == nullptr)
                throw std::runtime_error("nothing has the keyboard focus");
            if (found(focus))
                return focus;
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        throw std::runtime_error("Tab never reaches the control");
    }

    static void pressSpaceOn(QWidget *target)
    {
        if (QApplication::focusWidget() != target)
            throw std::runtime_error("the focus is not on " + target->objectName().toStdString());
        QTest::keyClick(target, Qt::Key_Space);
    }

    std::function<Input()> chooseInput_;
    Tarvel_Mondix window_;
    platform::WindowDescription description_ = window::describeTarvelMondix();
};

} // namespace

std::unique_ptr<Learner> makeQtLearner(std::function<Input()> chooseInput)
{
    return std::make_unique<QtLearner>(std::move(chooseInput));
}

std::unique_ptr<Learner> makeMouseLearner()
{
    return makeQtLearner([] { return Input::Mouse; });
}

std::unique_ptr<Learner> makeKeyboardLearner()
{
    return makeQtLearner([] { return Input::Keyboard; });
}
