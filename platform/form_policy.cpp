#include "form_policy.h"

#include <algorithm>
#include <stdexcept>
#include <tuple>

namespace platform {

namespace {

bool takesFocus(ControlKind kind)
{
    switch (kind) {
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
    case ControlKind::ListBox:
    case ControlKind::PushButton:
    case ControlKind::TextBox:
        return true;
    case ControlKind::Frame:
    case ControlKind::Label:
        break;
    }
    return false;
}

} // namespace

WindowDescription validated(const WindowDescription &window)
{
    const auto &controls = window.controls;
    for (auto c = controls.begin(); c != controls.end(); ++c) {
        if (c->container.empty())
            continue;
        const auto frame = std::find_if(controls.begin(), c, [&](const ControlDescription &earlier) {
            return earlier.name == c->container && earlier.index < 0;
        });
        if (frame == c)
            throw std::invalid_argument("container listed after its controls: " + c->container);
        if (frame->kind != ControlKind::Frame)
            throw std::invalid_argument("container is not a frame: " + c->container);
    }
    return window;
}

const ControlDescription *groupTabStop(const WindowDescription &window, std::string_view container,
                                       const IsSelected &selected)
{
    const ControlDescription *first = nullptr;
    for (const ControlDescription &c : window.controls) {
        if (c.kind != ControlKind::OptionButton || c.container != container)
            continue;
        if (selected(c))
            return &c;
        if (first == nullptr || std::tie(c.top, c.left) < std::tie(first->top, first->left))
            first = &c;
    }
    return first;
}

const ControlDescription *firstFocus(const WindowDescription &window, const IsSelected &selected)
{
    const ControlDescription *first = nullptr;
    for (const ControlDescription &c : window.controls) {
        if (!c.visible || !takesFocus(c.kind) || (first != nullptr && c.tabIndex >= first->tabIndex))
            continue;
        // Of a group, only its stop.
        if (c.kind == ControlKind::OptionButton
            && controlId(c) != controlId(*groupTabStop(window, c.container, selected)))
            continue;
        first = &c;
    }
    return first;
}

std::string listItem(const ControlDescription &list, int item)
{
    if (item < 0 || static_cast<std::size_t>(item) >= list.items.size())
        throw std::out_of_range("no item " + std::to_string(item) + " in " + displayName(controlId(list)));
    return list.items[static_cast<std::size_t>(item)];
}

} // namespace platform
