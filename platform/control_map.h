#pragma once

#include "form.h"

#include <map>
#include <stdexcept>
#include <string>
#include <utility>

namespace platform {

// What each toolkit keeps per described control, found by name and index.
template <typename Control>
class ControlMap {
public:
    template <typename Made>
    Control &add(const ControlDescription &description, Made &&control)
    {
        const auto [at, added] =
            controls_.try_emplace(Key{description.name, description.index}, std::forward<Made>(control));
        if (!added)
            throw std::invalid_argument("control described twice: "
                                        + displayName({description.name, description.index}));
        return at->second;
    }

    [[nodiscard]] Control *find(ControlId id)
    {
        const auto at = controls_.find(id);
        return at == controls_.end() ? nullptr : &at->second;
    }
    [[nodiscard]] const Control *find(ControlId id) const
    {
        const auto at = controls_.find(id);
        return at == controls_.end() ? nullptr : &at->second;
    }

    // The control, or std::invalid_argument naming it.
    [[nodiscard]] Control &at(ControlId id)
    {
        if (Control *c = find(id))
            return *c;
        throw std::invalid_argument("no such control: " + displayName(id));
    }
    [[nodiscard]] const Control &at(ControlId id) const
    {
        if (const Control *c = find(id))
            return *c;
        throw std::invalid_argument("no such control: " + displayName(id));
    }

    // The control, of the kind an operation needs; or std::invalid_argument
    // naming it. What a toolkit keeps says its kind, or holds its
    // description.
    [[nodiscard]] Control &of(ControlId id, ControlKind kind)
    {
        Control &c = at(id);
        requireKind(c, kind, id);
        return c;
    }
    [[nodiscard]] const Control &of(ControlId id, ControlKind kind) const
    {
        const Control &c = at(id);
        requireKind(c, kind, id);
        return c;
    }

    // The name the map keeps for a control, which outlives the caller's.
    [[nodiscard]] ControlId idOf(ControlId id) const
    {
        const auto at = controls_.find(id);
        if (at == controls_.end())
            throw std::invalid_argument("no such control: " + displayName(id));
        return {at->first.name, at->first.index};
    }

    [[nodiscard]] auto begin() { return controls_.begin(); }
    [[nodiscard]] auto end() { return controls_.end(); }
    [[nodiscard]] auto begin() const { return controls_.begin(); }
    [[nodiscard]] auto end() const { return controls_.end(); }

private:
    static void requireKind(const Control &c, ControlKind wanted, ControlId id)
    {
        ControlKind actual{};
        if constexpr (requires { c.description.kind; })
            actual = c.description.kind;
        else
            actual = c.kind;
        if (actual != wanted)
            throw std::invalid_argument("not the right kind of control: " + displayName(id));
    }

    struct Key {
        std::string name;
        int index = -1;
    };
    // Looks keys up by ControlId without building a string.
    struct Order {
        using is_transparent = void;
        static std::pair<std::string_view, int> view(const Key &k) { return {k.name, k.index}; }
        static std::pair<std::string_view, int> view(const ControlId &k) { return {k.name, k.index}; }
        template <typename A, typename B>
        bool operator()(const A &a, const B &b) const
        {
            return view(a) < view(b);
        }
    };

    std::map<Key, Control, Order> controls_;
};

} // namespace platform
