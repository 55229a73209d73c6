#include "tab_order.h"

#include "platform/form_policy.h"

#include <algorithm>
#include <set>

namespace platform::win32 {

namespace {

void sendToBottom(HWND window)
{
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void setStyleBit(HWND window, LONG_PTR bit, bool on)
{
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    SetWindowLongPtrW(window, GWL_STYLE, on ? (style | bit) : (style & ~bit));
}

} // namespace

void orderForTabbing(const WindowDescription &window, ChildControls &controls)
{
    std::vector<const ChildControl *> ordered;
    for (const auto &[key, c] : controls)
        ordered.push_back(&c);
    // Only the order among siblings counts, and a frame's option buttons
    // have none but each other and the group box.
    std::ranges::stable_sort(ordered, {}, [](const ChildControl *c) {
        const ControlDescription &d = c->description;
        return d.kind == ControlKind::OptionButton ? d.top : d.tabIndex;
    });
    for (const ChildControl *c : ordered)
        sendToBottom(c->window);

    std::set<std::string> groups;
    for (const ChildControl *c : ordered) {
        if (c->description.kind == ControlKind::Frame) {
            // The group box stays under what it frames, and ends its group.
            sendToBottom(c->groupBox);
        } else if (c->description.kind == ControlKind::OptionButton) {
            if (groups.insert(c->description.container).second)
                setStyleBit(c->window, WS_GROUP, true);
        }
    }
    for (const std::string &container : groups)
        updateTabStops(window, controls, container);
}

void updateTabStops(const WindowDescription &window, const ChildControls &controls, const std::string &container)
{
    const ControlDescription *stop = groupTabStop(window, container, [&](const ControlDescription &d) {
        return isMarked(controls.of(controlId(d), ControlKind::OptionButton).window);
    });
    for (const ChildControl *c : controls.optionGroup(container))
        setStyleBit(c->window, WS_TABSTOP, stop != nullptr && controlId(c->description) == controlId(*stop));
}

} // namespace platform::win32
