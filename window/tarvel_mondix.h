#pragma once

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

    Tarvel_Mondix(const Tarvel_Mondix &) = delete;
    Tarvel_Mondix &operator=(const Tarvel_Mondix &) = delete;

    [[nodiscard]] platform::QtForm &widget() { return *form_; }
    [[nodiscard]] const platform::QtForm &widget() const { return *form_; }
    [[nodiscard]] const quiz::QuizForm &quiz() const { return quiz_; }
    [[nodiscard]] const platform::QuizWidgets &controls() const { return widgets_; }

private:
    void wire();

    std::unique_ptr<platform::QtForm> form_;
    platform::QuizWidgets widgets_;
    platform::QtQuizControls controls_;
    quiz::QuizForm quiz_{controls_};
};
