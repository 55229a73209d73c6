#pragma once

#include "platform/announcer.h"
#include "platform/qt_form.h"
#include "platform/qt_quiz_controls.h"
#include "quiz/quiz_form.h"

#include <memory>
#include <string_view>

// The quiz window: the rendered description, the quiz's handlers, and the
// wiring of the controls' notifications to them. Loaded on construction;
// the caller shows it.
class Tarvel_Mondix {
public:
    explicit Tarvel_Mondix(std::string_view webAddress);
    Tarvel_Mondix();
    ~Tarvel_Mondix() = default;

    Tarvel_Mondix(const Tarvel_Mondix &) = delete;
    Tarvel_Mondix &operator=(const Tarvel_Mondix &) = delete;

    [[nodiscard]] platform::QtForm &widget() { return *form_; }
    [[nodiscard]] const platform::QtForm &widget() const { return *form_; }
    [[nodiscard]] const quiz::QuizForm &quiz() const { return quiz_; }
    [[nodiscard]] const platform::QuizWidgets &controls() const { return widgets_; }

    // What assistive technology is told when a handler leaves new text in
    // the result box: the text on one line, or a word that the board was
    // cleared.
    [[nodiscard]] static QString announcementFor(const std::string &resultText);

private:
    void wire();
    // Runs a handler; when the outermost one has written the result box,
    // announces what it says.
    template <typename Handler>
    void dispatch(Handler handler);

    std::unique_ptr<platform::QtForm> form_;
    platform::QuizWidgets widgets_;
    platform::QtQuizControls controls_;
    quiz::QuizForm quiz_{controls_};
    platform::Announcer *announcer_;
    int handlerDepth_ = 0;
};
