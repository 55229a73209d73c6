#pragma once

#include "learner.h"

// The quiz in its Qt window, played with real input events: mouse clicks at
// the places the window description gives, or the keyboard alone (Tab to the
// control, then Space).
std::unique_ptr<Learner> makeMouseLearner();
std::unique_ptr<Learner> makeKeyboardLearner();
