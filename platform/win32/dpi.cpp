#include "dpi.h"

#include "handles.h"

namespace platform::win32 {

namespace {

// Windows 10 has these; Windows 7 and 8 do not.
using GetDpiForWindowFn = UINT(WINAPI *)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI *)(LPRECT, DWORD, BOOL, DWORD, UINT);

constexpr UINT kDefaultDpi = 96;

RECT workAreaOf(HMONITOR monitor)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (monitor != nullptr && GetMonitorInfoW(monitor, &info) != 0)
        return info.rcWork;
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

} // namespace

UINT dpiOf(HWND window)
{
    static const auto getDpiForWindow = systemFunction<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        if (const UINT dpi = getDpiForWindow(window); dpi != 0)
            return dpi;
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kDefaultDpi;
}

SIZE outerSize(SIZE client, DWORD style, DWORD exStyle, UINT dpi)
{
    static const auto adjustForDpi =
        systemFunction<AdjustWindowRectExForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
    RECT rect{0, 0, client.cx, client.cy};
    if (adjustForDpi != nullptr)
        adjustForDpi(&rect, style, FALSE, exStyle, dpi);
    else
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

RECT workArea(HWND window)
{
    return workAreaOf(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

RECT workAreaAt(POINT point)
{
    return workAreaOf(MonitorFromPoint(point, MONITOR_DEFAULTTOPRIMARY));
}

RECT workAreaFor(const RECT &place)
{
    return workAreaOf(MonitorFromRect(&place, MONITOR_DEFAULTTONEAREST));
}

bool highContrast()
{
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) != 0
           && (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

} // namespace platform::win32
