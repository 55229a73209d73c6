#pragma once

#include "platform/form.h"
#include "quiz/controls.h"

namespace window {

// The quiz's controls, found on the form by the names the window gives
// them: event buttons Option1(i), date boxes Check1(i), the result box
// Text1(0) and the explanation list List1.
class FormQuizControls final : public quiz::QuizControls {
public:
    explicit FormQuizControls(platform::Form &form) : form_(form) {}

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
    platform::Form &form_;
    std::size_t resultWrites_ = 0;
};

} // namespace window
