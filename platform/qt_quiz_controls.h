#pragma once

#include "quiz/controls.h"

#include <array>
#include <functional>

class QCheckBox;
class QListWidget;
class QObject;
class QRadioButton;

namespace platform {

class ExactTextBox;

struct QuizWidgets {
    std::array<QRadioButton *, quiz::kPairCount> events{};
    std::array<QCheckBox *, quiz::kPairCount> dates{};
    ExactTextBox *result = nullptr;
    QListWidget *explanations = nullptr;
};

// The quiz's controls on real widgets. Date boxes report their changes
// through their own signal, which the window wires to the quiz.
class QtQuizControls final : public quiz::QuizControls {
public:
    explicit QtQuizControls(const QuizWidgets &widgets);

    [[nodiscard]] bool eventSelected(quiz::PairIndex index) const override;
    void unselectEvent(quiz::PairIndex index) override;
    [[nodiscard]] quiz::DateValue dateValue(quiz::PairIndex index) const override;
    void setDateValue(quiz::PairIndex index, quiz::DateValue value) override;
    [[nodiscard]] std::string resultText() const override;
    void setResultText(std::string_view text) override;
    [[nodiscard]] std::string explanation(quiz::PairIndex index) const override;

    // How often the result text has been written, to tell whether a
    // handler wrote it.
    [[nodiscard]] std::size_t resultWrites() const { return resultWrites_; }

private:
    QuizWidgets widgets_;
    std::size_t resultWrites_ = 0;
};

quiz::DateValue dateValueOf(const QCheckBox &box);

// Calls handler whenever the button becomes the selected one of its group,
// however that came about: mouse, keyboard or a screen reader's action.
// Code only ever clears a button, which calls nothing.
void onSelected(QRadioButton *button, QObject *context, std::function<void()> handler);

// Calls handler on every change of the box's value, by the learner or by
// code, before the change returns. Disconnected when context goes.
void onValueChanged(QCheckBox *box, QObject *context, std::function<void()> handler);

} // namespace platform
