#include "board_learner.h"

#include "form_learner.h"
#include "platform/memory_board.h"

namespace {

class BoardLearner final : public FormLearner<Learner, platform::MemoryBoard> {
public:
    void clickEvent(quiz::PairIndex index) override { form().click({window::kEventButtons, index}); }
    void clickDate(quiz::PairIndex index) override { form().click({window::kDateBoxes, index}); }
    void pressClear() override { form().click({window::kClearButton}); }
};

} // namespace

std::unique_ptr<Learner> makeBoardLearner()
{
    return std::make_unique<BoardLearner>();
}
