#include "frame_panel.h"

namespace platform::win32 {

namespace {

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
        auto brush = reinterpret_cast<HBRUSH>(
            SendMessageW(GetAncestor(panel, GA_ROOT), WM_CTLCOLORSTATIC, wParam, reinterpret_cast<LPARAM>(panel)));
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
    static const wchar_t *const name = [] {
        WNDCLASSEXW panel{};
        panel.cbSize = sizeof panel;
        panel.lpfnWndProc = panelProcedure;
        panel.hInstance = GetModuleHandleW(nullptr);
        panel.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        panel.lpszClassName = L"ZorelminaFramePanel";
        RegisterClassExW(&panel);
        return panel.lpszClassName;
    }();
    return name;
}

} // namespace platform::win32
