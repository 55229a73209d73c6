#pragma once

#include "control_map.h"
#include "form.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A form held in memory, behaving as the windowed ones do: option buttons
// sharing a container are one exclusive group, a check box clicks on every
// change of its value from inside the call that changed it, and text reads
// back exactly as stored. No toolkit, no screen: the quiz plays on it in
// tests and benchmarks.
class MemoryForm final : public Form {
public:
    explicit MemoryForm(const WindowDescription &description);

    // What the learner does: select an option button, toggle a check box,
    // press a push button.
    void click(ControlId control);

    void setClickHandler(ClickHandler handler) override { clicked_ = std::move(handler); }
    [[nodiscard]] bool isSelected(ControlId option) const override;
    void unselect(ControlId option) override;
    [[nodiscard]] CheckState checkState(ControlId box) const override;
    void setCheckState(ControlId box, CheckState state) override;
    [[nodiscard]] std::string text(ControlId box) const override;
    void setText(ControlId box, std::string_view text) override;
    [[nodiscard]] std::string listItem(ControlId list, int item) const override;
    void announce(std::string_view message) override { announcements_.emplace_back(message); }
    void show() override {}
    // Nothing to end here: the failure goes to the caller.
    [[noreturn]] void fail(std::string_view what) override;

    // Every announcement so far, oldest first.
    [[nodiscard]] const std::vector<std::string> &announcements() const { return announcements_; }

private:
    struct Control {
        ControlDescription description;
        bool selected = false;
        CheckState check = CheckState::Unchecked;
        std::string text;
    };

    void raiseClick(ControlId id);

    ControlMap<Control> controls_;
    ClickHandler clicked_;
    std::vector<std::string> announcements_;
};

} // namespace platform
