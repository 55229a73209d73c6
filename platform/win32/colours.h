#pragma once

#include "child_controls.h"
#include "handles.h"

#include <windows.h>

#include <functional>
#include <optional>

namespace platform::win32 {

// The colours the form's window is painted in: the window's own, or, with
// high contrast on, the desktop's, which then win.
class FormColours {
public:
    // highContrast says whether the desktop runs with high contrast now.
    FormColours(const WindowDescription &description, std::function<bool()> highContrast);

    [[nodiscard]] bool highContrast() const { return highContrast_(); }

    // The answer to a WM_CTLCOLOR* message for one of the controls (or for
    // a group box or panel of theirs): the brush, with the DC's colours set.
    // Nothing where the desktop's own answer holds.
    [[nodiscard]] std::optional<LRESULT> forControl(const ChildControls &controls, HDC dc, HWND window) const;

    void paintBackground(HWND window, HDC dc) const;

    // A push button with a colour of its own: a solid face, a raised edge
    // that sinks while pressed, and a solid dark frame with the focus,
    // focusWidth pixels wide.
    void drawSolidButton(const ChildControl &button, const DRAWITEMSTRUCT &item, HFONT font, int focusWidth) const;

private:
    COLORREF background_;
    Brush backgroundBrush_;
    std::function<bool()> highContrast_;
};

} // namespace platform::win32
