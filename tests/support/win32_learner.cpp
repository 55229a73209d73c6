#include "win32_learner.h"

#include "platform/win32/message_loop.h"
#include "platform/win32/win32_form.h"
#include "form_learner.h"
#include "window_learner_base.h"

#include <windows.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace {

using platform::ControlId;
using platform::win32::handleWaitingMessages;

// Lets Windows deliver what was sent, and the window act on it: input
// sent is waiting by the time SendInput returns, and what handling it posts
// is handled in the same pass.
void settle(HWND window)
{
    handleWaitingMessages(window);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    handleWaitingMessages(window);
}

void send(std::vector<INPUT> events)
{
    if (SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT)) != events.size())
        throw std::runtime_error("Windows took no input");
}

INPUT keyEvent(WORD key, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

class Win32Learner final : public WindowLearnerBase<FormLearner<WindowLearner, platform::Win32Form>> {
public:
    explicit Win32Learner(std::function<Input()> chooseInput) : WindowLearnerBase(std::move(chooseInput))
    {
        form().show();
        settle(hwnd());
        if (GetForegroundWindow() != hwnd())
            throw std::runtime_error("the quiz window never came to the front");
    }

    // Through Windows's own input, to whatever has the focus.
    void press(Key key) override
    {
        const auto k = static_cast<WORD>(namesOf(key).virtualKey);
        if (key == Key::Backtab)
            send({keyEvent(VK_SHIFT, false), keyEvent(k, false), keyEvent(k, true), keyEvent(VK_SHIFT, true)});
        else
            send({keyEvent(k, false), keyEvent(k, true)});
        settle(hwnd());
    }

    [[nodiscard]] bool windowOpen() const override
    {
        return hwnd() != nullptr && IsWindowVisible(hwnd()) != FALSE;
    }

    [[nodiscard]] std::string focusedControl() const override
    {
        const auto focused = form().controlOf(GetFocus());
        return focused ? platform::displayName(*focused) : std::string{};
    }

    [[nodiscard]] Rect placeOf(ControlId control) const override
    {
        HWND w = form().control(control);
        if (w == nullptr)
            throw std::runtime_error("no such control: " + platform::displayName(control));
        RECT r{};
        GetWindowRect(w, &r);
        MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT *>(&r), 2);
        return {r.left, r.top, r.right - r.left, r.bottom - r.top};
    }

    [[nodiscard]] double pixelsPerTwip() const override { return form().pixelsPerTwip(); }

    [[nodiscard]] Snapshot snapshot() const override
    {
        RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        RECT client{};
        GetClientRect(hwnd(), &client);
        const int width = client.right;
        const int height = client.bottom;

        // Top down, as a negative height says.
        BITMAPINFO info{.bmiHeader = {.biSize = sizeof(BITMAPINFOHEADER), .biWidth = width, .biHeight = -height,
                                      .biPlanes = 1, .biBitCount = 32, .biCompression = BI_RGB}};
        void *bits = nullptr;
        HDC windowDc = GetDC(hwnd());
        HDC memory = CreateCompatibleDC(windowDc);
        HBITMAP bitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        const HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, windowDc, 0, 0, SRCCOPY);
        GdiFlush();

        const auto *pixels = static_cast<const std::uint32_t *>(bits);
        Snapshot shot = snapshotOf(width, height, 1.0, [&](int x, int y) { return pixels[(y * width) + x]; });
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(hwnd(), windowDc);
        return shot;
    }

protected:
    // To the window Windows finds at that point, as a click there goes.
    // (Sent as the window's messages rather than through SendInput: under
    // Wine, injected clicks race with its own pointer moves.)
    void clickAt(int x, int y) override
    {
        POINT at{x, y};
        ClientToScreen(hwnd(), &at);
        HWND target = WindowFromPoint(at);
        if (target == nullptr || (target != hwnd() && IsChild(hwnd(), target) == FALSE))
            throw std::runtime_error("nothing to click at the described place");
        ScreenToClient(target, &at);
        const LPARAM point = MAKELPARAM(at.x, at.y);
        PostMessageW(target, WM_MOUSEMOVE, 0, point);
        PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, point);
        PostMessageW(target, WM_LBUTTONUP, 0, point);
        settle(hwnd());
    }

private:
    [[nodiscard]] HWND hwnd() const { return form().window(); }
};

} // namespace

std::unique_ptr<WindowLearner> makeWin32Learner(std::function<Input()> chooseInput)
{
    return std::make_unique<Win32Learner>(std::move(chooseInput));
}
