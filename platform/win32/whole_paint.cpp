#include "whole_paint.h"

#include "handles.h"

#include <stdexcept>
#include <string>

namespace platform::win32 {

namespace {

// A picture in memory, of a window's size and the screen's kind.
class Picture {
public:
    explicit Picture(SIZE size)
    {
        HDC screen = GetDC(nullptr);
        dc_.reset(CreateCompatibleDC(screen));
        bits_.reset(CreateCompatibleBitmap(screen, size.cx, size.cy));
        ReleaseDC(nullptr, screen);
        if (!dc_ || !bits_)
            throw std::runtime_error("cannot make a picture of " + std::to_string(size.cx) + " x "
                                     + std::to_string(size.cy) + " pixels in memory");
        old_ = SelectObject(dc_.get(), bits_.get());
    }
    ~Picture()
    {
        if (old_ != nullptr)
            SelectObject(dc_.get(), old_);
    }
    Picture(const Picture &) = delete;
    Picture &operator=(const Picture &) = delete;

    [[nodiscard]] HDC dc() const { return dc_.get(); }

private:
    MemoryDc dc_;
    Bitmap bits_;
    HGDIOBJ old_ = nullptr;
};

SIZE sizeOf(const RECT &r)
{
    return {r.right - r.left, r.bottom - r.top};
}

// Whether a child shows once its parent does (IsWindowVisible asks of the
// parent too, which is still hidden when the window is first put together).
bool shownWithParent(HWND child)
{
    return (GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE) != 0;
}

// Each child shown with its parent, from the bottom of the order of windows
// up, painted in a picture of its own (controls take their own top left for
// the picture's) and put at its place in the whole; then what it holds.
void printChildren(HWND parent, HWND top, HDC whole)
{
    HWND first = GetWindow(parent, GW_CHILD);
    for (HWND child = first != nullptr ? GetWindow(first, GW_HWNDLAST) : nullptr; child != nullptr;
         child = GetWindow(child, GW_HWNDPREV)) {
        if (!shownWithParent(child))
            continue;
        RECT place{};
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, top, reinterpret_cast<POINT *>(&place), 2);
        const SIZE size = sizeOf(place);
        const Picture picture(size);
        // What the child does not paint shows what is under it.
        BitBlt(picture.dc(), 0, 0, size.cx, size.cy, whole, place.left, place.top, SRCCOPY);
        SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(picture.dc()),
                     PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
        BitBlt(whole, place.left, place.top, size.cx, size.cy, picture.dc(), 0, 0, SRCCOPY);
        printChildren(child, top, whole);
    }
}

// Whether a window has a frame of its own (an edge, a scroll bar), which a
// picture does not hold.
bool hasFrame(HWND window)
{
    RECT outer{};
    RECT inner{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &inner);
    return sizeOf(outer).cx != inner.right || sizeOf(outer).cy != inner.bottom;
}

// Controls with a frame of their own paint as they always do, there and
// then.
void paintFramed(HWND window)
{
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!shownWithParent(child))
            continue;
        if (hasFrame(child))
            RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
        paintFramed(child);
    }
}

// The whole window painted off the screen: its client area, then every
// control shown in it.
void composeWhole(HWND window, const Picture &whole)
{
    SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(whole.dc()), PRF_CLIENT | PRF_ERASEBKGND);
    printChildren(window, window, whole.dc());
}

// The picture put on the screen at once, and nothing left to paint but
// what has a frame of its own. The text cursor is kept out of the picture's
// way, so that it is neither painted over nor drawn twice.
void putOnScreen(HWND window, const Picture &whole, SIZE size)
{
    const bool caretHidden = HideCaret(nullptr) != FALSE;
    HDC screen = GetDCEx(window, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    BitBlt(screen, 0, 0, size.cx, size.cy, whole.dc(), 0, 0, SRCCOPY);
    ReleaseDC(window, screen);
    RedrawWindow(window, nullptr, nullptr, RDW_VALIDATE | RDW_NOFRAME | RDW_ALLCHILDREN);
    paintFramed(window);
    if (caretHidden)
        ShowCaret(nullptr);
}

// Whether all of the window waits to be painted: its client area, and
// every control shown in it.
bool allWaits(HWND window)
{
    RECT client{};
    RECT waiting{};
    GetClientRect(window, &client);
    if (GetUpdateRect(window, &waiting, FALSE) == FALSE || EqualRect(&waiting, &client) == FALSE)
        return false;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if (shownWithParent(child) && GetUpdateRect(child, &waiting, FALSE) == FALSE)
            return false;
    return true;
}

// The whole window put together off the screen and put on it at once;
// shown first, where it is to be, without the paints that showing brings
// (the picture stands in for them).
void wholeAtOnce(HWND window, bool show)
{
    RECT client{};
    GetClientRect(window, &client);
    const SIZE size = sizeOf(client);
    const Picture whole(size);
    composeWhole(window, whole);
    if (show)
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW);
    putOnScreen(window, whole, size);
}

} // namespace

void showWhole(HWND window)
{
    wholeAtOnce(window, true);
}

void paintWaiting(HWND window)
{
    if (allWaits(window))
        wholeAtOnce(window, false);
    else
        RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

} // namespace platform::win32
