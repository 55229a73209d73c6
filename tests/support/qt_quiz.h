#pragma once

#include "platform/qt/exact_text_box.h"
#include "platform/qt/qt_form.h"
#include "window/tarvel_mondix.h"
#include "window/tarvel_mondix_description.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QString>

#include <ostream>
#include <string>

// Qt's strings in test messages as text.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// A widget's control, by its name as described; empty for none.
inline std::string nameOf(const platform::QtFormWidget &form, const QWidget *widget)
{
    std::string name;
    form.forEachControl([&](platform::ControlId id, const QWidget *w) {
        if (w == widget)
            name = platform::displayName(id);
    });
    return name;
}

// The quiz window on Qt, its widgets at hand for the tests that look at Qt
// itself.
class QtQuiz {
public:
    QtQuiz() : QtQuiz(std::make_unique<platform::QtForm>(window::describeTarvelMondix())) {}

    [[nodiscard]] platform::QtFormWidget &widget() const { return form_->widget(); }
    [[nodiscard]] const quiz::QuizForm &quiz() const { return window_.quiz(); }

    [[nodiscard]] QWidget *control(platform::ControlId id) const { return widget().control(id); }
    [[nodiscard]] QRadioButton *event(int i) const
    {
        return widget().control<QRadioButton>({window::kEventButtons, i});
    }
    [[nodiscard]] QCheckBox *date(int i) const { return widget().control<QCheckBox>({window::kDateBoxes, i}); }
    [[nodiscard]] platform::ExactTextBox *result() const
    {
        return widget().control<platform::ExactTextBox>({window::kResultBox, window::kResultBoxIndex});
    }
    [[nodiscard]] QPushButton *clear() const { return widget().control<QPushButton>({window::kClearButton}); }

private:
    explicit QtQuiz(std::unique_ptr<platform::QtForm> form) : form_(form.get()), window_(std::move(form)) {}

    platform::QtForm *form_;
    Tarvel_Mondix window_;
};
