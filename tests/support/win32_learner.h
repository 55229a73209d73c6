#pragma once

#include "learner.h"

#include <functional>
#include <memory>

// The quiz in its Windows window, played as a learner would: the mouse
// clicks at the places the window description gives, on whatever window
// Windows finds there, or the keyboard alone, through Windows's input
// (Tab to the control, arrows inside the event group, then Space).
// Asks chooseInput before every action.
std::unique_ptr<WindowLearner> makeWin32Learner(std::function<Input()> chooseInput);
