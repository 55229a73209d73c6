#include "message_loop.h"

namespace platform::win32 {

namespace {

void deliver(HWND window, MSG &message)
{
    if (window != nullptr && IsDialogMessageW(window, &message) != 0)
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

} // namespace

int runMessageLoop(HWND window)
{
    MSG message{};
    BOOL got = FALSE;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (got == -1)
            return 1;
        deliver(window, message);
    }
    return static_cast<int>(message.wParam);
}

void handleWaitingMessages(HWND window)
{
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != 0) {
        if (message.message == WM_QUIT) {
            // Not ours to swallow.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        deliver(window, message);
    }
}

} // namespace platform::win32
