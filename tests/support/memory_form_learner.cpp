#include "memory_form_learner.h"

#include "form_learner.h"
#include "platform/memory_form.h"

namespace {

class MemoryFormLearner final : public FormLearner<Learner, platform::MemoryForm> {
public:
    void clickEvent(quiz::PairIndex index) override { form().click({window::kEventButtons, index}); }
    void clickDate(quiz::PairIndex index) override { form().click({window::kDateBoxes, index}); }
    void pressClear() override { form().click({window::kClearButton}); }
};

} // namespace

std::unique_ptr<Learner> makeMemoryFormLearner()
{
    return std::make_unique<MemoryFormLearner>();
}
