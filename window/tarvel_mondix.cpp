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
      controls_(widgets_),
      announcer_(new platform::Announcer(widgets_.result, form_.get()))
{
    wire();
    quiz_.Form_Load();
}

void Tarvel_Mondix::wire()
{
    for (quiz::PairIndex i = 0; i < quiz::kPairCount; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        platform::onSelected(widgets_.events[slot], form_.get(), [this, i] { dispatch([&] { quiz_.Option1_Click(i); }); });
        platform::onValueChanged(widgets_.dates[slot], form_.get(), [this, i] { dispatch([&] { quiz_.Check1_Click(i); }); });
    }
    QObject::connect(form_->control<QPushButton>(window::kClearButton), &QPushButton::clicked,
                     form_.get(), [this] { dispatch([&] { quiz_.Command1_Click(); }); });
}

template <typename Handler>
void Tarvel_Mondix::dispatch(Handler handler)
{
    const std::size_t writesBefore = controls_.resultWrites();
    ++handlerDepth_;
    handler();
    --handlerDepth_;
    if (handlerDepth_ == 0 && controls_.resultWrites() != writesBefore)
        announcer_->announce(announcementFor(controls_.resultText()));
}

QString Tarvel_Mondix::announcementFor(const std::string &resultText)
{
    if (resultText.empty())
        return QString::fromUtf8("Изборът е изчистен.");
    QString text = QString::fromUtf8(resultText).trimmed();
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    return text;
}
