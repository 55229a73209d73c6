#pragma once

namespace platform {

// Every text that Qt itself shows (menus, buttons of message boxes) from
// Qt's own Bulgarian catalogue, as the rest of the window is Bulgarian.
// Needs the application object; returns false where the catalogue is not
// installed, and Qt then speaks English.
bool useBulgarian();

} // namespace platform
