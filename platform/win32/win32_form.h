#pragma once

#include "announcer.h"
#include "handles.h"
#include "platform/control_map.h"
#include "platform/form.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

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
    explicit Win32Form(const WindowDescription &description);
    ~Win32Form() override;

    [[nodiscard]] HWND window() const { return window_.get(); }
    // The control's window, or nullptr if there is none of that name.
    [[nodiscard]] HWND control(ControlId id) const;
    // Which control a window is, if it is one.
    [[nodiscard]] std::optional<ControlId> controlOf(HWND window) const;
    [[nodiscard]] UINT dpi() const { return dpi_; }
    [[nodiscard]] double pixelsPerTwip() const { return pixelsPerTwip_; }
    [[nodiscard]] HFONT font() const { return font_.get(); }

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
    struct Control {
        ControlDescription description;
        HWND window = nullptr;
        // A frame's group box, on the panel that holds its controls.
        HWND groupBox = nullptr;
        int id = 0;
        win32::Brush background;
    };

    static const wchar_t *windowClass();
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK optionButtonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                                  UINT_PTR subclass, DWORD_PTR form);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void create(const ControlDescription &description);
    void orderForTabbing();
    void layOut(UINT dpi);
    [[nodiscard]] double fittingScale(UINT dpi) const;
    [[nodiscard]] bool captionsFit() const;
    void useFont(int pixelHeight);
    [[nodiscard]] int toPixels(Twips twips) const;

    void onCommand(int id, int notification);
    void select(ControlId option);
    void updateTabStops(const std::string &container);
    [[nodiscard]] bool anySelectedIn(const std::string &container) const;
    void raiseClick(ControlId id) const;
    LRESULT colourFor(UINT message, HDC dc, HWND control);
    void drawButton(const DRAWITEMSTRUCT &item) const;
    void paintBackground(HDC dc) const;

    Control &of(ControlId id, ControlKind kind);
    [[nodiscard]] const Control &of(ControlId id, ControlKind kind) const;

    WindowDescription description_;
    win32::Window window_;
    ControlMap<Control> controls_;
    // By control id, less the first.
    std::vector<ControlId> byId_;
    win32::Brush background_;
    win32::Font font_;
    win32::Icon bigIcon_;
    win32::Icon smallIcon_;
    std::unique_ptr<win32::Announcer> announcer_;
    ClickHandler clicked_;
    UINT dpi_ = 96;
    double pixelsPerTwip_ = 1.0 / kTwipsPerPixel;
    HWND lastFocus_ = nullptr;
    // The option button that is taking the focus just now, if one is.
    HWND optionTakingFocus_ = nullptr;
    bool quitWhenClosed_ = false;
};

// A FormMaker for Windows.
std::unique_ptr<Form> makeWin32Form(const WindowDescription &description);

} // namespace platform
