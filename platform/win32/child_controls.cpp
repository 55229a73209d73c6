#include "child_controls.h"

#include "frame_panel.h"
#include "text.h"

#include <algorithm>
#include <stdexcept>

namespace platform::win32 {

namespace {

constexpr int kFirstControlId = 100;

struct WindowKind {
    const wchar_t *windowClass;
    DWORD style;
    DWORD exStyle;
};

WindowKind kindOf(const ControlDescription &c)
{
    const DWORD child = WS_CHILD | WS_CLIPSIBLINGS | (c.visible ? WS_VISIBLE : 0);
    switch (c.kind) {
    case ControlKind::Frame:
        // Not clipping its group box, which covers it whole and leaves its
        // inside for the panel to paint.
        return {framePanelClass(), child, WS_EX_CONTROLPARENT};
    case ControlKind::CheckBox:
        // Three states, changed only by the form, which reports every change.
        return {L"BUTTON", child | BS_3STATE | WS_TABSTOP, 0};
    case ControlKind::OptionButton:
        // Selected only by the form; it hears of the focus arriving too.
        return {L"BUTTON", child | BS_RADIOBUTTON | BS_NOTIFY, 0};
    case ControlKind::ListBox:
        return {L"LISTBOX", child | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE};
    case ControlKind::PushButton:
        return {L"BUTTON", child | WS_TABSTOP | (c.background ? BS_OWNERDRAW : BS_PUSHBUTTON), 0};
    case ControlKind::TextBox:
        return {L"EDIT", child | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                WS_EX_CLIENTEDGE};
    case ControlKind::Label:
        return {L"STATIC", child | SS_CENTER | SS_NOPREFIX, 0};
    }
    return {L"STATIC", child, 0};
}

} // namespace

ChildControl &ChildControls::create(HWND window, const ControlDescription &c, const RECT &place, HFONT font)
{
    // The description is checked: a container is made before what it holds.
    const HWND parent = c.container.empty() ? window : of({c.container}, ControlKind::Frame).window;
    const WindowKind kind = kindOf(c);
    const int id = kFirstControlId + static_cast<int>(byId_.size());
    // A text box gets its text once it has its size and font: laid out in
    // the stock font first, the task text has crashed Wine 10's text
    // shaping. A frame's caption is its group box's.
    const bool captionLater = c.kind == ControlKind::Frame || c.kind == ControlKind::TextBox;
    const std::wstring caption = captionLater ? std::wstring{} : widen(c.caption);
    const SIZE size{place.right - place.left, place.bottom - place.top};
    HWND hwnd = CreateWindowExW(kind.exStyle, kind.windowClass, caption.c_str(), kind.style, place.left, place.top,
                                size.cx, size.cy, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleW(nullptr), nullptr);
    if (hwnd == nullptr)
        throw std::runtime_error("cannot create " + displayName({c.name, c.index}));
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    ChildControl control{.description = c, .window = hwnd, .id = id};
    if (c.background)
        control.background.reset(CreateSolidBrush(RGB(c.background->red, c.background->green, c.background->blue)));
    if (c.kind == ControlKind::Frame) {
        control.groupBox = CreateWindowExW(0, L"BUTTON", widen(c.caption).c_str(),
                                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_GROUP | BS_GROUPBOX, 0, 0,
                                           size.cx, size.cy, hwnd, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (control.groupBox == nullptr)
            throw std::runtime_error("cannot create the group box of " + displayName({c.name, c.index}));
        SendMessageW(control.groupBox, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    } else if (c.kind == ControlKind::TextBox) {
        // Text from edge to edge, as the box is drawn to hold it.
        SendMessageW(hwnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(2, 2));
    } else if (c.kind == ControlKind::ListBox) {
        for (const std::string &item : c.items) {
            const LRESULT added = SendMessageW(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(item).c_str()));
            if (added == LB_ERR || added == LB_ERRSPACE)
                throw std::runtime_error("cannot add an item to " + displayName({c.name, c.index}));
        }
    }
    ChildControl &added = controls_.add(c, std::move(control));
    byId_.push_back(controls_.idOf({c.name, c.index}));
    return added;
}

std::optional<ControlId> ChildControls::controlWithId(int id) const
{
    const int slot = id - kFirstControlId;
    if (slot < 0 || static_cast<std::size_t>(slot) >= byId_.size())
        return std::nullopt;
    return byId_[static_cast<std::size_t>(slot)];
}

std::optional<ControlId> ChildControls::controlOf(HWND window) const
{
    const auto control = controlWithId(GetDlgCtrlID(window));
    if (!control || controls_.at(*control).window != window)
        return std::nullopt;
    return control;
}

std::vector<const ChildControl *> ChildControls::optionGroup(const std::string &container) const
{
    std::vector<const ChildControl *> group;
    for (const auto &[key, c] : controls_)
        if (c.description.kind == ControlKind::OptionButton && c.description.container == container)
            group.push_back(&c);
    std::ranges::stable_sort(group, {}, [](const ChildControl *c) { return c->description.tabIndex; });
    return group;
}

bool isMarked(HWND button)
{
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

} // namespace platform::win32
