#include "tarvel_mondix.h"

#include "platform/exact_text_box.h"
#include "tarvel_mondix_description.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace {

platform::QuizWidgets findQuizWidgets(const platform::QtForm &form)
{
    platform::QuizWidgets widgets;
    for (quiz::PairIndex i = 0; i < quiz::kPairCount; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        widgets.events[slot] = form.control<QRadioButton>(window::kEventButtons, i);
        widgets.dates[slot] = form.control<QCheckBox>(window::kDateBoxes, i);
    }
    widgets.result = dynamic_cast<platform::ExactTextBox *>(
        form.control(window::kResultBox, window::kResultBoxIndex));
    widgets.explanations = form.control<QListWidget>(window::kExplanationList);
    return widgets;
}

} // namespace

Tarvel_Mondix::Tarvel_Mondix() : Tarvel_Mondix(window::defaultWebAddress()) {}

Tarvel_Mondix::Tarvel_Mondix(std::string_view webAddress)
    : form_(std::make_unique<platform::QtForm>(window::describeTarvelMondix(webAddress))),
      widgets_(findQuizWidgets(*form_)),
      controls_(widgets_)
{
    wire();
    quiz_.Form_Load();
}

void Tarvel_Mondix::wire()
{
    for (quiz::PairIndex i = 0; i < quiz::kPairCount; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        // A click that selects the button; code that clears it raises nothing.
        QObject::connect(widgets_.events[slot], &QAbstractButton::clicked, form_.get(),
                         [this, i] { quiz_.Option1_Click(i); });
        platform::onValueChanged(widgets_.dates[slot], form_.get(), [this, i] { quiz_.Check1_Click(i); });
    }
    QObject::connect(form_->control<QPushButton>(window::kClearButton), &QPushButton::clicked,
                     form_.get(), [this] { quiz_.Command1_Click(); });
}
