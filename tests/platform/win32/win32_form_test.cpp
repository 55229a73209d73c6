// The Windows window as Windows itself reports it: its size, style and font,
// captions that fit, the list that is never shown, what a screen reader is
// told, how a failure is reported, and the executable's own records.
#include "platform/win32/announcer.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/dpi.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/text.h"
#include "platform/win32/win32_form.h"
#include "verdicts.h"
#include "window/tarvel_mondix.h"

#include <windows.h>

// The interface's identity is defined here, as MinGW's libraries lack it.
#include <initguid.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using platform::ControlId;
using platform::win32::handleWaitingMessages;
using platform::win32::narrow;

namespace {

// The quiz window on Windows, shown, with its form at hand.
class QuizOnWindows {
public:
    explicit QuizOnWindows(const std::function<void(platform::WindowDescription &)> &change = {},
                           std::function<bool()> highContrast = platform::win32::highContrast)
        : QuizOnWindows(std::make_unique<platform::Win32Form>(changed(change), std::move(highContrast)))
    {
    }

    [[nodiscard]] platform::Win32Form &form() const { return *form_; }
    [[nodiscard]] HWND hwnd() const { return form_->window(); }
    [[nodiscard]] HWND control(ControlId id) const { return form_->control(id); }

    // As a click or a screen reader's default action would.
    void click(ControlId id) const
    {
        SendMessageW(control(id), BM_CLICK, 0, 0);
        handleWaitingMessages(hwnd());
    }

    // The client area as it is on the screen now, as RGB values.
    [[nodiscard]] std::vector<COLORREF> pixels() const
    {
        RECT client{};
        GetClientRect(hwnd(), &client);
        HDC dc = GetDC(hwnd());
        std::vector<COLORREF> all;
        for (int y = 0; y < client.bottom; ++y)
            for (int x = 0; x < client.right; ++x)
                all.push_back(GetPixel(dc, x, y));
        ReleaseDC(hwnd(), dc);
        return all;
    }

private:
    explicit QuizOnWindows(std::unique_ptr<platform::Win32Form> form) : form_(form.get()), window_(std::move(form))
    {
        window_.show();
        handleWaitingMessages(form_->window());
    }

    static platform::WindowDescription changed(const std::function<void(platform::WindowDescription &)> &change)
    {
        platform::WindowDescription d = window::describeTarvelMondix();
        if (change)
            change(d);
        return d;
    }

    platform::Win32Form *form_;
    Tarvel_Mondix window_;
};

std::wstring textOf(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// How a piece of text comes out drawn in a font: the pixels, in black on a
// background, white unless said otherwise.
std::vector<COLORREF> drawn(HFONT font, const std::wstring &text, COLORREF background = RGB(255, 255, 255))
{
    constexpr int kWidth = 300;
    constexpr int kHeight = 40;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
    const HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    const HGDIOBJ oldFont = SelectObject(dc, font);
    RECT all{0, 0, kWidth, kHeight};
    HBRUSH fill = CreateSolidBrush(background);
    FillRect(dc, &all, fill);
    DeleteObject(fill);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, 2, 2, text.c_str(), static_cast<int>(text.size()));
    std::vector<COLORREF> pixels;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Wine's accessibility gives every button the role of a plain window, where
// Windows tells the kinds apart; there the roles are checked too.
bool underWine()
{
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

HFONT fontLike(HFONT model, const wchar_t *face)
{
    LOGFONTW description{};
    GetObjectW(model, sizeof description, &description);
    wcsncpy(description.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectW(&description);
}

} // namespace

TEST(Win32Form, WindowHasItsSizeStyleTitleAndFont)
{
    const QuizOnWindows quiz;
    const double ppt = quiz.form().pixelsPerTwip();
    RECT client{};
    GetClientRect(quiz.hwnd(), &client);
    EXPECT_EQ(client.right, std::lround(7260 * ppt));
    EXPECT_EQ(client.bottom, std::lround(6090 * ppt));
    const LONG_PTR style = GetWindowLongPtrW(quiz.hwnd(), GWL_STYLE);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0) << "fixed size, no minimise or maximise";
    EXPECT_NE(style & WS_SYSMENU, 0) << "but it can be closed";
    EXPECT_TRUE(narrow(textOf(quiz.hwnd())).ends_with("  Талвердия"));
    EXPECT_NE(SendMessageW(quiz.hwnd(), WM_GETICON, ICON_BIG, 0), 0);

    LOGFONTW font{};
    ASSERT_NE(GetObjectW(quiz.form().font(), sizeof font, &font), 0);
    EXPECT_EQ(std::wstring(font.lfFaceName), L"Times New Roman");
    EXPECT_EQ(font.lfWeight, 400);
    EXPECT_EQ(font.lfCharSet, 204);
    EXPECT_FALSE(font.lfItalic);
    EXPECT_FALSE(font.lfUnderline);
    EXPECT_FALSE(font.lfStrikeOut);
    const UINT dpi = quiz.form().dpi();
    if (ppt == dpi / 1440.0) {
        EXPECT_EQ(font.lfHeight, -MulDiv(12, static_cast<int>(dpi), 72)) << "12 points";
    }
}

// Where Times New Roman is missing (a prefix or a Windows that lacks it),
// the face that stands in is a serif one, as the window asks for. Where it
// is mapped to Liberation Serif, as in the tests' usual Wine, the window
// draws with that face.
TEST(Win32Form, DrawsInASerifFaceWhateverStandsIn)
{
    const QuizOnWindows quiz;
    HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, quiz.form().font());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    std::wstring face(LF_FACESIZE, L'\0');
    face.resize(static_cast<std::size_t>(std::max(0, GetTextFaceW(dc, LF_FACESIZE, face.data()) - 1)));
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(metrics.tmPitchAndFamily & 0xF0, FF_ROMAN) << "drawn in " << narrow(face);

    const std::wstring sample = L"Кристална нощ 1938";
    HFONT serif = fontLike(quiz.form().font(), L"Liberation Serif");
    HFONT sans = fontLike(quiz.form().font(), L"Liberation Sans");
    const auto ours = drawn(quiz.form().font(), sample);
    EXPECT_NE(ours, drawn(sans, sample)) << "not in the sans face Wine gives a request without a family";
    const bool mapped = GetEnvironmentVariableW(L"ZORELMINA_WINE_FONTS", nullptr, 0) == 0;
    if (underWine() && mapped) {
        EXPECT_EQ(ours, drawn(serif, sample)) << "Times New Roman is drawn as Liberation Serif";
    }
    DeleteObject(serif);
    DeleteObject(sans);
}

TEST(Win32Form, CaptionsFitTheirControls)
{
    const QuizOnWindows quiz;
    HDC dc = GetDC(quiz.hwnd());
    const HGDIOBJ old = SelectObject(dc, quiz.form().font());
    const auto extent = [&](HWND w) {
        const std::wstring text = textOf(w);
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return size;
    };
    // Room for the box or circle beside a caption.
    const int indicator = MulDiv(13 + 4, static_cast<int>(quiz.form().dpi()), 96);
    for (int i = 0; i < quiz::kPairCount; ++i) {
        for (const std::string_view name : {window::kEventButtons, window::kDateBoxes}) {
            HWND button = quiz.control({name, i});
            RECT r{};
            GetClientRect(button, &r);
            EXPECT_LE(extent(button).cx + indicator, r.right) << narrow(textOf(button));
            EXPECT_LE(extent(button).cy, r.bottom) << narrow(textOf(button));
        }
    }
    HWND clear = quiz.control({window::kClearButton});
    RECT r{};
    GetClientRect(clear, &r);
    EXPECT_LT(extent(clear).cx + 8, r.right);
    SelectObject(dc, old);
    ReleaseDC(quiz.hwnd(), dc);
}

TEST(Win32Form, ExplanationListIsNeverShownYetServesItsItems)
{
    const QuizOnWindows quiz;
    HWND list = quiz.control({window::kExplanationList});
    EXPECT_FALSE(IsWindowVisible(list));
    quiz.click({window::kEventButtons, 5});
    quiz.click({window::kDateBoxes, 5});
    EXPECT_EQ(quiz.form().text({window::kResultBox, 0}), rightVerdict(5));
    quiz.click({window::kClearButton});
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), quiz::kPairCount);
}

TEST(Win32Form, ClickingTheSelectedEventAgainIsNoClick)
{
    const QuizOnWindows quiz;
    quiz.click({window::kDateBoxes, 4});
    quiz.click({window::kEventButtons, 4});
    ASSERT_EQ(quiz.form().text({window::kResultBox, 0}), rightVerdict(4));
    quiz.form().setText({window::kResultBox, 0}, "unchanged");
    // Windows reports a click on the selected button too; the form does not.
    quiz.click({window::kEventButtons, 4});
    EXPECT_EQ(quiz.form().text({window::kResultBox, 0}), "unchanged");
}

// Each frame's caption shows whole on the frame: as many dark pixels in the
// caption's rows as the caption drawn by itself in the window's font has
// (a caption cut short at the frame's line has fewer).
TEST(Win32Form, FrameCaptionsAreDrawnWhole)
{
    const QuizOnWindows quiz;
    const auto darkPixels = [](const std::vector<COLORREF> &pixels) {
        return std::ranges::count_if(pixels, [](COLORREF c) {
            return std::max({GetRValue(c), GetGValue(c), GetBValue(c)}) < 96;
        });
    };
    for (const std::string_view frame : {window::kEventFrame, window::kDateFrame}) {
        const std::wstring caption = platform::win32::widen(frame == window::kEventFrame
                                                                ? quiz::texts().eventFrameCaption
                                                                : quiz::texts().dateFrameCaption);
        HWND panel = quiz.control({frame});
        RECT band{};
        GetClientRect(panel, &band);
        TEXTMETRICW metrics{};
        HDC dc = GetDC(panel);
        const HGDIOBJ old = SelectObject(dc, quiz.form().font());
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        std::vector<COLORREF> shown;
        for (int y = 0; y < metrics.tmHeight; ++y)
            for (int x = 0; x < band.right; ++x)
                shown.push_back(GetPixel(dc, x, y));
        ReleaseDC(panel, dc);
        EXPECT_GE(darkPixels(shown), darkPixels(drawn(quiz.form().font(), caption, RGB(192, 192, 255))) * 97 / 100)
            << "the caption of " << frame << " is cut short";
    }
}

// The result box is a box of many lines: the task text shows line by line.
TEST(Win32Form, ResultBoxShowsTheTaskTextOnItsLines)
{
    const QuizOnWindows quiz;
    HWND box = quiz.control({window::kResultBox, 0});
    EXPECT_GE(SendMessageW(box, EM_GETLINECOUNT, 0, 0), 11) << "the task's eleven lines";
    const auto firstLine = [&](int line) {
        std::wstring text(200, L'\0');
        *reinterpret_cast<WORD *>(text.data()) = static_cast<WORD>(text.size());
        text.resize(static_cast<std::size_t>(SendMessageW(box, EM_GETLINE, static_cast<WPARAM>(line),
                                                          reinterpret_cast<LPARAM>(text.data()))));
        return narrow(text);
    };
    EXPECT_TRUE(firstLine(0).starts_with("Да се реализира проект")) << firstLine(0);
    EXPECT_EQ(firstLine(static_cast<int>(SendMessageW(box, EM_GETLINECOUNT, 0, 0)) - 2), "грешен избор.");
}

// Where the window fits the work area, a twip is its natural size at the
// monitor's resolution: 1/15 of a pixel at 96 dpi, 1/10 at 144.
TEST(Win32Form, LaysOutAtTheMonitorsResolution)
{
    const QuizOnWindows quiz;
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    RECT outer{0, 0, MulDiv(7260, dpi, 1440), MulDiv(6090, dpi, 1440)};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(quiz.hwnd(), GWL_STYLE)), FALSE, 0);
    if (outer.right - outer.left > area.right - area.left || outer.bottom - outer.top > area.bottom - area.top)
        GTEST_SKIP() << "the window does not fit this screen at " << dpi << " dpi";
    EXPECT_EQ(quiz.form().dpi(), static_cast<UINT>(dpi));
    EXPECT_DOUBLE_EQ(quiz.form().pixelsPerTwip(), dpi / 1440.0);
    RECT client{};
    GetClientRect(quiz.hwnd(), &client);
    EXPECT_EQ(client.right, std::lround(7260.0 * dpi / 1440));
    RECT clear{};
    GetWindowRect(quiz.control({window::kClearButton}), &clear);
    EXPECT_EQ(clear.right - clear.left, std::lround(1335.0 * dpi / 1440)) << "the clear button at " << dpi << " dpi";
}

// The focus frame on the clear button is two pixels at 96 dpi and grows
// with the resolution: three at 144.
TEST(Win32Form, FocusFrameGrowsWithTheResolution)
{
    const QuizOnWindows quiz;
    HWND clear = quiz.control({window::kClearButton});
    SetFocus(clear);
    handleWaitingMessages(quiz.hwnd());
    RedrawWindow(clear, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT face{};
    GetClientRect(clear, &face);
    HDC dc = GetDC(clear);
    int frame = 0;
    for (int x = 0; x < face.right / 2; ++x)
        frame += GetPixel(dc, x, face.bottom / 2) == RGB(0, 0, 96) ? 1 : 0;
    ReleaseDC(clear, dc);
    EXPECT_EQ(frame, MulDiv(2, static_cast<int>(quiz.form().dpi()), 96));
}

// Two presses of the clear button, however quick, are two clears.
TEST(Win32Form, ADoubleClickOnClearIsTwoPresses)
{
    platform::Win32Form form(window::describeTarvelMondix());
    int presses = 0;
    form.setClickHandler([&](ControlId c) { presses += c.name == window::kClearButton ? 1 : 0; });
    form.show();
    handleWaitingMessages(form.window());
    HWND clear = form.control({window::kClearButton});
    const LPARAM middle = MAKELPARAM(20, 10);
    for (const UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        PostMessageW(clear, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, middle);
    handleWaitingMessages(form.window());
    EXPECT_EQ(presses, 2);
}

// The window appears as it paints itself: the picture it comes up with is
// the one its controls paint.
TEST(Win32Form, AppearsAsItPaints)
{
    const QuizOnWindows quiz;
    HWND box = quiz.control({window::kResultBox, 0});
    HideCaret(box);
    const std::vector<COLORREF> first = quiz.pixels();
    RedrawWindow(quiz.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const std::vector<COLORREF> painted = quiz.pixels();
    ShowCaret(box);
    ASSERT_EQ(first.size(), painted.size());
    const auto differ = std::ranges::mismatch(first, painted);
    RECT client{};
    GetClientRect(quiz.hwnd(), &client);
    const auto at = differ.in1 - first.begin();
    EXPECT_TRUE(differ.in1 == first.end()) << "the first picture differs at (" << at % client.right << ", "
                                           << at / client.right << ")" << std::hex << " " << *differ.in1 << " "
                                           << *differ.in2;
}

// A window redrawn whole (as Wine redraws it when the X server first shows
// it, or Windows when it is uncovered without composition) is painted in
// one pass, as it looked: none of its controls' paints is left to the
// queue, where each would reach the screen on its own. So is a part of it.
namespace {
thread_local int queuedPaints = 0; // NOLINT(cppcoreguidelines-avoid-non-const-global-variables): the hook's count
LRESULT CALLBACK countQueuedPaints(int code, WPARAM removed, LPARAM message)
{
    if (code == HC_ACTION && removed == PM_REMOVE && reinterpret_cast<const MSG *>(message)->message == WM_PAINT)
        ++queuedPaints;
    return CallNextHookEx(nullptr, code, removed, message);
}
} // namespace

TEST(Win32Form, RedrawnInOnePassAsItLooked)
{
    const QuizOnWindows quiz;
    HWND box = quiz.control({window::kResultBox, 0});
    HideCaret(box);
    const std::vector<COLORREF> before = quiz.pixels();
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, countQueuedPaints, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    queuedPaints = 0;
    RECT part{0, 0, 40, 40};
    for (const RECT *redrawn : std::vector<const RECT *>{nullptr, &part}) {
        RedrawWindow(quiz.hwnd(), redrawn, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        handleWaitingMessages(quiz.hwnd());
        EXPECT_EQ(queuedPaints, 0) << (redrawn == nullptr ? "whole" : "part");
        RECT waiting{};
        EXPECT_FALSE(GetUpdateRect(quiz.control({window::kEventButtons, 4}), &waiting, FALSE)) << "all of it painted";
        EXPECT_TRUE(quiz.pixels() == before) << (redrawn == nullptr ? "whole" : "part");
    }
    UnhookWindowsHookEx(hook);
    ShowCaret(box);
}

// Only the close button, Alt+F4 or the system menu close the quiz; Esc is
// in the shared keyboard suite.
TEST(Win32Form, AltF4Closes)
{
    const QuizOnWindows quiz;
    HWND window = quiz.hwnd();
    SetForegroundWindow(window);
    std::vector<INPUT> keys(4);
    for (INPUT &k : keys)
        k.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = VK_MENU;
    keys[1].ki.wVk = VK_F4;
    keys[2].ki.wVk = VK_F4;
    keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
    keys[3].ki.wVk = VK_MENU;
    keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    ASSERT_EQ(SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)), keys.size());
    for (int i = 0; i < 50 && IsWindow(window) != FALSE; ++i) {
        handleWaitingMessages(window);
        Sleep(10);
    }
    EXPECT_FALSE(IsWindow(window));
}

TEST(Win32Form, StaysOnItsMonitorsWorkArea)
{
    const QuizOnWindows quiz;
    RECT outer{};
    GetWindowRect(quiz.hwnd(), &outer);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(quiz.hwnd(), MONITOR_DEFAULTTONEAREST), &monitor);
    EXPECT_GE(outer.left, monitor.rcWork.left);
    EXPECT_GE(outer.top, monitor.rcWork.top);
    EXPECT_LE(outer.right, monitor.rcWork.right);
    EXPECT_LE(outer.bottom, monitor.rcWork.bottom);
}

// What the windows of this thread are sent, heard before they are, while a
// watch lives.
namespace {

// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables): the hook's listener
thread_local std::function<void(const CWPSTRUCT &)> *hearSent = nullptr;

LRESULT CALLBACK passSent(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && hearSent != nullptr)
        (*hearSent)(*reinterpret_cast<const CWPSTRUCT *>(lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class SentWatch {
public:
    explicit SentWatch(std::function<void(const CWPSTRUCT &)> heard)
        : heard_(std::move(heard)), hook_(SetWindowsHookExW(WH_CALLWNDPROC, passSent, nullptr, GetCurrentThreadId()))
    {
        hearSent = &heard_;
    }
    ~SentWatch()
    {
        UnhookWindowsHookEx(hook_);
        hearSent = nullptr;
    }
    SentWatch(const SentWatch &) = delete;
    SentWatch &operator=(const SentWatch &) = delete;

private:
    std::function<void(const CWPSTRUCT &)> heard_;
    HHOOK hook_;
};

bool isFormWindow(HWND window)
{
    std::array<wchar_t, 32> kind{};
    GetClassNameW(window, kind.data(), static_cast<int>(kind.size()));
    return std::wstring_view(kind.data()) == L"ZorelminaForm";
}

} // namespace

// The form goes with its window open or after the learner closed it: each
// window goes before the font it is drawn in, and none is destroyed twice
// (a stale handle may by then name another window; here destroying it fails
// and says so in the last error).
TEST(Win32Form, WindowGoesOnceAndBeforeWhatItUses)
{
    for (const bool closedFirst : {false, true}) {
        auto form = std::make_unique<platform::Win32Form>(window::describeTarvelMondix());
        form->show();
        form->announce("Правилно!");
        handleWaitingMessages(form->window());
        HFONT font = form->font();
        int fontlessDestroys = 0;
        const SentWatch watch([&](const CWPSTRUCT &sent) {
            if (sent.message == WM_DESTROY && GetObjectType(font) != OBJ_FONT)
                ++fontlessDestroys;
        });
        if (closedFirst)
            SendMessageW(form->window(), WM_CLOSE, 0, 0);
        SetLastError(ERROR_SUCCESS);
        form.reset();
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS)) << "closed first: " << closedFirst;
        EXPECT_EQ(fontlessDestroys, 0) << "closed first: " << closedFirst;
    }
}

// A form that fails to be made, before or after its controls, destroys its
// window unbound from it: no message reaches the half-made form.
TEST(Win32Form, FormThatCannotBeMadeLeavesNoWindowBound)
{
    const std::vector<std::pair<std::function<void(platform::WindowDescription &)>, std::string>> failures{
        {[](platform::WindowDescription &d) { d.icon = "NO_SUCH_ICON"; }, "cannot load the icon NO_SUCH_ICON"},
        {[](platform::WindowDescription &d) {
             const platform::ControlDescription option = *std::ranges::find_if(
                 d.controls, [](const auto &c) { return c.kind == platform::ControlKind::OptionButton; });
             d.controls.push_back(option);
         },
         "control described twice"},
    };
    for (const auto &[change, failure] : failures) {
        platform::WindowDescription d = window::describeTarvelMondix();
        change(d);
        int boundAtTheEnd = 0;
        const SentWatch watch([&](const CWPSTRUCT &sent) {
            if ((sent.message == WM_DESTROY || sent.message == WM_NCDESTROY) && isFormWindow(sent.hwnd)
                && GetWindowLongPtrW(sent.hwnd, GWLP_USERDATA) != 0)
                ++boundAtTheEnd;
        });
        try {
            const platform::Win32Form form(d);
            ADD_FAILURE() << "made despite " << failure;
        } catch (const std::exception &e) {
            EXPECT_NE(std::string(e.what()).find(failure), std::string::npos) << e.what();
        }
        handleWaitingMessages(nullptr);
        EXPECT_EQ(boundAtTheEnd, 0) << failure;
        EXPECT_EQ(FindWindowW(L"ZorelminaForm", nullptr), nullptr) << failure;
    }
}

// On a monitor of another DPI the window is laid out for it and goes where
// Windows suggests in one move: grown where it was first, it could reach yet
// another monitor. Wine has one monitor, so the window is told it moved.
TEST(Win32Form, GoesStraightToTheSuggestedPlaceOnANewDpi)
{
    const QuizOnWindows quiz;
    const RECT area = platform::win32::workArea(quiz.hwnd());
    RECT outer{};
    GetWindowRect(quiz.hwnd(), &outer);
    SetWindowPos(quiz.hwnd(), nullptr, area.right - (outer.right - outer.left), area.bottom - (outer.bottom - outer.top),
                 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const UINT dpi = quiz.form().dpi() * 3 / 2;
    const RECT suggested{area.left, area.top, area.left + (outer.right - outer.left) * 3 / 2,
                         area.top + (outer.bottom - outer.top) * 3 / 2};
    std::vector<RECT> places;
    {
        const SentWatch watch([&](const CWPSTRUCT &sent) {
            if (sent.message == WM_WINDOWPOSCHANGED && sent.hwnd == quiz.hwnd())
                GetWindowRect(sent.hwnd, &places.emplace_back());
        });
        SendMessageW(quiz.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    }
    EXPECT_EQ(quiz.form().dpi(), dpi);
    ASSERT_FALSE(places.empty());
    for (const RECT &r : places)
        EXPECT_TRUE(r.left >= area.left && r.top >= area.top && r.right <= area.right && r.bottom <= area.bottom)
            << "passed through " << r.left << "," << r.top << " " << r.right << "," << r.bottom;
    EXPECT_EQ(places.back().left, suggested.left);
    EXPECT_EQ(places.back().top, suggested.top);
}

// With high contrast on, the desktop's colours win over the window's own.
// Wine will not turn high contrast on, so the window is told it is.
TEST(Win32Form, HighContrastColoursWin)
{
    const QuizOnWindows quiz({}, [] { return true; });
    RedrawWindow(quiz.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    HDC dc = GetDC(quiz.hwnd());
    const COLORREF window = GetPixel(dc, 2, 2);
    const auto inside = [&](ControlId id) {
        RECT box{};
        GetWindowRect(quiz.control(id), &box);
        MapWindowPoints(nullptr, quiz.hwnd(), reinterpret_cast<POINT *>(&box), 2);
        return GetPixel(dc, box.right - 3, (box.top + box.bottom) / 2);
    };
    const COLORREF date = inside({window::kDateBoxes, 0});
    const COLORREF event = inside({window::kEventButtons, 0});
    const COLORREF clear = inside({window::kClearButton});
    ReleaseDC(quiz.hwnd(), dc);
    EXPECT_EQ(window, GetSysColor(COLOR_WINDOW)) << "not the lavender";
    EXPECT_NE(date, RGB(128, 255, 255)) << "not the cyan";
    EXPECT_NE(event, RGB(255, 128, 255)) << "not the pink";
    EXPECT_NE(clear, RGB(255, 0, 0)) << "not the red";
}

// Every verdict, and the clearing, is announced once, without the focus
// moving. Where Windows has UI Automation's notifications they carry it;
// elsewhere (as in Wine before version 10) an alert does, which this test
// hears. It has no UI Automation client to hear the other way.
namespace {

std::vector<std::string> *heardAlerts = nullptr; // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

void CALLBACK onAlert(HWINEVENTHOOK /*hook*/, DWORD event, HWND window, LONG /*object*/, LONG /*child*/,
                      DWORD /*thread*/, DWORD /*time*/)
{
    if (event == EVENT_SYSTEM_ALERT && heardAlerts != nullptr)
        heardAlerts->push_back(narrow(textOf(window)));
}

} // namespace

TEST(Announcements, EveryVerdictAndClearingIsAnnouncedOnce)
{
    const QuizOnWindows quiz;
    if (platform::win32::Announcer::usesUiAutomation())
        GTEST_SKIP() << "announcements go through UI Automation here";
    std::vector<std::string> heard;
    heardAlerts = &heard;
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, nullptr, onAlert,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);

    quiz.click({window::kEventButtons, 5});
    quiz.click({window::kDateBoxes, 5});
    quiz.click({window::kDateBoxes, 2});
    quiz.click({window::kDateBoxes, 3});
    quiz.click({window::kClearButton});
    for (int i = 0; i < 5; ++i) {
        handleWaitingMessages(quiz.hwnd());
        Sleep(10);
    }
    UnhookWinEvent(hook);
    heardAlerts = nullptr;

    EXPECT_EQ(heard, (std::vector<std::string>{"Правилно! Кристална нощ - 9 - 10 XI.1938", "Грешка!", "Грешка!",
                                               "Изборът е изчистен."}));
    EXPECT_EQ(GetFocus(), quiz.control({window::kClearButton})) << "the focus stays on what was clicked last";
}

// What a screen reader reads through Windows's accessibility interface.
namespace {

struct Accessible {
    std::wstring name;
    long role = 0;
    long state = 0;
};

Accessible accessibleOf(HWND window)
{
    IAccessible *object = nullptr;
    Accessible result;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void **>(&object))))
        return result;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (SUCCEEDED(object->get_accName(self, &name)) && name != nullptr) {
        result.name = name;
        SysFreeString(name);
    }
    VARIANT value{};
    if (SUCCEEDED(object->get_accRole(self, &value)) && value.vt == VT_I4)
        result.role = value.lVal;
    if (SUCCEEDED(object->get_accState(self, &value)) && value.vt == VT_I4)
        result.state = value.lVal;
    object->Release();
    return result;
}

} // namespace


TEST(Accessibility, ControlsHaveTheirRolesAndNames)
{
    const platform::win32::ComApartment com;
    const QuizOnWindows quiz;
    const bool roles = !underWine();
    for (int i = 0; i < quiz::kPairCount; ++i) {
        const auto pair = quiz::pair(static_cast<quiz::PairIndex>(i));
        const Accessible event = accessibleOf(quiz.control({window::kEventButtons, i}));
        EXPECT_EQ(narrow(event.name), pair.event);
        const Accessible date = accessibleOf(quiz.control({window::kDateBoxes, i}));
        // A caption that ends in a blank may be read without it.
        EXPECT_EQ(narrow(date.name).substr(0, pair.date.find_last_not_of(' ') + 1),
                  pair.date.substr(0, pair.date.find_last_not_of(' ') + 1));
        if (roles) {
            EXPECT_EQ(event.role, ROLE_SYSTEM_RADIOBUTTON) << i;
            EXPECT_EQ(date.role, ROLE_SYSTEM_CHECKBUTTON) << i;
        }
    }
    const Accessible clear = accessibleOf(quiz.control({window::kClearButton}));
    if (roles) {
        EXPECT_EQ(clear.role, ROLE_SYSTEM_PUSHBUTTON);
    }
    EXPECT_EQ(narrow(clear.name), "Изчисти");
    const Accessible result = accessibleOf(quiz.control({window::kResultBox, 0}));
    if (roles) {
        EXPECT_EQ(result.role, ROLE_SYSTEM_TEXT);
    }
    EXPECT_EQ(narrow(result.name), "Резултат");
    const Accessible list = accessibleOf(quiz.control({window::kExplanationList}));
    EXPECT_NE(list.state & STATE_SYSTEM_INVISIBLE, 0) << "readers pass over the hidden list";
}

// A failure ends the program with a message box in Bulgarian saying what
// failed, and a failure status.
namespace {

// The message box's text that says what failed, into found.
BOOL CALLBACK keepFailureText(HWND child, LPARAM found)
{
    const std::wstring t = textOf(child);
    if (t.find(L"грешка") != std::wstring::npos)
        *reinterpret_cast<std::wstring *>(found) = t;
    return TRUE;
}

// Reads the message box as it shows, on standard error, and closes it.
void CALLBACK closeMessageBox(HWND /*window*/, UINT /*message*/, UINT_PTR /*timer*/, DWORD /*time*/)
{
    HWND box = FindWindowW(L"#32770", L"Зорелмина");
    if (box == nullptr)
        return;
    std::wstring text;
    EnumChildWindows(box, keepFailureText, reinterpret_cast<LPARAM>(&text));
    std::ranges::replace(text, L'\n', L' ');
    std::fprintf(stderr, "message box: %s\n", narrow(text).c_str());
    std::fflush(stderr);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

} // namespace

TEST(Failure, AHandlerThatFailsEndsTheProgramWithAMessageBox)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            // The explanation list is lost, so a right answer fails.
            const QuizOnWindows quiz([](platform::WindowDescription &d) {
                std::erase_if(d.controls, [](const auto &c) { return c.name == window::kExplanationList; });
            });
            SetTimer(nullptr, 0, 50, closeMessageBox);
            quiz.click({window::kEventButtons, 1});
            quiz.click({window::kDateBoxes, 1});
            std::fprintf(stderr, "carried on\n");
            std::exit(0); // NOLINT(concurrency-mt-unsafe): the death test's one thread
        },
        ::testing::ExitedWithCode(1), "message box: Програмата спира поради грешка: no such control: List1");
}

// The executable's version record and icon, read as Windows reads them.
TEST(VersionRecord, SaysVersionOnePointNoughtNoughtAndNamesTheProduct)
{
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0U);
    std::vector<BYTE> record(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, record.data()));

    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(record.data(), L"\\", reinterpret_cast<void **>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000U) << "1.0";
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000U);
    const auto value = [&](const wchar_t *name) {
        wchar_t *text = nullptr;
        UINT chars = 0;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\040204B0\\") + name;
        if (!VerQueryValueW(record.data(), key.c_str(), reinterpret_cast<void **>(&text), &chars))
            return std::string{};
        return narrow(std::wstring(text, chars > 0 ? chars - 1 : 0));
    };
    EXPECT_EQ(value(L"FileVersion"), "1.00");
    EXPECT_EQ(value(L"ProductVersion"), "1.00");
    EXPECT_EQ(value(L"ProductName"), "Зорелмина");
    EXPECT_FALSE(value(L"CompanyName").empty());

    // The icon: a classic 32 x 32 picture that any Windows can read.
    auto *icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"ZORELMINA", IMAGE_ICON, 32, 32, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, 32);
    EXPECT_EQ(colour.bmHeight, 32);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);

    // The manifest asks for the DPI of each monitor.
    HRSRC manifest = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(manifest, nullptr);
    const auto *bytes = static_cast<const char *>(LockResource(LoadResource(nullptr, manifest)));
    const std::string text(bytes, SizeofResource(nullptr, manifest));
    EXPECT_NE(text.find("PerMonitorV2"), std::string::npos);
    EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
}
