#pragma once

#include <string_view>

namespace platform::web {

// Reports to a learning platform's SCORM 1.2 runtime, where the page has
// one around it: the distinct pairs found (the verdicts the form announces
// that start with rightVerdict and a blank, told apart by the rest), out of
// pairs. See learning_platform.js.
void reportToLearningPlatform(std::string_view rightVerdict, int pairs);

} // namespace platform::web
