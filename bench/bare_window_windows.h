// What the Windows yardsticks do alike: one window of the quiz's client
// size and title, filled (before it is shown) by what is given, shown, and
// its messages until it is closed.
#pragma once

#include "bare_window_title.h"

#include <windows.h>

#include <array>

// A window that does nothing of its own: the program ends when it closes.
inline LRESULT CALLBACK quitOnClose(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

inline int runBareWindow(HINSTANCE instance, const wchar_t *className, WNDPROC procedure,
                         void (*fill)(HWND) = nullptr)
{
    WNDCLASSEXW bare{};
    bare.cbSize = sizeof bare;
    bare.lpfnWndProc = procedure;
    bare.hInstance = instance;
    bare.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    bare.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    bare.lpszClassName = className;
    RegisterClassExW(&bare);
    // 484 x 406, the quiz's client area at 96 DPI.
    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT outer{0, 0, 484, 406};
    AdjustWindowRectEx(&outer, kStyle, FALSE, 0);
    std::array<wchar_t, 256> title{};
    MultiByteToWideChar(CP_UTF8, 0, kQuizTitle.data(), static_cast<int>(kQuizTitle.size()), title.data(),
                        static_cast<int>(title.size()) - 1);
    HWND window = CreateWindowExW(0, className, title.data(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                  outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance,
                                  nullptr);
    if (fill != nullptr)
        fill(window);
    ShowWindow(window, SW_SHOW);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
