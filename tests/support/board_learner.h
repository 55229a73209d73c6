#pragma once

#include "learner.h"

#include <memory>

// The quiz on the in-memory board.
std::unique_ptr<Learner> makeBoardLearner();
