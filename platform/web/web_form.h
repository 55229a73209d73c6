#pragma once

#include "dom.h"
#include "platform/control_map.h"
#include "platform/form.h"
#include "platform/form_policy.h"

#include <string>
#include <vector>

namespace platform {

// The form with the browser's own form controls: a frame is a fieldset with
// its legend, option buttons sharing a frame are radio buttons of one group
// (the arrow keys move and select within it, as in any browser), check boxes
// are check boxes, a push button is a button, the text box a read-only text
// area, a label a heading. A list box that is never shown has no element at
// all: nothing on the page, the accessibility tree included, reaches its
// items.
//
// Twips become CSS pixels, 15 to a pixel; where the window does not fit the
// page (a phone, a small frame, a large zoom or minimum font size) the
// controls stand in one column instead, at the same font size, laid out
// again whenever the page changes size. Text reads back exactly as it was
// stored, CR LF included, though the text area shows a line break for each.
class WebForm final : public Form {
public:
    explicit WebForm(const WindowDescription &description);
    ~WebForm() override;
    WebForm(const WebForm &) = delete;
    WebForm &operator=(const WebForm &) = delete;

    // At every size: where the window does not fit, it is not made smaller.
    [[nodiscard]] static double pixelsPerTwip();

    void setClickHandler(ClickHandler handler) override { clicked_ = std::move(handler); }
    [[nodiscard]] bool isSelected(ControlId option) const override;
    void unselect(ControlId option) override;
    [[nodiscard]] CheckState checkState(ControlId box) const override;
    void setCheckState(ControlId box, CheckState state) override;
    [[nodiscard]] std::string text(ControlId box) const override;
    void setText(ControlId box, std::string_view text) override;
    [[nodiscard]] std::string listItem(ControlId list, int item) const override;
    void announce(std::string_view message) override;
    void show() override;
    [[noreturn]] void fail(std::string_view what) override;

    // What the page reports of a control (by its place in the description)
    // or, for -1, of the page.
    void onEvent(int control, web::Event event);

private:
    struct Control {
        ControlDescription description;
        // What stands at the control's place, and what takes the focus and
        // the value (the same element but for a frame, a check box and an
        // option button).
        web::Element box = web::kNoElement;
        web::Element input = web::kNoElement;
        // The text of a text box, exactly as it was set, and where a printed
        // page shows it.
        std::string text;
        web::Element printed = web::kNoElement;
    };

    void create(const ControlDescription &c, int place);
    void arrangeInTabOrder();
    void updateWindowClass();
    void layOut();
    void storeText(Control &c, std::string_view text);
    [[nodiscard]] std::string font(double points) const;
    [[nodiscard]] IsSelected selectedOnPage() const;
    void updateTabStops(const std::string &container);
    void raiseClick(ControlId id) const;

    int id_ = 0;
    WindowDescription description_;
    ControlMap<Control> controls_;
    // By their place in the description.
    std::vector<ControlId> byPlace_;
    web::Element window_ = web::kNoElement;
    web::Element liveRegion_ = web::kNoElement;
    bool announceToggle_ = false;
    bool shown_ = false;
    bool flowing_ = false;
    ClickHandler clicked_;
};

} // namespace platform
