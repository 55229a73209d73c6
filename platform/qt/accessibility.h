#pragma once

namespace platform {

// Teaches Qt's accessibility how our own widgets present themselves: an
// announcer is a status bar with a notification in it, a frame a group. Safe to call more than once; needs the application
// object.
void installAccessibility();

} // namespace platform
