#include "frame_panel.h"

#include "dpi.h"
#include "platform/layout_policy.h"
#include "text.h"
#include "window_class.h"

#include <commctrl.h>

#include <stdexcept>
#include <string>

namespace platform::win32 {

namespace {

// Where the caption starts on the frame's line, and the gap it leaves on
// either side, in pixels at 96 dpi.
constexpr int kCaptionLeft = 6;
constexpr int kCaptionPad = 2;

HBRUSH askRootForColours(HWND control, HDC dc)
{
    return reinterpret_cast<HBRUSH>(SendMessageW(GetAncestor(control, GA_ROOT), WM_CTLCOLORSTATIC,
                                                 reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
}

void paintFrame(HWND box, HDC dc)
{
    RECT area{};
    GetClientRect(box, &area);
    auto *const font = reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0));
    const HGDIOBJ old =
        SelectObject(dc, font != nullptr ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    HBRUSH brush = askRootForColours(box, dc);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    RECT line = area;
    line.top += metrics.tmHeight / 2;
    DrawEdge(dc, &line, EDGE_ETCHED, BF_RECT);

    const std::wstring caption = windowText(box);
    if (!caption.empty()) {
        const double dpi = dpiOf(box);
        SIZE extent{};
        GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
        const int pad = scaledForDpi(kCaptionPad, dpi);
        const int left = area.left + scaledForDpi(kCaptionLeft, dpi);
        const RECT label{left, area.top, left + extent.cx + 2 * pad, area.top + metrics.tmHeight};
        FillRect(dc, &label, brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE));
        SetBkMode(dc, TRANSPARENT);
        ExtTextOutW(dc, left + pad, area.top, 0, nullptr, caption.c_str(), static_cast<UINT>(caption.size()),
                    nullptr);
    }
    SelectObject(dc, old);
}

LRESULT CALLBACK frameProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*subclass*/,
                                DWORD_PTR /*data*/)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(box, &paint);
        paintFrame(box, dc);
        EndPaint(box, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        paintFrame(box, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        // The panel under it has painted the inside.
        return 1;
    case WM_NCDESTROY:
        RemoveWindowSubclass(box, frameProcedure, 0);
        break;
    default:
        break;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

LRESULT CALLBACK panelProcedure(HWND panel, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
        return SendMessageW(GetAncestor(panel, GA_ROOT), message, wParam, lParam);
    case WM_ERASEBKGND: {
        // In the colour the window gives the panel itself.
        auto *dc = reinterpret_cast<HDC>(wParam);
        HBRUSH brush = askRootForColours(panel, dc);
        RECT area{};
        GetClientRect(panel, &area);
        FillRect(dc, &area, brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    default:
        return DefWindowProcW(panel, message, wParam, lParam);
    }
}

} // namespace

const wchar_t *framePanelClass()
{
    static const wchar_t *const name = registerWindowClass(L"ZorelminaFramePanel", panelProcedure);
    return name;
}

void drawFrameHere(HWND groupBox)
{
    if (SetWindowSubclass(groupBox, frameProcedure, 0, 0) == FALSE)
        throw std::runtime_error("cannot subclass a frame's group box");
}

} // namespace platform::win32
