#pragma once

#include "platform/window_description.h"

#include <string_view>

namespace window {

// Names of the controls the quiz talks to.
inline constexpr std::string_view kEventButtons = "Option1";
inline constexpr std::string_view kDateBoxes = "Check1";
inline constexpr std::string_view kResultBox = "Text1";
inline constexpr std::string_view kExplanationList = "List1";
inline constexpr std::string_view kClearButton = "Command1";
inline constexpr int kResultBoxIndex = 0;
inline constexpr std::string_view kHeading = "Label1";
inline constexpr std::string_view kEventFrame = "Frame1";
inline constexpr std::string_view kDateFrame = "Frame2";

// The web address the window title starts with, as set for this build.
std::string_view defaultWebAddress();

// The quiz window: every control with its place, colours, caption, tab
// position and visibility. Captions and texts come from the quiz content.
platform::WindowDescription describeTarvelMondix(std::string_view webAddress = defaultWebAddress());

} // namespace window
