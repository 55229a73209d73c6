#pragma once

#include "quiz/controls.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

using quiz::DateValue;
using quiz::PairIndex;

// Where the board delivers its notifications. Any of them may be empty.
struct BoardHandlers {
    std::function<void()> load;
    std::function<void(PairIndex)> eventClick;
    std::function<void(PairIndex)> dateClick;
    std::function<void()> clearClick;
};

// The quiz's controls held in memory, behaving as the windowed ones do:
// the event buttons are one exclusive group, a date box reports every change
// of its value synchronously (re-entrantly, from inside setDateValue), and
// the result text reads back exactly as stored.
class MemoryBoard final : public quiz::QuizControls {
public:
    MemoryBoard(std::string_view startText, std::vector<std::string> explanations);

    void setHandlers(BoardHandlers handlers) { handlers_ = std::move(handlers); }

    // What the learner and the window system do. Clicking an event selects
    // it (and reports, if it was not selected); clicking a date toggles it.
    void load();
    void clickEvent(PairIndex index);
    void clickDate(PairIndex index);
    void pressClear();

    [[nodiscard]] bool eventSelected(PairIndex index) const override;
    void unselectEvent(PairIndex index) override;
    [[nodiscard]] DateValue dateValue(PairIndex index) const override;
    void setDateValue(PairIndex index, DateValue value) override;
    [[nodiscard]] std::string resultText() const override { return resultText_; }
    void setResultText(std::string_view text) override { resultText_ = text; }
    [[nodiscard]] std::string explanation(PairIndex index) const override;

private:
    BoardHandlers handlers_;
    std::array<bool, quiz::kPairCount> eventSelected_{};
    std::array<DateValue, quiz::kPairCount> dateValues_{};
    std::string resultText_;
    std::vector<std::string> explanations_;
};

} // namespace platform
