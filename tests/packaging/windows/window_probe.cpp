// Waits for the quiz's window to open, says its title, and closes it, as a
// learner would. Usage: window_probe SECONDS. Exit status 0 when it found
// and closed the window, 1 when none opened in time.
#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t **argv)
{
    const int seconds = argc > 1 ? _wtoi(argv[1]) : 20;
    for (int waited = 0; waited < seconds * 10; ++waited) {
        if (HWND window = FindWindowW(L"ZorelminaForm", nullptr); window != nullptr && IsWindowVisible(window)) {
            wchar_t title[256] = {};
            GetWindowTextW(window, title, 256);
            char utf8[1024] = {};
            WideCharToMultiByte(CP_UTF8, 0, title, -1, utf8, sizeof utf8, nullptr, nullptr);
            std::printf("window: %s\n", utf8);
            PostMessageW(window, WM_CLOSE, 0, 0);
            return 0;
        }
        Sleep(100);
    }
    std::printf("no window\n");
    return 1;
}
