#pragma once

#include "learner.h"

#include <functional>

// The quiz in its Qt window, played with real input events: mouse clicks at
// the places the window description gives, or the keyboard alone (Tab to the
// control, arrows inside the event group, then Space).
enum class Input { Mouse, Keyboard };

// Asks chooseInput before every action.
std::unique_ptr<Learner> makeQtLearner(std::function<Input()> chooseInput);
std::unique_ptr<Learner> makeMouseLearner();
std::unique_ptr<Learner> makeKeyboardLearner();
