#include "qt_learner.h"

#include "platform/qt/qt_form.h"
#include "form_learner.h"
#include "qt_quiz.h"
#include "window_learner_base.h"

#include <QApplication>
#include <QTest>

#include <stdexcept>

namespace {

using platform::ControlId;

class QtLearner final : public WindowLearnerBase<FormLearner<WindowLearner, platform::QtForm>> {
public:
    explicit QtLearner(std::function<Input()> chooseInput) : WindowLearnerBase(std::move(chooseInput))
    {
        QWidget &w = form().widget();
        w.show();
        w.activateWindow();
        if (!QTest::qWaitForWindowActive(&w))
            throw std::runtime_error("the quiz window never became active");
    }

    void press(Key key) override
    {
        QWidget *focus = QApplication::focusWidget();
        if (focus == nullptr)
            throw std::runtime_error("nothing has the keyboard focus");
        QTest::keyClick(focus, qtKey(key));
    }

    [[nodiscard]] bool windowOpen() const override { return form().widget().isVisible(); }

    [[nodiscard]] std::string focusedControl() const override
    {
        return nameOf(form().widget(), QApplication::focusWidget());
    }

    [[nodiscard]] Rect placeOf(ControlId control) const override
    {
        const QWidget *w = form().widget().control(control);
        if (w == nullptr)
            throw std::runtime_error("no such control: " + platform::displayName(control));
        const QPoint at = w->mapTo(w->window(), QPoint(0, 0));
        return {at.x(), at.y(), w->width(), w->height()};
    }

    [[nodiscard]] double pixelsPerTwip() const override { return form().widget().pixelsPerTwip(); }

    [[nodiscard]] Snapshot snapshot() const override
    {
        const QImage image = form().widget().grab().toImage().convertToFormat(QImage::Format_RGB32);
        return snapshotOf(image.width(), image.height(), image.devicePixelRatio(),
                          [&](int x, int y) { return image.pixel(x, y); });
    }

protected:
    // To the widget drawn at that point, as a click there goes.
    void clickAt(int x, int y) override
    {
        const QPoint at(x, y);
        QWidget *target = form().widget().childAt(at);
        if (target == nullptr)
            throw std::runtime_error("nothing to click at the described place");
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&form().widget(), at));
    }

private:
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
        case Key::Escape:
            return Qt::Key_Escape;
        }
        return Qt::Key_unknown;
    }
};

} // namespace

std::unique_ptr<WindowLearner> makeQtLearner(std::function<Input()> chooseInput)
{
    return std::make_unique<QtLearner>(std::move(chooseInput));
}
