#include "headless_quiz.h"

namespace platform {

HeadlessQuiz::HeadlessQuiz() : board_(quiz::texts().taskText, quiz::explanations())
{
    board_.setHandlers({
        .load = [this] { form_.Form_Load(); },
        .eventClick = [this](PairIndex i) { form_.Option1_Click(i); },
        .dateClick = [this](PairIndex i) { form_.Check1_Click(i); },
        .clearClick = [this] { form_.Command1_Click(); },
    });
    board_.load();
}

} // namespace platform
