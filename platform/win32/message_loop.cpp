#include "message_loop.h"

#include "whole_paint.h"

namespace platform::win32 {

namespace {

// The window's paints are done all at once, not one by one from the queue,
// where each would reach the screen on its own.
bool ours(HWND window, HWND other)
{
    return window != nullptr && (other == window || IsChild(window, other) != FALSE);
}

void paintIfWaiting(HWND window)
{
    if (window != nullptr && HIWORD(GetQueueStatus(QS_PAINT)) != 0)
        paintWaiting(window);
}

void deliver(HWND window, MSG &message)
{
    if (message.message == WM_PAINT && ours(window, message.hwnd)) {
        paintWaiting(window);
        return;
    }
    if (window != nullptr && IsDialogMessageW(window, &message) != 0)
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

} // namespace

int runMessageLoop(HWND window)
{
    MSG message{};
    for (;;) {
        paintIfWaiting(window);
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0)
            break;
        if (got == -1)
            return 1;
        deliver(window, message);
    }
    return static_cast<int>(message.wParam);
}

void handleWaitingMessages(HWND window)
{
    MSG message{};
    for (paintIfWaiting(window); PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != 0;
         paintIfWaiting(window)) {
        if (message.message == WM_QUIT) {
            // Not ours to swallow.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        deliver(window, message);
    }
}

} // namespace platform::win32
