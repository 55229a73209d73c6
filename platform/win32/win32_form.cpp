#include "win32_form.h"

#include "accessible_name.h"
#include "dpi.h"
#include "failure.h"
#include "frame_panel.h"
#include "text.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <stdexcept>
#include <utility>

namespace platform {

using win32::narrow;
using win32::widen;

namespace {

constexpr wchar_t kFormClass[] = L"ZorelminaForm";
constexpr int kFirstControlId = 100;
constexpr double kTwipsPerInch = 1440.0;
constexpr UINT kDefaultDpi = 96;
constexpr COLORREF kFocusColour = RGB(0, 0, 96);
constexpr COLORREF kText = RGB(0, 0, 0);
// Room a caption leaves inside a push button's border and beside a frame's
// caption, and between a box and its caption, in pixels at 96 DPI.
constexpr int kButtonTextMargin = 8;
constexpr int kFrameTextMargin = 16;
constexpr int kIndicatorGap = 6;
constexpr int kIndicatorSize = 13;
constexpr int kSmallestFontPixels = 8;

constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

COLORREF toColorRef(const Rgb &rgb)
{
    return RGB(rgb.red, rgb.green, rgb.blue);
}

int scaled(int pixelsAt96, UINT dpi)
{
    return MulDiv(pixelsAt96, static_cast<int>(dpi), static_cast<int>(kDefaultDpi));
}

SIZE textExtent(HFONT font, const std::wstring &text)
{
    HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return extent;
}

std::wstring windowText(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

struct Created {
    const wchar_t *windowClass;
    DWORD style;
    DWORD exStyle;
};

Created kindOf(const ControlDescription &c)
{
    const DWORD child = WS_CHILD | WS_CLIPSIBLINGS | (c.visible ? WS_VISIBLE : 0);
    switch (c.kind) {
    case ControlKind::Frame:
        // Not clipping its group box, which covers it whole and leaves its
        // inside for the panel to paint.
        return {win32::framePanelClass(), child, WS_EX_CONTROLPARENT};
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

Win32Form::Win32Form(const WindowDescription &description) : description_(description)
{
    background_.reset(CreateSolidBrush(toColorRef(description_.background)));

    // Made hidden at the middle of the main work area, so that it knows its
    // monitor's DPI before anything is laid out.
    const RECT room = win32::workAreaAt({0, 0});
    const DWORD style = kFormStyle | (description_.minimiseButton ? WS_MINIMIZEBOX : 0)
                        | (description_.maximiseButton ? WS_MAXIMIZEBOX : 0);
    window_.reset(CreateWindowExW(WS_EX_CONTROLPARENT, windowClass(), widen(description_.title).c_str(), style,
                                  (room.left + room.right) / 2, (room.top + room.bottom) / 2, 1, 1, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr));
    if (!window_)
        throw std::runtime_error("cannot create the window");
    SetWindowLongPtrW(window(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

    if (!description_.icon.empty()) {
        const std::wstring icon = widen(description_.icon);
        HINSTANCE instance = GetModuleHandleW(nullptr);
        bigIcon_.reset(static_cast<HICON>(LoadImageW(instance, icon.c_str(), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                     GetSystemMetrics(SM_CYICON), 0)));
        smallIcon_.reset(static_cast<HICON>(LoadImageW(instance, icon.c_str(), IMAGE_ICON,
                                                       GetSystemMetrics(SM_CXSMICON),
                                                       GetSystemMetrics(SM_CYSMICON), 0)));
        SendMessageW(window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
        SendMessageW(window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    }

    for (const ControlDescription &c : description_.controls)
        create(c);
    orderForTabbing();

    HWND source = nullptr;
    for (const auto &[key, c] : controls_) {
        if (c.description.kind == ControlKind::TextBox && source == nullptr) {
            source = c.window;
            if (!c.description.accessibleName.empty())
                win32::nameForAssistiveTechnology(c.window, widen(c.description.accessibleName).c_str());
        }
    }
    announcer_ = std::make_unique<win32::Announcer>(window(), source != nullptr ? source : window());

    layOut(win32::dpiOf(window()));
    for (const auto &[key, c] : controls_) {
        if (c.description.kind == ControlKind::TextBox)
            SetWindowTextW(c.window, widen(c.description.caption).c_str());
    }
    // Centred on the work area, frame and title bar included.
    RECT outer{};
    GetWindowRect(window(), &outer);
    const RECT area = win32::workArea(window());
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    SetWindowPos(window(), nullptr, area.left + std::max(0L, (area.right - area.left - width) / 2),
                 area.top + std::max(0L, (area.bottom - area.top - height) / 2), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Win32Form::~Win32Form()
{
    // No more handlers once the window starts to go.
    clicked_ = nullptr;
    if (window_)
        SetWindowLongPtrW(window(), GWLP_USERDATA, 0);
}

std::unique_ptr<Form> makeWin32Form(const WindowDescription &description)
{
    return std::make_unique<Win32Form>(description);
}

const wchar_t *Win32Form::windowClass()
{
    static const wchar_t *const name = [] {
        WNDCLASSEXW form{};
        form.cbSize = sizeof form;
        form.lpfnWndProc = &Win32Form::procedure;
        form.hInstance = GetModuleHandleW(nullptr);
        form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        form.lpszClassName = kFormClass;
        RegisterClassExW(&form);
        return kFormClass;
    }();
    return name;
}

void Win32Form::create(const ControlDescription &c)
{
    HWND parent = window();
    if (!c.container.empty()) {
        const Control *frame = controls_.find({c.container});
        if (frame == nullptr)
            throw std::invalid_argument("container listed after its controls: " + c.container);
        parent = frame->window;
    }
    const Created kind = kindOf(c);
    const int id = kFirstControlId + static_cast<int>(byId_.size());
    // A text box gets its text once it has its size and font (see the end of
    // the constructor): laid out in the stock font first, the task text has
    // crashed Wine 10's text shaping.
    const bool captionLater = c.kind == ControlKind::Frame || c.kind == ControlKind::TextBox;
    const std::wstring caption = captionLater ? std::wstring{} : widen(c.caption);
    HWND hwnd = CreateWindowExW(kind.exStyle, kind.windowClass, caption.c_str(), kind.style, 0, 0, 0, 0, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (hwnd == nullptr)
        throw std::runtime_error("cannot create " + displayName({c.name, c.index}));

    Control control{.description = c, .window = hwnd, .id = id};
    if (c.background)
        control.background.reset(CreateSolidBrush(toColorRef(*c.background)));
    if (c.kind == ControlKind::Frame) {
        control.groupBox = CreateWindowExW(0, L"BUTTON", widen(c.caption).c_str(),
                                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_GROUP | BS_GROUPBOX, 0,
                                           0, 0, 0, hwnd, nullptr,
                                           GetModuleHandleW(nullptr), nullptr);
    } else if (c.kind == ControlKind::OptionButton) {
        SetWindowSubclass(hwnd, optionButtonProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
    } else if (c.kind == ControlKind::TextBox) {
        // Text from edge to edge, as the box is drawn to hold it.
        SendMessageW(hwnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(2, 2));
    } else if (c.kind == ControlKind::ListBox) {
        for (const std::string &item : c.items)
            SendMessageW(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(item).c_str()));
    }
    controls_.add(c, std::move(control));
    byId_.push_back(controls_.idOf({c.name, c.index}));
}

// Windows tabs through controls in the order of windows, so they are put in
// the order of their tab positions. The option buttons of one frame make one
// group with one tab stop, in which the arrow keys move in the order of
// windows too: there they go by screen row, as the learner sees them.
void Win32Form::orderForTabbing()
{
    std::vector<Control *> ordered;
    for (auto &[key, c] : controls_)
        ordered.push_back(&c);
    // Only the order among siblings counts, and a frame's option buttons
    // have none but each other and the group box.
    std::ranges::stable_sort(ordered, {}, [](const Control *c) {
        const ControlDescription &d = c->description;
        return d.kind == ControlKind::OptionButton ? d.top : d.tabIndex;
    });
    for (const Control *c : ordered)
        SetWindowPos(c->window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    std::map<std::string, bool> grouped;
    for (const Control *c : ordered) {
        if (c->description.kind == ControlKind::Frame) {
            // The group box stays under what it frames, and ends its group.
            SetWindowPos(c->groupBox, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        } else if (c->description.kind == ControlKind::OptionButton && !grouped[c->description.container]) {
            grouped[c->description.container] = true;
            SetWindowLongPtrW(c->window, GWL_STYLE, GetWindowLongPtrW(c->window, GWL_STYLE) | WS_GROUP);
        }
    }
    for (const auto &[container, unused] : grouped)
        updateTabStops(container);
}

int Win32Form::toPixels(Twips twips) const
{
    return static_cast<int>(std::lround(twips * pixelsPerTwip_));
}

double Win32Form::fittingScale(UINT dpi) const
{
    const double natural = dpi / kTwipsPerInch;
    const SIZE chrome = win32::outerSize({0, 0}, static_cast<DWORD>(GetWindowLongPtrW(window(), GWL_STYLE)),
                                         static_cast<DWORD>(GetWindowLongPtrW(window(), GWL_EXSTYLE)), dpi);
    const RECT area = win32::workArea(window());
    const double wide = static_cast<double>(area.right - area.left - chrome.cx) / description_.clientWidth;
    const double high = static_cast<double>(area.bottom - area.top - chrome.cy) / description_.clientHeight;
    return std::max(std::min({natural, wide, high}), natural / 4);
}

void Win32Form::layOut(UINT dpi)
{
    dpi_ = dpi;
    pixelsPerTwip_ = fittingScale(dpi);
    for (const auto &[key, c] : controls_) {
        const ControlDescription &d = c.description;
        SetWindowPos(c.window, nullptr, toPixels(d.left), toPixels(d.top), toPixels(d.width), toPixels(d.height),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (c.groupBox != nullptr)
            SetWindowPos(c.groupBox, nullptr, 0, 0, toPixels(d.width), toPixels(d.height), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const SIZE client{toPixels(description_.clientWidth), toPixels(description_.clientHeight)};
    const SIZE outer = win32::outerSize(client, static_cast<DWORD>(GetWindowLongPtrW(window(), GWL_STYLE)),
                                        static_cast<DWORD>(GetWindowLongPtrW(window(), GWL_EXSTYLE)), dpi);
    SetWindowPos(window(), nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    // Points become pixels at the DPI, and shrink with the layout; a little
    // more where a caption would be cut off.
    const double shrink = pixelsPerTwip_ / (dpi / kTwipsPerInch);
    int height = static_cast<int>(std::lround(description_.font.pointSize * shrink * dpi / 72.0));
    useFont(height);
    while (!captionsFit() && height > kSmallestFontPixels)
        useFont(--height);
}

void Win32Form::useFont(int pixelHeight)
{
    LOGFONTW face{};
    face.lfHeight = -pixelHeight;
    face.lfWeight = description_.font.weight;
    face.lfItalic = description_.font.italic ? TRUE : FALSE;
    face.lfUnderline = description_.font.underline ? TRUE : FALSE;
    face.lfStrikeOut = description_.font.strikeOut ? TRUE : FALSE;
    face.lfCharSet = static_cast<BYTE>(description_.font.charset);
    face.lfQuality = CLEARTYPE_QUALITY;
    const std::wstring family = widen(description_.font.family);
    family.copy(face.lfFaceName, LF_FACESIZE - 1);
    win32::Font font(CreateFontIndirectW(&face));
    if (!font)
        throw std::runtime_error("cannot make the font " + description_.font.family);
    for (const auto &[key, c] : controls_) {
        SendMessageW(c.window, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
        if (c.groupBox != nullptr)
            SendMessageW(c.groupBox, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    }
    font_ = std::move(font);
}

bool Win32Form::captionsFit() const
{
    const int indicator = scaled(kIndicatorSize + kIndicatorGap, dpi_);
    for (const auto &[key, c] : controls_) {
        const ControlDescription &d = c.description;
        const SIZE text = textExtent(font_.get(), widen(d.caption));
        const int width = toPixels(d.width);
        const int height = toPixels(d.height);
        bool fit = true;
        switch (d.kind) {
        case ControlKind::OptionButton:
        case ControlKind::CheckBox:
            fit = text.cx + indicator <= width && text.cy <= height;
            break;
        case ControlKind::PushButton:
            fit = text.cx + scaled(kButtonTextMargin, dpi_) < width && text.cy <= height;
            break;
        case ControlKind::Frame:
            fit = text.cx + scaled(kFrameTextMargin, dpi_) < width;
            break;
        case ControlKind::Label:
            fit = text.cx <= width && text.cy <= height;
            break;
        default:
            break;
        }
        if (!fit)
            return false;
    }
    return true;
}

HWND Win32Form::control(ControlId id) const
{
    const Control *c = controls_.find(id);
    return c == nullptr ? nullptr : c->window;
}

std::optional<ControlId> Win32Form::controlOf(HWND window) const
{
    const int id = GetDlgCtrlID(window) - kFirstControlId;
    if (id < 0 || static_cast<std::size_t>(id) >= byId_.size() || control(byId_[static_cast<std::size_t>(id)]) != window)
        return std::nullopt;
    return byId_[static_cast<std::size_t>(id)];
}

Win32Form::Control &Win32Form::of(ControlId id, ControlKind kind)
{
    Control &c = controls_.at(id);
    requireKind(c.description.kind, kind, id);
    return c;
}

const Win32Form::Control &Win32Form::of(ControlId id, ControlKind kind) const
{
    const Control &c = controls_.at(id);
    requireKind(c.description.kind, kind, id);
    return c;
}

void Win32Form::raiseClick(ControlId id) const
{
    if (clicked_)
        clicked_(controls_.idOf(id));
}

bool Win32Form::isSelected(ControlId option) const
{
    return SendMessageW(of(option, ControlKind::OptionButton).window, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Form::unselect(ControlId option)
{
    const Control &c = of(option, ControlKind::OptionButton);
    SendMessageW(c.window, BM_SETCHECK, BST_UNCHECKED, 0);
    updateTabStops(c.description.container);
}

bool Win32Form::anySelectedIn(const std::string &container) const
{
    return std::ranges::any_of(controls_, [&](const auto &entry) {
        const Control &c = entry.second;
        return c.description.kind == ControlKind::OptionButton && c.description.container == container
               && SendMessageW(c.window, BM_GETCHECK, 0, 0) == BST_CHECKED;
    });
}

// The learner selects an option button: it alone of its group is selected,
// and it clicks if it was not before.
void Win32Form::select(ControlId option)
{
    const Control &chosen = of(option, ControlKind::OptionButton);
    if (SendMessageW(chosen.window, BM_GETCHECK, 0, 0) == BST_CHECKED)
        return;
    for (const auto &[key, c] : controls_)
        if (c.description.kind == ControlKind::OptionButton && c.description.container == chosen.description.container)
            SendMessageW(c.window, BM_SETCHECK, c.window == chosen.window ? BST_CHECKED : BST_UNCHECKED, 0);
    updateTabStops(chosen.description.container);
    raiseClick(option);
}

// The group's one tab stop is its selected button, or its first while none
// is selected.
void Win32Form::updateTabStops(const std::string &container)
{
    std::vector<const Control *> group;
    for (const auto &[key, c] : controls_)
        if (c.description.kind == ControlKind::OptionButton && c.description.container == container)
            group.push_back(&c);
    std::ranges::stable_sort(group, {}, [](const Control *c) { return c->description.tabIndex; });
    const auto selected = std::ranges::find_if(
        group, [](const Control *c) { return SendMessageW(c->window, BM_GETCHECK, 0, 0) == BST_CHECKED; });
    const Control *stop = selected != group.end() ? *selected : (group.empty() ? nullptr : group.front());
    for (const Control *c : group) {
        const LONG_PTR style = GetWindowLongPtrW(c->window, GWL_STYLE);
        SetWindowLongPtrW(c->window, GWL_STYLE, c == stop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    }
}

CheckState Win32Form::checkState(ControlId box) const
{
    switch (SendMessageW(of(box, ControlKind::CheckBox).window, BM_GETCHECK, 0, 0)) {
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
    const Control &c = of(box, ControlKind::CheckBox);
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
    return narrow(windowText(of(box, ControlKind::TextBox).window));
}

void Win32Form::setText(ControlId box, std::string_view text)
{
    SetWindowTextW(of(box, ControlKind::TextBox).window, widen(text).c_str());
}

std::string Win32Form::listItem(ControlId list, int item) const
{
    HWND box = of(list, ControlKind::ListBox).window;
    const LRESULT length = SendMessageW(box, LB_GETTEXTLEN, static_cast<WPARAM>(item), 0);
    if (item < 0 || length == LB_ERR)
        throw std::out_of_range("no item " + std::to_string(item) + " in " + displayName(list));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(box, LB_GETTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return narrow(text);
}

void Win32Form::announce(std::string_view message)
{
    announcer_->announce(widen(message));
}

void Win32Form::show()
{
    ShowWindow(window(), SW_SHOW);
    UpdateWindow(window());
    SetForegroundWindow(window());
    // The focus starts at the first tab position.
    const auto first = std::ranges::min_element(controls_, {}, [](const auto &entry) {
        const Control &c = entry.second;
        const bool stop = c.description.visible
                          && (GetWindowLongPtrW(c.window, GWL_STYLE) & WS_TABSTOP) != 0;
        return stop ? c.description.tabIndex : INT_MAX;
    });
    if (first != controls_.end()) {
        lastFocus_ = first->second.window;
        SetFocus(lastFocus_);
    }
}

void Win32Form::fail(std::string_view what)
{
    win32::reportFailureAndExit(what, window());
}

void Win32Form::onCommand(int id, int notification)
{
    const std::size_t slot = static_cast<std::size_t>(id - kFirstControlId);
    if (id < kFirstControlId || slot >= byId_.size())
        return;
    const ControlId control = byId_[slot];
    const Control &c = controls_.at(control);
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
            || (notification == BN_SETFOCUS && anySelectedIn(c.description.container)))
            select(control);
        return;
    case ControlKind::CheckBox:
        if (notification == BN_CLICKED)
            setCheckState(control, checkState(control) == CheckState::Unchecked ? CheckState::Checked
                                                                                  : CheckState::Unchecked);
        return;
    case ControlKind::PushButton:
        // A double click is two presses, not one.
        if (notification == BN_CLICKED || notification == BN_DOUBLECLICKED)
            raiseClick(control);
        return;
    default:
        return;
    }
}

LRESULT Win32Form::colourFor(UINT message, HDC dc, HWND window)
{
    if (win32::highContrast())
        return DefWindowProcW(this->window(), message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window));
    for (const auto &[key, c] : controls_) {
        if (c.window != window && c.groupBox != window)
            continue;
        if (c.description.kind == ControlKind::TextBox) {
            // The result box keeps the desktop's look, read-only or not.
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        }
        if (!c.background)
            break;
        SetTextColor(dc, kText);
        SetBkColor(dc, toColorRef(*c.description.background));
        return reinterpret_cast<LRESULT>(c.background.get());
    }
    // Everything else stands on the window's own colour.
    SetTextColor(dc, kText);
    SetBkColor(dc, toColorRef(description_.background));
    return reinterpret_cast<LRESULT>(background_.get());
}

// A push button with a colour of its own: a solid face, a raised edge that
// sinks while pressed, and a solid dark frame with the focus.
void Win32Form::drawButton(const DRAWITEMSTRUCT &item) const
{
    const auto control = controlOf(item.hwndItem);
    if (!control)
        return;
    const Control &c = controls_.at(*control);
    const bool contrast = win32::highContrast();
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    RECT face = item.rcItem;
    FillRect(item.hDC, &face, contrast || !c.background ? GetSysColorBrush(COLOR_BTNFACE) : c.background.get());
    DrawEdge(item.hDC, &face, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    if ((item.itemState & ODS_FOCUS) != 0) {
        const int width = scaled(2, dpi_);
        win32::Brush mark(CreateSolidBrush(contrast ? GetSysColor(COLOR_WINDOWTEXT) : kFocusColour));
        for (int i = 0; i < width; ++i) {
            const RECT ring{face.left + i, face.top + i, face.right - i, face.bottom - i};
            FrameRect(item.hDC, &ring, mark.get());
        }
    }
    if (pressed)
        OffsetRect(&face, 1, 1);
    const std::wstring caption = windowText(item.hwndItem);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, contrast ? GetSysColor(COLOR_BTNTEXT) : kText);
    const HGDIOBJ old = SelectObject(item.hDC, font_.get());
    DrawTextW(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &face,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(item.hDC, old);
}

void Win32Form::paintBackground(HDC dc) const
{
    RECT area{};
    GetClientRect(window(), &area);
    FillRect(dc, &area, win32::highContrast() ? GetSysColorBrush(COLOR_WINDOW) : background_.get());
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

LRESULT CALLBACK Win32Form::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *form = reinterpret_cast<Win32Form *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The window is gone: the form must not destroy it again.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        (void)form->window_.release();
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // Nothing may unwind through Windows.
    try {
        return form->handle(message, wParam, lParam);
    } catch (const std::exception &e) {
        win32::reportFailureAndExit(e.what(), window);
    } catch (...) {
        win32::reportFailureAndExit("unknown failure", window);
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
        return colourFor(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
        drawButton(*reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
        return TRUE;
    case WM_ERASEBKGND:
        paintBackground(reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_NEXTDLGCTL: {
        // Tab and the arrow keys, as a dialog moves: to the given control,
        // or to the next or previous tab stop.
        HWND next = LOWORD(lParam) != 0 ? reinterpret_cast<HWND>(wParam)
                                        : GetNextDlgTabItem(window(), GetFocus(), wParam != 0 ? TRUE : FALSE);
        if (next != nullptr) {
            SetFocus(next);
            if ((SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0)
                SendMessageW(next, EM_SETSEL, 0, -1);
        }
        return 0;
    }
    case DM_GETDEFID: {
        // Enter presses the push button that has the focus, as Space does.
        const auto focused = controlOf(GetFocus());
        if (focused && controls_.at(*focused).description.kind == ControlKind::PushButton)
            return MAKELRESULT(controls_.at(*focused).id, DC_HASDEFID);
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            lastFocus_ = GetFocus();
        else if (lastFocus_ != nullptr && IsWindow(lastFocus_))
            SetFocus(lastFocus_);
        return 0;
    case WM_SETFOCUS:
        if (lastFocus_ != nullptr && IsWindow(lastFocus_))
            SetFocus(lastFocus_);
        return 0;
    case WM_DPICHANGED: {
        layOut(HIWORD(wParam));
        const auto *suggested = reinterpret_cast<const RECT *>(lParam);
        RECT outer{};
        GetWindowRect(window(), &outer);
        const RECT area = win32::workAreaAt({suggested->left, suggested->top});
        const int width = outer.right - outer.left;
        const int height = outer.bottom - outer.top;
        SetWindowPos(window(), nullptr, std::clamp(suggested->left, area.left, std::max(area.left, area.right - width)),
                     std::clamp(suggested->top, area.top, std::max(area.top, area.bottom - height)), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
        // High contrast may have come or gone.
        InvalidateRect(window(), nullptr, TRUE);
        return DefWindowProcW(window(), message, wParam, lParam);
    case WM_CLOSE:
        DestroyWindow(window());
        return 0;
    case WM_DESTROY:
        if (quitWhenClosed_)
            PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window(), message, wParam, lParam);
    }
}

} // namespace platform
