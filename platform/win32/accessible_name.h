#pragma once

#include <windows.h>

namespace platform::win32 {

// Gives a control the name assistive technology reads where its own text
// does not say what it is (an edit control's text is its content). Through
// Windows's annotation service where it has one; a label of that name just
// before the control, as Windows names an unlabelled control by the label
// before it, in any case. Needs COM on this thread for the first.
void nameForAssistiveTechnology(HWND control, const wchar_t *name);

} // namespace platform::win32
