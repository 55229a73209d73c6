#pragma once

#include "learner.h"

#include <functional>
#include <memory>

// The quiz in its Qt window, played with real input events: mouse clicks at
// the places the window description gives, or the keyboard alone (Tab to the
// control, arrows inside the event group, then Space). Asks chooseInput
// before every action.
std::unique_ptr<WindowLearner> makeQtLearner(std::function<Input()> chooseInput);
