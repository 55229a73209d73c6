#pragma once

#include "form_quiz_controls.h"
#include "platform/form.h"
#include "quiz/quiz_form.h"
#include "tarvel_mondix_description.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

// The quiz window on whatever toolkit made its form (from the window's
// description, describeTarvelMondix): the quiz's handlers, and the wiring of
// the controls' clicks to them. Loaded on construction; the caller shows it.
class Tarvel_Mondix {
public:
    explicit Tarvel_Mondix(std::unique_ptr<platform::Form> form);
    ~Tarvel_Mondix() = default;

    Tarvel_Mondix(const Tarvel_Mondix &) = delete;
    Tarvel_Mondix &operator=(const Tarvel_Mondix &) = delete;

    void show() { form_->show(); }

    // What a verdict said, for whoever keeps a record of the learner's
    // progress: right, and for which pair, or wrong (no pair). A clearing
    // is no verdict.
    struct Verdict {
        bool right = false;
        quiz::PairIndex pair = quiz::kNoPair;
        friend bool operator==(const Verdict &, const Verdict &) = default;
    };
    using VerdictHandler = std::function<void(const Verdict &)>;
    // Told after each verdict has been written and announced.
    void setVerdictHandler(VerdictHandler handler) { verdictHandler_ = std::move(handler); }

    [[nodiscard]] platform::Form &form() { return *form_; }
    [[nodiscard]] const platform::Form &form() const { return *form_; }
    [[nodiscard]] const quiz::QuizForm &quiz() const { return quiz_; }

    // What assistive technology is told when a handler leaves new text in
    // the result box: the text on one line, or a word that the board was
    // cleared.
    [[nodiscard]] static std::string announcementFor(std::string_view resultText);

private:
    // Runs the handler a click calls for; when the outermost one has written
    // the result box, announces what it says. A failure in a handler ends
    // the program through the form.
    void dispatch(platform::ControlId control);
    void route(platform::ControlId control);

    std::unique_ptr<platform::Form> form_;
    window::FormQuizControls controls_;
    quiz::QuizForm quiz_;
    VerdictHandler verdictHandler_;
    int handlerDepth_ = 0;
};
