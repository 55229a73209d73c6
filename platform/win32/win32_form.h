#pragma once

#include "announcer.h"
#include "child_controls.h"
#include "colours.h"
#include "dpi.h"
#include "handles.h"
#include "layout.h"
#include "platform/form.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>

namespace platform {

// The form with the Windows API's own controls: option buttons and check
// boxes are buttons of those kinds (option buttons sharing a frame are one
// group), a frame is a group box on a panel of its own, the text box an edit
// control that keeps CR LF, a push button with a colour of its own is drawn
// by the form, solid.
//
// Lengths in twips become pixels at the DPI of the monitor the window is
// on, and again when it moves to a monitor of another DPI; where the window
// would not fit the monitor's work area it lays itself out smaller. With
// high contrast on, the desktop's colours win over the window's own.
class Win32Form final : public Form {
public:
    // highContrast says whether the desktop runs with high contrast now.
    explicit Win32Form(const WindowDescription &description,
                       std::function<bool()> highContrast = win32::highContrast);
    ~Win32Form() override;
    Win32Form(const Win32Form &) = delete;
    Win32Form &operator=(const Win32Form &) = delete;
    Win32Form(Win32Form &&) = delete;
    Win32Form &operator=(Win32Form &&) = delete;

    [[nodiscard]] HWND window() const { return window_.get(); }
    // The control's window, or nullptr if there is none of that name.
    [[nodiscard]] HWND control(ControlId id) const;
    // Which control a window is, if it is one.
    [[nodiscard]] std::optional<ControlId> controlOf(HWND window) const { return controls_.controlOf(window); }
    [[nodiscard]] UINT dpi() const { return layout_.dpi; }
    [[nodiscard]] double pixelsPerTwip() const { return layout_.pixelsPerTwip; }
    [[nodiscard]] HFONT font() const { return font_.get(); }
    // Width in pixels of the frame that marks the focus on a push button.
    [[nodiscard]] int focusFrameWidth() const;

    // The program ends its message loop when this window closes.
    void quitWhenClosed() { quitWhenClosed_ = true; }

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
    // Answering Windows's messages (form_messages.cpp).
    static const wchar_t *windowClass();
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK optionButtonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                                  UINT_PTR subclass, DWORD_PTR form);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void onCommand(int id, int notification);
    void onDpiChanged(UINT dpi, const RECT &suggested);

    void build();
    void createControls();
    // Unbinds the window from this form, then destroys it: no message
    // reaches a form that is going or was never made whole.
    void destroyWindow() noexcept;
    void select(ControlId option);
    void raiseClick(ControlId id) const;

    WindowDescription description_;
    win32::FormColours colours_;
    win32::ChildControls controls_;
    win32::Layout layout_;
    win32::Font font_;
    win32::Icon bigIcon_;
    win32::Icon smallIcon_;
    std::unique_ptr<win32::Announcer> announcer_;
    ClickHandler clicked_;
    // The option button that is taking the focus just now, if one is.
    HWND optionTakingFocus_ = nullptr;
    bool quitWhenClosed_ = false;
    // Last, so that it goes before anything it or its controls use.
    win32::Window window_;
};

} // namespace platform
