#include "qt_learner.h"

#include "form_learner.h"
#include "platform/qt/qt_form.h"
#include "window/tarvel_mondix_description.h"

#include <QApplication>
#include <QTest>

#include <algorithm>
#include <stdexcept>

namespace {

using platform::ControlId;

class QtLearner final : public FormLearner<WindowLearner, platform::QtForm> {
public:
    explicit QtLearner(std::function<Input()> chooseInput) : chooseInput_(std::move(chooseInput))
    {
        QWidget &w = form().widget();
        w.show();
        w.activateWindow();
        if (!QTest::qWaitForWindowActive(&w))
            throw std::runtime_error("the quiz window never became active");
    }

    void clickEvent(quiz::PairIndex index) override
    {
        const ControlId event{window::kEventButtons, index};
        if (chooseInput_() == Input::Mouse)
            clickAtDescribedPlace(event);
        else
            selectEventByKeyboard(event);
    }
    void clickDate(quiz::PairIndex index) override { act({window::kDateBoxes, index}); }
    void pressClear() override { act({window::kClearButton}); }

    void press(Key key) override
    {
        QWidget *focus = QApplication::focusWidget();
        if (focus == nullptr)
            throw std::runtime_error("nothing has the keyboard focus");
        QTest::keyClick(focus, qtKey(key));
    }

    [[nodiscard]] std::string focusedControl() const override
    {
        const QWidget *focus = QApplication::focusWidget();
        return focus == nullptr ? std::string{} : focus->objectName().toStdString();
    }

    [[nodiscard]] Rect placeOf(ControlId control) const override
    {
        const QWidget *w = widget(control);
        const QPoint at = w->mapTo(w->window(), QPoint(0, 0));
        return {at.x(), at.y(), w->width(), w->height()};
    }

    [[nodiscard]] double pixelsPerTwip() const override { return form().widget().pixelsPerTwip(); }

    [[nodiscard]] Snapshot snapshot() const override
    {
        const QImage image = form().widget().grab().toImage().convertToFormat(QImage::Format_RGB32);
        Snapshot shot{image.width(), image.height(), image.devicePixelRatio(), {}};
        shot.pixels.reserve(static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height()));
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                shot.pixels.push_back({qRed(p), qGreen(p), qBlue(p)});
            }
        return shot;
    }

private:
    QWidget *widget(ControlId control) const
    {
        QWidget *w = form().widget().control(control);
        if (w == nullptr)
            throw std::runtime_error("no such control: " + platform::displayName(control));
        return w;
    }

    void act(ControlId control)
    {
        if (chooseInput_() == Input::Mouse)
            clickAtDescribedPlace(control);
        else
            pressSpaceOn(tabTo(control));
    }

    // The mouse clicks where the window description puts the control, on
    // its indicator side, half-way down; a control drawn elsewhere, or
    // covered, is missed.
    void clickAtDescribedPlace(ControlId control)
    {
        const platform::QtFormWidget &w = form().widget();
        const auto &controls = description_.controls;
        const auto find = [&](std::string_view name, int index) {
            const auto it = std::ranges::find_if(
                controls, [&](const platform::ControlDescription &c) { return c.name == name && c.index == index; });
            if (it == controls.end())
                throw std::runtime_error("no such control in the description");
            return *it;
        };
        const platform::ControlDescription c = find(control.name, control.index);
        platform::Twips left = c.left;
        platform::Twips top = c.top;
        if (!c.container.empty()) {
            const platform::ControlDescription frame = find(c.container, -1);
            left += frame.left;
            top += frame.top;
        }
        const QPoint at(w.toPixels(left) + std::min(10, w.toPixels(c.width) / 2),
                        w.toPixels(top) + w.toPixels(c.height) / 2);
        QWidget *target = w.childAt(at);
        if (target == nullptr)
            throw std::runtime_error("nothing to click at the described place");
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&w, at));
    }

    // The keyboard tabs into the event group (one tab stop, as radio groups
    // have), moves inside it with the arrow keys, and presses Space.
    void selectEventByKeyboard(ControlId event)
    {
        QWidget *target = widget(event);
        tabUntil([&](QWidget *w) { return w->parentWidget() == target->parentWidget(); });
        for (int steps = 0; steps < quiz::kPairCount && QApplication::focusWidget() != target; ++steps)
            press(QApplication::focusWidget()->y() < target->y() ? Key::Down : Key::Up);
        pressSpaceOn(target);
    }

    QWidget *tabTo(ControlId control)
    {
        QWidget *target = widget(control);
        return tabUntil([target](QWidget *w) { return w == target; });
    }

    template <typename Found>
    QWidget *tabUntil(Found found)
    {
        // Twice round the whole chain is more than enough.
        for (int steps = 0; steps < 60; ++steps) {
            QWidget *focus = QApplication::focusWidget();
            if (focus == nullptr)
                throw std::runtime_error("nothing has the keyboard focus");
            if (found(focus))
                return focus;
            press(Key::Tab);
        }
        throw std::runtime_error("Tab never reaches the control");
    }

    static void pressSpaceOn(QWidget *target)
    {
        if (QApplication::focusWidget() != target)
            throw std::runtime_error("the focus is not on " + target->objectName().toStdString());
        QTest::keyClick(target, Qt::Key_Space);
    }

    static Qt::Key qtKey(Key key)
    {
        switch (key) {
        case Key::Tab:
            return Qt::Key_Tab;
        case Key::Backtab:
            return Qt::Key_Backtab;
        case Key::Up:
            return Qt::Key_Up;
        case Key::Down:
            return Qt::Key_Down;
        case Key::Space:
            return Qt::Key_Space;
        case Key::Enter:
            return Qt::Key_Return;
        }
        return Qt::Key_unknown;
    }

    std::function<Input()> chooseInput_;
    platform::WindowDescription description_ = window::describeTarvelMondix();
};

} // namespace

std::unique_ptr<WindowLearner> makeQtLearner(std::function<Input()> chooseInput)
{
    return std::make_unique<QtLearner>(std::move(chooseInput));
}
