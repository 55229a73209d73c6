#pragma once

#include "handles.h"
#include "platform/control_map.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform::win32 {

// One described control as a window of Windows's own kind.
struct ChildControl {
    ControlDescription description;
    HWND window = nullptr;
    // A frame's group box, on the panel that holds its controls.
    HWND groupBox = nullptr;
    int id = 0;
    Brush background;
};

// The controls of a form's window, made from their descriptions in the
// listed order (a frame before what it holds), found by name, by window or
// by their id in WM_COMMAND. A text box is made without its text, which its
// owner gives it when the window is laid out.
class ChildControls {
public:
    // Made in the form's window, or in the frame it names as its container,
    // at its place there, with its font.
    ChildControl &create(HWND window, const ControlDescription &c, const RECT &place, HFONT font);

    [[nodiscard]] ChildControl *find(ControlId id) { return controls_.find(id); }
    [[nodiscard]] const ChildControl *find(ControlId id) const { return controls_.find(id); }
    // The control of that kind, or std::invalid_argument.
    [[nodiscard]] ChildControl &of(ControlId id, ControlKind kind) { return controls_.of(id, kind); }
    [[nodiscard]] const ChildControl &of(ControlId id, ControlKind kind) const { return controls_.of(id, kind); }
    // Which control a window is, if it is one.
    [[nodiscard]] std::optional<ControlId> controlOf(HWND window) const;
    // Which control sent a WM_COMMAND with that id, if one did.
    [[nodiscard]] std::optional<ControlId> controlWithId(int id) const;
    // The name the map keeps, which outlives the caller's.
    [[nodiscard]] ControlId idOf(ControlId id) const { return controls_.idOf(id); }

    // The option buttons that share a frame, in their tab order.
    [[nodiscard]] std::vector<const ChildControl *> optionGroup(const std::string &container) const;

    [[nodiscard]] auto begin() { return controls_.begin(); }
    [[nodiscard]] auto end() { return controls_.end(); }
    [[nodiscard]] auto begin() const { return controls_.begin(); }
    [[nodiscard]] auto end() const { return controls_.end(); }

private:
    ControlMap<ChildControl> controls_;
    // By WM_COMMAND id, less the first.
    std::vector<ControlId> byId_;
};

// Whether an option button or check box shows its mark.
[[nodiscard]] bool isMarked(HWND button);

} // namespace platform::win32
