#pragma once

namespace platform {

// Teaches Qt's accessibility how our widgets present themselves: a form
// leaves out the controls that are never shown, and an announcer is a
// notification. Safe to call more than once; needs the application object.
void installAccessibility();

} // namespace platform
