#include "layout.h"

#include "dpi.h"
#include "platform/layout_policy.h"
#include "text.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace platform::win32 {

namespace {

// The box or circle beside a check box's or option button's caption, and
// the gap after it, in pixels at 96 dpi.
constexpr int kIndicatorRoom = 13 + 6;

DWORD styleOf(HWND window)
{
    return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
}

DWORD exStyleOf(HWND window)
{
    return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
}

BYTE familyOf(GenericFamily family)
{
    switch (family) {
    case GenericFamily::Serif:
        return VARIABLE_PITCH | FF_ROMAN;
    case GenericFamily::SansSerif:
        return VARIABLE_PITCH | FF_SWISS;
    case GenericFamily::Monospace:
        return FIXED_PITCH | FF_MODERN;
    case GenericFamily::Any:
        break;
    }
    return DEFAULT_PITCH | FF_DONTCARE;
}

Font makeFont(const FontDescription &d, int pixelHeight)
{
    LOGFONTW face{};
    face.lfHeight = -pixelHeight;
    face.lfWeight = d.weight;
    face.lfItalic = d.italic ? TRUE : FALSE;
    face.lfUnderline = d.underline ? TRUE : FALSE;
    face.lfStrikeOut = d.strikeOut ? TRUE : FALSE;
    face.lfCharSet = static_cast<BYTE>(d.charset);
    face.lfQuality = CLEARTYPE_QUALITY;
    // Where the face is missing, Windows picks a stand-in by family: a
    // serif face stands in for a serif one.
    face.lfPitchAndFamily = familyOf(d.generic);
    widen(d.family).copy(face.lfFaceName, LF_FACESIZE - 1);
    Font font(CreateFontIndirectW(&face));
    if (!font)
        throw std::runtime_error("cannot make the font " + d.family);
    return font;
}

// Measures captions in one font on the screen's DC.
class CaptionMeter {
public:
    explicit CaptionMeter(HFONT font) : dc_(GetDC(nullptr)), old_(SelectObject(dc_, font)) {}
    ~CaptionMeter()
    {
        SelectObject(dc_, old_);
        ReleaseDC(nullptr, dc_);
    }
    CaptionMeter(const CaptionMeter &) = delete;
    CaptionMeter &operator=(const CaptionMeter &) = delete;

    [[nodiscard]] Size extent(const std::string &caption) const
    {
        const std::wstring text = widen(caption);
        SIZE size{};
        GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
        return {size.cx, size.cy};
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

bool captionsFit(const WindowDescription &description, HFONT font, const Layout &layout)
{
    const CaptionMeter meter(font);
    const int indicator = scaledForDpi(kIndicatorRoom, layout.dpi);
    return std::ranges::all_of(description.controls, [&](const ControlDescription &d) {
        return d.caption.empty() || d.kind == ControlKind::TextBox || d.kind == ControlKind::ListBox
               || captionFits(d.kind, meter.extent(d.caption), {layout.toPixels(d.width), layout.toPixels(d.height)},
                              indicator, layout.dpi);
    });
}

} // namespace

int Layout::toPixels(Twips twips) const
{
    return static_cast<int>(std::lround(twips * pixelsPerTwip));
}

RECT Layout::placeOf(const ControlDescription &control) const
{
    const int left = toPixels(control.left);
    const int top = toPixels(control.top);
    return {left, top, left + toPixels(control.width), top + toPixels(control.height)};
}

Layout layoutFor(HWND window, const WindowDescription &description, UINT dpi, const RECT &workArea)
{
    const SIZE chrome = outerSize({0, 0}, styleOf(window), exStyleOf(window), dpi);
    const Box area = boxOf(workArea);
    return {dpi, fittingPixelsPerTwip(naturalPixelsPerTwip(dpi), description,
                                      {area.width - chrome.cx, area.height - chrome.cy})};
}

SIZE windowSize(HWND window, const WindowDescription &description, const Layout &layout)
{
    const SIZE client{layout.toPixels(description.clientWidth), layout.toPixels(description.clientHeight)};
    return outerSize(client, styleOf(window), exStyleOf(window), layout.dpi);
}

Font fittingFont(const WindowDescription &description, const Layout &layout)
{
    const auto pixelsFor = [&](double points) {
        return static_cast<int>(std::lround(pixelsForPoints(points, layout.dpi)));
    };
    Font font;
    int madeAt = 0;
    const auto fontAt = [&](double points) -> HFONT {
        if (const int pixels = pixelsFor(points); pixels != madeAt) {
            font = makeFont(description.font, pixels);
            madeAt = pixels;
        }
        return font.get();
    };
    const double shrink = layout.pixelsPerTwip / naturalPixelsPerTwip(layout.dpi);
    const double points = fittingPointSize(description.font.pointSize, shrink, [&](double candidate) {
        return captionsFit(description, fontAt(candidate), layout);
    });
    fontAt(points);
    return font;
}

void placeControls(ChildControls &controls, const Layout &layout, HFONT font)
{
    for (const auto &[key, c] : controls) {
        const RECT place = layout.placeOf(c.description);
        SetWindowPos(c.window, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(c.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        if (c.groupBox != nullptr) {
            SetWindowPos(c.groupBox, nullptr, 0, 0, place.right - place.left, place.bottom - place.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            SendMessageW(c.groupBox, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        }
    }
}

} // namespace platform::win32
