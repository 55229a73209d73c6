// The in-memory board, for the test program that links no toolkit.
#include "backends.h"
#include "board_learner.h"
#include "platform/memory_board.h"
#include "window/tarvel_mondix_description.h"

namespace {

class BoardRig final : public FormRig {
public:
    platform::Form &form() override { return board_; }
    void learnerSelects(platform::ControlId option) override { board_.click(option); }

private:
    platform::MemoryBoard board_{window::describeTarvelMondix()};
};

} // namespace

std::vector<Backend<FormRig>> formBackends()
{
    return {{"Board", [] { return std::make_unique<BoardRig>(); }}};
}

std::vector<Backend<Learner>> learnerBackends()
{
    return {{"Board", makeBoardLearner}};
}
