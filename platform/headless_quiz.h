#pragma once

#include "memory_board.h"
#include "quiz/quiz_form.h"

namespace platform {

// The whole quiz on the in-memory board, loaded and ready to play.
class HeadlessQuiz {
public:
    HeadlessQuiz();
    ~HeadlessQuiz() = default;

    HeadlessQuiz(const HeadlessQuiz &) = delete;
    HeadlessQuiz &operator=(const HeadlessQuiz &) = delete;

    [[nodiscard]] MemoryBoard &board() { return board_; }
    [[nodiscard]] const MemoryBoard &board() const { return board_; }
    [[nodiscard]] const quiz::QuizForm &form() const { return form_; }

private:
    MemoryBoard board_;
    quiz::QuizForm form_{board_};
};

} // namespace platform
