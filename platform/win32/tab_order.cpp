#include "tab_order.h"

#include "platform/form_policy.h"

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
    // The windows' order is the dialog manager's tab order, and inside a
    // group the order of the arrow keys.
    std::vector<const ChildControl *> ordered;
    for (const ControlDescription *d : tabOrder(window))
        if (const ChildControl *c = controls.find(controlId(*d)))
            ordered.push_back(c);
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
