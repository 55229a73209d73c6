#include "qt_form.h"

#include "announcer.h"
#include "exact_text_box.h"
#include "failure.h"
#include "platform/form_policy.h"
#include "qt_text.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <stdexcept>

namespace platform {

namespace {

CheckState fromQt(Qt::CheckState state)
{
    switch (state) {
    case Qt::Checked:
        return CheckState::Checked;
    case Qt::PartiallyChecked:
        return CheckState::Greyed;
    case Qt::Unchecked:
        break;
    }
    return CheckState::Unchecked;
}

Qt::CheckState toQt(CheckState state)
{
    switch (state) {
    case CheckState::Checked:
        return Qt::Checked;
    case CheckState::Greyed:
        return Qt::PartiallyChecked;
    case CheckState::Unchecked:
        break;
    }
    return Qt::Unchecked;
}

} // namespace

QtForm::QtForm(const WindowDescription &description)
    : widget_(std::make_unique<QtFormWidget>(description)), announcer_(new Announcer(widget_.get()))
{
    widget_->forEachControl([&](ControlId id, QWidget *w) {
        // An option button clicks when it becomes the selected one, however
        // that came about: mouse, keyboard or a screen reader's action. Code
        // only ever clears one, which raises nothing.
        if (auto *option = qobject_cast<QRadioButton *>(w)) {
            QObject::connect(option, &QAbstractButton::toggled, widget_.get(), [this, id](bool selected) {
                if (selected)
                    raiseClick(id);
            });
        } else if (auto *box = qobject_cast<QCheckBox *>(w)) {
            // Every change of value, by the learner or by code, from inside
            // the call that made it.
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
            QObject::connect(box, &QCheckBox::checkStateChanged, widget_.get(), [this, id] { raiseClick(id); });
#else
            QObject::connect(box, &QCheckBox::stateChanged, widget_.get(), [this, id] { raiseClick(id); });
#endif
        } else if (auto *button = qobject_cast<QPushButton *>(w)) {
            QObject::connect(button, &QPushButton::clicked, widget_.get(), [this, id] { raiseClick(id); });
        }
    });
}

QtForm::~QtForm() = default;

template <typename Widget>
Widget &QtForm::as(ControlId id) const
{
    QWidget *w = widget_->control(id);
    if (w == nullptr)
        throw std::invalid_argument("no such control: " + displayName(id));
    auto *typed = qobject_cast<Widget *>(w);
    if (typed == nullptr)
        throw std::invalid_argument("not the right kind of control: " + displayName(id));
    return *typed;
}

void QtForm::raiseClick(ControlId id) const
{
    if (clicked_)
        clicked_(id);
}

bool QtForm::isSelected(ControlId option) const
{
    return as<QRadioButton>(option).isChecked();
}

void QtForm::unselect(ControlId option)
{
    auto &button = as<QRadioButton>(option);
    if (!button.isChecked())
        return;
    // An exclusive group keeps its checked button checked; step out of the
    // group for the moment it takes to clear it. No click is reported.
    button.setAutoExclusive(false);
    button.setChecked(false);
    button.setAutoExclusive(true);
    const auto &controls = widget_->description().controls;
    widget_->updateTabStop(
        std::ranges::find_if(controls, [&](const auto &c) { return controlId(c) == option; })->container);
}

CheckState QtForm::checkState(ControlId box) const
{
    return fromQt(as<QCheckBox>(box).checkState());
}

void QtForm::setCheckState(ControlId box, CheckState state)
{
    // The box's change signal clicks in here when the value changes.
    as<QCheckBox>(box).setCheckState(toQt(state));
}

std::string QtForm::text(ControlId box) const
{
    return as<ExactTextBox>(box).exactText();
}

void QtForm::setText(ControlId box, std::string_view text)
{
    as<ExactTextBox>(box).setExactText(text);
}

std::string QtForm::listItem(ControlId list, int item) const
{
    // Shown or never shown, a list holds the items described: nothing
    // changes them after it is made.
    if (widget_->storedItems(list) == nullptr)
        (void)as<QListWidget>(list);
    const auto &controls = widget_->description().controls;
    return platform::listItem(*std::ranges::find_if(controls, [&](const auto &c) { return controlId(c) == list; }),
                              item);
}

void QtForm::announce(std::string_view message)
{
    announcer_->announce(toQString(message));
}

void QtForm::show()
{
    widget_->show();
}

void QtForm::fail(std::string_view what)
{
    reportFailureAndExit(widget_->description().failure, what, widget_.get());
}

} // namespace platform
