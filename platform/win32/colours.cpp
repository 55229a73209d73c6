#include "colours.h"

#include "platform/layout_policy.h"
#include "text.h"

#include <string>

namespace platform::win32 {

namespace {

constexpr COLORREF kText = RGB(0, 0, 0);

COLORREF toColorRef(const Rgb &rgb)
{
    return RGB(rgb.red, rgb.green, rgb.blue);
}

} // namespace

FormColours::FormColours(const WindowDescription &description, std::function<bool()> highContrast)
    : background_(toColorRef(description.background)), backgroundBrush_(CreateSolidBrush(background_)),
      highContrast_(std::move(highContrast))
{
}

std::optional<LRESULT> FormColours::forControl(const ChildControls &controls, HDC dc, HWND window) const
{
    if (highContrast())
        return std::nullopt;
    for (const auto &[key, c] : controls) {
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
    SetBkColor(dc, background_);
    return reinterpret_cast<LRESULT>(backgroundBrush_.get());
}

void FormColours::paintBackground(HWND window, HDC dc) const
{
    RECT area{};
    GetClientRect(window, &area);
    FillRect(dc, &area, highContrast() ? GetSysColorBrush(COLOR_WINDOW) : backgroundBrush_.get());
}

void FormColours::drawSolidButton(const ChildControl &button, const DRAWITEMSTRUCT &item, HFONT font,
                                  int focusWidth) const
{
    const bool contrast = highContrast();
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    RECT face = item.rcItem;
    FillRect(item.hDC, &face,
             contrast || !button.background ? GetSysColorBrush(COLOR_BTNFACE) : button.background.get());
    DrawEdge(item.hDC, &face, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    if ((item.itemState & ODS_FOCUS) != 0) {
        const Brush mark(CreateSolidBrush(contrast ? GetSysColor(COLOR_WINDOWTEXT) : toColorRef(kFocusColour)));
        for (int i = 0; i < focusWidth; ++i) {
            const RECT ring{face.left + i, face.top + i, face.right - i, face.bottom - i};
            FrameRect(item.hDC, &ring, mark.get());
        }
    }
    if (pressed)
        OffsetRect(&face, 1, 1);
    const std::wstring caption = windowText(item.hwndItem);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, contrast ? GetSysColor(COLOR_BTNTEXT) : kText);
    const HGDIOBJ old = SelectObject(item.hDC, font);
    DrawTextW(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &face,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(item.hDC, old);
}

} // namespace platform::win32
