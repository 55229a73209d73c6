// Waits for the quiz's window to open, says its title, and closes it, as a
// learner would. Usage: window_probe SECONDS. Exit status 0 when it found
// and closed the window, 1 when none opened in time.
#include <windows.h>

#include <array>
#include <cstdio>
#include <string>

int wmain(int argc, wchar_t **argv)
{
    const int seconds = argc > 1 ? _wtoi(argv[1]) : 20;
    for (int waited = 0; waited < seconds * 10; ++waited) {
        if (HWND window = FindWindowW(L"ZorelminaForm", nullptr); window != nullptr && IsWindowVisible(window)) {
            std::array<wchar_t, 256> title{};
            GetWindowTextW(window, title.data(), static_cast<int>(title.size()));
            std::array<char, 1024> utf8{};
            WideCharToMultiByte(CP_UTF8, 0, title.data(), -1, utf8.data(), static_cast<int>(utf8.size()), nullptr,
                                nullptr);
            std::printf("window: %s\n", utf8.data());
            PostMessageW(window, WM_CLOSE, 0, 0);
            return 0;
        }
        Sleep(100);
    }
    std::printf("no window\n");
    return 1;
}
