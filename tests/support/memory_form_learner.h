#pragma once

#include "learner.h"

#include <memory>

// The quiz on the in-memory form.
std::unique_ptr<Learner> makeMemoryFormLearner();
