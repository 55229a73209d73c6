#include "learner.h"

#include "platform/headless_quiz.h"

namespace {

class BoardLearner final : public Learner {
public:
    void clickEvent(quiz::PairIndex index) override { quiz_.board().clickEvent(index); }
    void clickDate(quiz::PairIndex index) override { quiz_.board().clickDate(index); }
    void pressClear() override { quiz_.board().pressClear(); }

    bool eventSelected(quiz::PairIndex index) const override { return quiz_.board().eventSelected(index); }
    quiz::DateValue dateValue(quiz::PairIndex index) const override { return quiz_.board().dateValue(index); }
    std::string resultText() const override { return quiz_.board().resultText(); }
    quiz::SelectionState state() const override { return quiz_.form().state(); }

private:
    platform::HeadlessQuiz quiz_;
};

} // namespace

std::unique_ptr<Learner> makeBoardLearner()
{
    return std::make_unique<BoardLearner>();
}
