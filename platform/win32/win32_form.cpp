#include "win32_form.h"

#include "accessible_name.h"
#include "escape_key.h"
#include "failure.h"
#include "frame_panel.h"
#include "platform/form_policy.h"
#include "platform/layout_policy.h"
#include "tab_order.h"
#include "text.h"
#include "whole_paint.h"

#include <commctrl.h>

#include <stdexcept>

namespace platform {

using win32::narrow;
using win32::widen;

namespace {

constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

win32::Icon loadIcon(const std::string &name, int widthMetric, int heightMetric)
{
    win32::Icon icon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), widen(name).c_str(), IMAGE_ICON,
                                                   GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric),
                                                   0)));
    if (!icon)
        throw std::runtime_error("cannot load the icon " + name);
    return icon;
}

} // namespace

Win32Form::Win32Form(const WindowDescription &description, std::function<bool()> highContrast)
    : description_(validated(description)), colours_(description_, std::move(highContrast))
{
    // Made hidden at the middle of the main work area, so that it knows its
    // monitor's DPI before anything is laid out. The window binds itself to
    // this form as it is made (WM_NCCREATE).
    const RECT room = win32::workAreaAt({0, 0});
    const DWORD style = kFormStyle | (description_.minimiseButton ? WS_MINIMIZEBOX : 0)
                        | (description_.maximiseButton ? WS_MAXIMIZEBOX : 0);
    CreateWindowExW(WS_EX_CONTROLPARENT, windowClass(), widen(description_.title).c_str(), style,
                    (room.left + room.right) / 2, (room.top + room.bottom) / 2, 1, 1, nullptr, nullptr,
                    GetModuleHandleW(nullptr), this);
    if (!window_)
        throw std::runtime_error("cannot create the window");
    try {
        build();
    } catch (...) {
        destroyWindow();
        throw;
    }
}

void Win32Form::build()
{
    if (!description_.icon.empty()) {
        bigIcon_ = loadIcon(description_.icon, SM_CXICON, SM_CYICON);
        smallIcon_ = loadIcon(description_.icon, SM_CXSMICON, SM_CYSMICON);
        SendMessageW(window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
        SendMessageW(window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    }

    // Laid out and centred on the work area, frame and title bar included,
    // before the controls are made, so that each is made in its place, with
    // its font.
    const RECT area = win32::workArea(window());
    layout_ = win32::layoutFor(window(), description_, win32::dpiOf(window()), area);
    const SIZE size = win32::windowSize(window(), description_, layout_);
    const Point at = centredIn(win32::boxOf(area), {size.cx, size.cy});
    SetWindowPos(window(), nullptr, at.x, at.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    font_ = win32::fittingFont(description_, layout_);
    createControls();
    // The text boxes get their text once they have their size and font.
    for (const auto &[key, c] : controls_) {
        if (c.description.kind == ControlKind::TextBox)
            SetWindowTextW(c.window, widen(c.description.caption).c_str());
    }
}

Win32Form::~Win32Form()
{
    // No more handlers once the window starts to go.
    clicked_ = nullptr;
    destroyWindow();
}

void Win32Form::destroyWindow() noexcept
{
    if (!window_)
        return;
    SetWindowLongPtrW(window(), GWLP_USERDATA, 0);
    window_.reset();
}

void Win32Form::createControls()
{
    HWND source = nullptr;
    for (const ControlDescription &d : description_.controls) {
        const win32::ChildControl &c = controls_.create(window(), d, layout_.placeOf(d), font_.get());
        switch (d.kind) {
        case ControlKind::Frame:
            win32::drawFrameHere(c.groupBox);
            break;
        case ControlKind::OptionButton:
            if (SetWindowSubclass(c.window, optionButtonProcedure, 0, reinterpret_cast<DWORD_PTR>(this)) == FALSE)
                throw std::runtime_error("cannot subclass " + displayName({d.name, d.index}));
            break;
        case ControlKind::TextBox:
            win32::keepEscapeFromClosing(c.window);
            if (!d.accessibleName.empty())
                win32::nameForAssistiveTechnology(c.window, widen(d.accessibleName).c_str());
            if (source == nullptr)
                source = c.window;
            break;
        default:
            break;
        }
    }
    win32::orderForTabbing(description_, controls_);
    announcer_ = std::make_unique<win32::Announcer>(window(), source != nullptr ? source : window());
}

int Win32Form::focusFrameWidth() const
{
    return scaledForDpi(kFocusFrameWidth, layout_.dpi);
}

HWND Win32Form::control(ControlId id) const
{
    const win32::ChildControl *c = controls_.find(id);
    return c == nullptr ? nullptr : c->window;
}

void Win32Form::raiseClick(ControlId id) const
{
    if (clicked_)
        clicked_(controls_.idOf(id));
}

bool Win32Form::isSelected(ControlId option) const
{
    return win32::isMarked(controls_.of(option, ControlKind::OptionButton).window);
}

void Win32Form::unselect(ControlId option)
{
    const win32::ChildControl &c = controls_.of(option, ControlKind::OptionButton);
    SendMessageW(c.window, BM_SETCHECK, BST_UNCHECKED, 0);
    win32::updateTabStops(description_, controls_, c.description.container);
}

// The learner selects an option button: it alone of its group is selected,
// and it clicks if it was not before.
void Win32Form::select(ControlId option)
{
    const win32::ChildControl &chosen = controls_.of(option, ControlKind::OptionButton);
    if (win32::isMarked(chosen.window))
        return;
    for (const win32::ChildControl *c : controls_.optionGroup(chosen.description.container))
        SendMessageW(c->window, BM_SETCHECK, c == &chosen ? BST_CHECKED : BST_UNCHECKED, 0);
    win32::updateTabStops(description_, controls_, chosen.description.container);
    raiseClick(option);
}

CheckState Win32Form::checkState(ControlId box) const
{
    switch (SendMessageW(controls_.of(box, ControlKind::CheckBox).window, BM_GETCHECK, 0, 0)) {
    case BST_CHECKED:
        return CheckState::Checked;
    case BST_INDETERMINATE:
        return CheckState::Greyed;
    default:
        return CheckState::Unchecked;
    }
}

void Win32Form::setCheckState(ControlId box, CheckState state)
{
    // Windows reports no change made by code, so the form does, before it
    // returns.
    const win32::ChildControl &c = controls_.of(box, ControlKind::CheckBox);
    if (checkState(box) == state)
        return;
    WPARAM value = BST_UNCHECKED;
    if (state == CheckState::Checked)
        value = BST_CHECKED;
    else if (state == CheckState::Greyed)
        value = BST_INDETERMINATE;
    SendMessageW(c.window, BM_SETCHECK, value, 0);
    raiseClick(box);
}

std::string Win32Form::text(ControlId box) const
{
    return narrow(win32::windowText(controls_.of(box, ControlKind::TextBox).window));
}

void Win32Form::setText(ControlId box, std::string_view text)
{
    SetWindowTextW(controls_.of(box, ControlKind::TextBox).window, widen(text).c_str());
}

std::string Win32Form::listItem(ControlId list, int item) const
{
    // Nothing can change a list's items after it is made.
    return platform::listItem(controls_.of(list, ControlKind::ListBox).description, item);
}

void Win32Form::announce(std::string_view message)
{
    announcer_->announce(widen(message));
}

void Win32Form::show()
{
    // The focus starts at the first tab position, before the window is
    // painted, so that it is painted with it.
    const ControlDescription *first =
        firstFocus(description_, [this](const ControlDescription &d) { return isSelected(controlId(d)); });
    if (first != nullptr)
        SetFocus(control(controlId(*first)));
    win32::showWhole(window());
    SetForegroundWindow(window());
}

void Win32Form::fail(std::string_view what)
{
    win32::reportFailureAndExit(description_.failure, what, window());
}

} // namespace platform
