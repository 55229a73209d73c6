#pragma once

#include "com_apartment.h"
#include "handles.h"

#include <windows.h>

#include <optional>
#include <string_view>

namespace platform::win32 {

// Tells screen readers of a change away from the focus, such as a new
// verdict in the result box, without moving the focus. Where Windows has UI
// Automation's notification event (Windows 10 and later), it is raised for
// the source control; elsewhere an invisible alert named by the message is
// raised, which readers speak as they do alerts. Either way once per call.
class Announcer {
public:
    Announcer(HWND form, HWND source);

    void announce(std::wstring_view message);

    // The invisible alert, for those who listen for it.
    [[nodiscard]] HWND alert() const { return alert_; }
    // Whether announcements go through UI Automation here.
    [[nodiscard]] static bool usesUiAutomation();

private:
    HWND source_;
    // A child of the form, which destroys it with itself.
    HWND alert_;
    // Started with the first announcement that goes through UI Automation.
    std::optional<ComApartment> com_;
};

} // namespace platform::win32
