// The yardstick for the Windows program's start-up: the least a Windows
// program does to put one window of the quiz's size and title on screen,
// with the same manifest (visual styles, per-monitor DPI).
#include "bare_window_title.h"

#include <windows.h>

namespace {

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int /*show*/)
{
    WNDCLASSEXW bare{};
    bare.cbSize = sizeof bare;
    bare.lpfnWndProc = procedure;
    bare.hInstance = instance;
    bare.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    bare.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    bare.lpszClassName = L"BareWindow";
    RegisterClassExW(&bare);
    // 484 x 406, the quiz's client area at 96 DPI.
    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT outer{0, 0, 484, 406};
    AdjustWindowRectEx(&outer, kStyle, FALSE, 0);
    wchar_t title[256] = {};
    MultiByteToWideChar(CP_UTF8, 0, kQuizTitle.data(), static_cast<int>(kQuizTitle.size()), title, 255);
    HWND window = CreateWindowExW(0, bare.lpszClassName, title, kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                  outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance,
                                  nullptr);
    ShowWindow(window, SW_SHOW);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
