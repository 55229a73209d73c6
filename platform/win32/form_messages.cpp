// How the form's window answers Windows's messages. It is a window of the
// dialog class: the dialog manager (DefDlgProc) moves the focus with Tab and
// the arrow keys and keeps it across activation, as in Windows's own
// dialogs; the form answers what a dialog would answer otherwise.
#include "dpi.h"
#include "failure.h"
#include "platform/layout_policy.h"
#include "tab_order.h"
#include "win32_form.h"
#include "window_class.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

namespace platform {

namespace {

constexpr const wchar_t *kFormClass = L"ZorelminaForm";

} // namespace

const wchar_t *Win32Form::windowClass()
{
    static const wchar_t *const name = win32::registerWindowClass(kFormClass, &Win32Form::procedure, true);
    return name;
}

LRESULT CALLBACK Win32Form::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        // The form being made comes with the window's first message, and
        // holds the window from then on.
        auto *made = static_cast<Win32Form *>(reinterpret_cast<const CREATESTRUCTW *>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(made));
        made->window_.reset(window);
        return DefDlgProcW(window, message, wParam, lParam);
    }
    auto *form = reinterpret_cast<Win32Form *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr)
        return DefDlgProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The window is gone: the form must not destroy it again.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        (void)form->window_.release();
        return DefDlgProcW(window, message, wParam, lParam);
    }
    // Nothing may unwind through Windows.
    try {
        return form->handle(message, wParam, lParam);
    } catch (const std::exception &e) {
        form->fail(e.what());
    } catch (...) {
        form->fail("unknown failure");
    }
}

LRESULT Win32Form::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (const auto brush = colours_.forControl(controls_, reinterpret_cast<HDC>(wParam),
                                                   reinterpret_cast<HWND>(lParam)))
            return *brush;
        return DefDlgProcW(window(), message, wParam, lParam);
    case WM_DRAWITEM: {
        const auto &item = *reinterpret_cast<const DRAWITEMSTRUCT *>(lParam);
        if (const auto control = controlOf(item.hwndItem))
            colours_.drawSolidButton(*controls_.find(*control), item, font_.get(), focusFrameWidth());
        return TRUE;
    }
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT:
        colours_.paintBackground(window(), reinterpret_cast<HDC>(wParam));
        return 1;
    case DM_GETDEFID: {
        // Enter presses the push button that has the focus, as Space does.
        const auto focused = controlOf(GetFocus());
        if (focused && controls_.find(*focused)->description.kind == ControlKind::PushButton)
            return MAKELRESULT(controls_.find(*focused)->id, DC_HASDEFID);
        return 0;
    }
    case WM_DPICHANGED:
        onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT *>(lParam));
        return 0;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
        // High contrast may have come or gone. The window clips its
        // children, so they are redrawn by name.
        RedrawWindow(window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return DefDlgProcW(window(), message, wParam, lParam);
    case WM_CLOSE:
        // A dialog would take it for Esc's IDCANCEL, which changes nothing.
        DestroyWindow(window());
        return 0;
    case WM_DESTROY:
        if (quitWhenClosed_)
            PostQuitMessage(0);
        return 0;
    default:
        return DefDlgProcW(window(), message, wParam, lParam);
    }
}

void Win32Form::onCommand(int id, int notification)
{
    // Anything else, such as the IDCANCEL that Esc sends, is no control's.
    const auto control = controls_.controlWithId(id);
    if (!control)
        return;
    const win32::ChildControl &c = *controls_.find(*control);
    switch (c.description.kind) {
    case ControlKind::OptionButton:
        // An unselected option button reports a click when it takes the
        // focus (Windows does; Wine does from version 10): the focus alone
        // selects nothing, but moving about a group with the arrow keys
        // selects as it goes once one of the group is selected, as clicking
        // does.
        if (notification == BN_CLICKED && c.window == optionTakingFocus_)
            return;
        if (notification == BN_CLICKED || notification == BN_DOUBLECLICKED
            || (notification == BN_SETFOCUS
                && std::ranges::any_of(controls_.optionGroup(c.description.container),
                                       [](const win32::ChildControl *o) { return win32::isMarked(o->window); })))
            select(*control);
        return;
    case ControlKind::CheckBox:
        if (notification == BN_CLICKED)
            setCheckState(*control, checkState(*control) == CheckState::Unchecked ? CheckState::Checked
                                                                                    : CheckState::Unchecked);
        return;
    case ControlKind::PushButton:
        // A double click is two presses, not one.
        if (notification == BN_CLICKED || notification == BN_DOUBLECLICKED)
            raiseClick(*control);
        return;
    default:
        return;
    }
}

// On a monitor of another DPI: laid out for the work area of the monitor
// arrived on, and put where Windows suggests, as far as that area allows, in
// one move (a window grown where it was could reach yet another monitor).
void Win32Form::onDpiChanged(UINT dpi, const RECT &suggested)
{
    const RECT area = win32::workAreaFor(suggested);
    const win32::Layout layout = win32::layoutFor(window(), description_, dpi, area);
    win32::Font font = win32::fittingFont(description_, layout);
    const SIZE size = win32::windowSize(window(), description_, layout);
    const Point at = keptIn(win32::boxOf(area), {suggested.left, suggested.top, size.cx, size.cy});
    SetWindowPos(window(), nullptr, at.x, at.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    layout_ = layout;
    win32::placeControls(controls_, layout_, font.get());
    font_ = std::move(font);
}

LRESULT CALLBACK Win32Form::optionButtonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                                  UINT_PTR /*subclass*/, DWORD_PTR form)
{
    if (message == WM_SETFOCUS) {
        auto *self = reinterpret_cast<Win32Form *>(form);
        const HWND outer = std::exchange(self->optionTakingFocus_, window);
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        self->optionTakingFocus_ = outer;
        return result;
    }
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(window, optionButtonProcedure, 0);
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace platform
