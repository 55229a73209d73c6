#include "form_policy.h"

#include <algorithm>
#include <limits>
#include <map>
#include <stdexcept>
#include <tuple>

namespace platform {

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

std::vector<const ControlDescription *> readingOrder(const WindowDescription &window, std::string_view container)
{
    std::vector<const ControlDescription *> seen;
    for (const ControlDescription &c : window.controls)
        if (c.container == container)
            seen.push_back(&c);
    // The classic algorithms throughout: the browser's C++ library (Debian
    // 12's emscripten) has no ranges yet.
    // NOLINTNEXTLINE(modernize-use-ranges)
    std::stable_sort(seen.begin(), seen.end(),
                     [](const ControlDescription *a, const ControlDescription *b) { return a->top < b->top; });
    for (auto row = seen.begin(); row != seen.end();) {
        const ControlDescription &first = **row;
        const auto end = std::find_if(row, seen.end(), [&](const ControlDescription *c) {
            return c->top >= first.top + first.height;
        });
        std::stable_sort(row, end, [](const ControlDescription *a, const ControlDescription *b) {
            return a->left < b->left;
        });
        row = end;
    }
    return seen;
}

std::vector<const ControlDescription *> tabOrder(const WindowDescription &window)
{
    // Each group at its first button's tab position, then in reading order.
    std::map<std::string_view, std::pair<int, std::map<const ControlDescription *, int>>> groups;
    for (const ControlDescription &c : window.controls) {
        if (c.kind != ControlKind::OptionButton || groups.contains(c.container))
            continue;
        auto &[position, ranks] = groups[c.container];
        position = std::numeric_limits<int>::max();
        int rank = 0;
        for (const ControlDescription *seen : readingOrder(window, c.container)) {
            if (seen->kind != ControlKind::OptionButton)
                continue;
            position = std::min(position, seen->tabIndex);
            ranks[seen] = rank++;
        }
    }
    const auto key = [&](const ControlDescription *c) {
        if (c->kind != ControlKind::OptionButton)
            return std::pair(c->tabIndex, 0);
        const auto &[position, ranks] = groups.at(c->container);
        return std::pair(position, ranks.at(c));
    };
    std::vector<const ControlDescription *> order;
    for (const ControlDescription &c : window.controls)
        order.push_back(&c);
    // NOLINTNEXTLINE(modernize-use-ranges)
    std::stable_sort(order.begin(), order.end(),
                     [&](const ControlDescription *a, const ControlDescription *b) { return key(a) < key(b); });
    return order;
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
