#pragma once

#include "platform/form.h"
#include "qt_form_widget.h"

#include <memory>

namespace platform {

class Announcer;

// The form on Qt Widgets: option buttons are radio buttons (those sharing a
// frame are one exclusive group), check boxes are check boxes, the text box
// keeps its text exactly, and a list box that is never shown lives outside
// the window. Needs the application object.
class QtForm final : public Form {
public:
    explicit QtForm(const WindowDescription &description);
    ~QtForm() override;
    QtForm(const QtForm &) = delete;
    QtForm &operator=(const QtForm &) = delete;
    QtForm(QtForm &&) = delete;
    QtForm &operator=(QtForm &&) = delete;

    [[nodiscard]] QtFormWidget &widget() { return *widget_; }
    [[nodiscard]] const QtFormWidget &widget() const { return *widget_; }

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

private:
    template <typename Widget>
    Widget &as(ControlId id) const;
    void raiseClick(ControlId id) const;

    std::unique_ptr<QtFormWidget> widget_;
    Announcer *announcer_ = nullptr;
    ClickHandler clicked_;
};

} // namespace platform
