#include "qt_quiz_controls.h"

#include "exact_text_box.h"
#include "qt_text.h"

#include <QCheckBox>
#include <QListWidget>
#include <QRadioButton>

#include <stdexcept>

namespace platform {

QtQuizControls::QtQuizControls(const QuizWidgets &widgets) : widgets_(widgets)
{
    for (QRadioButton *button : widgets_.events)
        if (button == nullptr)
            throw std::invalid_argument("missing event button");
    for (QCheckBox *box : widgets_.dates)
        if (box == nullptr)
            throw std::invalid_argument("missing date box");
    if (widgets_.result == nullptr || widgets_.explanations == nullptr)
        throw std::invalid_argument("missing result box or explanation list");
}

bool QtQuizControls::eventSelected(quiz::PairIndex index) const
{
    return widgets_.events[quiz::slotOf(index)]->isChecked();
}

void QtQuizControls::unselectEvent(quiz::PairIndex index)
{
    QRadioButton *button = widgets_.events[quiz::slotOf(index)];
    if (!button->isChecked())
        return;
    // An exclusive group keeps its checked button checked; step out of the
    // group for the moment it takes to clear it. No click is reported.
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
}

quiz::DateValue dateValueOf(const QCheckBox &box)
{
    switch (box.checkState()) {
    case Qt::Checked:
        return quiz::DateValue::Checked;
    case Qt::PartiallyChecked:
        return quiz::DateValue::Greyed;
    case Qt::Unchecked:
        break;
    }
    return quiz::DateValue::Unchecked;
}

quiz::DateValue QtQuizControls::dateValue(quiz::PairIndex index) const
{
    return dateValueOf(*widgets_.dates[quiz::slotOf(index)]);
}

void QtQuizControls::setDateValue(quiz::PairIndex index, quiz::DateValue value)
{
    Qt::CheckState state = Qt::Unchecked;
    if (value == quiz::DateValue::Checked)
        state = Qt::Checked;
    else if (value == quiz::DateValue::Greyed)
        state = Qt::PartiallyChecked;
    // The box's change signal fires in here when the value changes.
    widgets_.dates[quiz::slotOf(index)]->setCheckState(state);
}

std::string QtQuizControls::resultText() const
{
    return widgets_.result->exactText();
}

void QtQuizControls::setResultText(std::string_view text)
{
    widgets_.result->setExactText(text);
    ++resultWrites_;
}

std::string QtQuizControls::explanation(quiz::PairIndex index) const
{
    const QListWidgetItem *item = widgets_.explanations->item(static_cast<int>(quiz::slotOf(index)));
    if (item == nullptr)
        throw std::out_of_range("no such explanation");
    return item->text().toStdString();
}

void onSelected(QRadioButton *button, QObject *context, std::function<void()> handler)
{
    QObject::connect(button, &QAbstractButton::toggled, context, [handler = std::move(handler)](bool selected) {
        if (selected)
            handler();
    });
}

void onValueChanged(QCheckBox *box, QObject *context, std::function<void()> handler)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
    QObject::connect(box, &QCheckBox::checkStateChanged, context, std::move(handler));
#else
    QObject::connect(box, &QCheckBox::stateChanged, context, std::move(handler));
#endif
}

} // namespace platform
