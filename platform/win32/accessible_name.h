#pragma once

#include <windows.h>

namespace platform::win32 {

// Gives a control the name assistive technology reads where its own text
// does not say what it is (an edit control's text is its content): a label
// of that name, never shown, just before the control in the order of
// windows, as Windows names an unlabelled control by the label before it.
void nameForAssistiveTechnology(HWND control, const wchar_t *name);

} // namespace platform::win32
