// The Windows window as Windows itself reports it: its size, style and font,
// captions that fit, the list that is never shown, what a screen reader is
// told, how a failure is reported, and the executable's own records.
#include "platform/win32/announcer.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/text.h"
#include "platform/win32/win32_form.h"
#include "verdicts.h"
#include "window/tarvel_mondix.h"

#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using platform::ControlId;
using platform::win32::handleWaitingMessages;
using platform::win32::narrow;

namespace {

// The quiz window on Windows, shown, with its form at hand.
class QuizOnWindows {
public:
    explicit QuizOnWindows(std::function<void(platform::WindowDescription &)> change = {})
        : window_([this, change](const platform::WindowDescription &description) {
              platform::WindowDescription d = description;
              if (change)
                  change(d);
              auto made = std::make_unique<platform::Win32Form>(d);
              form_ = made.get();
              return made;
          })
    {
        window_.show();
        handleWaitingMessages(form_->window());
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

private:
    platform::Win32Form *form_ = nullptr;
    Tarvel_Mondix window_;
};

std::wstring textOf(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// How a piece of text comes out drawn in a font: the pixels, in black on
// white.
std::vector<COLORREF> drawn(HFONT font, const std::wstring &text)
{
    constexpr int kWidth = 200;
    constexpr int kHeight = 40;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
    const HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    const HGDIOBJ oldFont = SelectObject(dc, font);
    RECT all{0, 0, kWidth, kHeight};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
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

// Windows has "Times New Roman"; where it is mapped to Liberation Serif, as
// in the tests' Wine, the window must really draw with that face.
TEST(Win32Form, DrawsWithTheFaceItAsksFor)
{
    const QuizOnWindows quiz;
    const std::wstring sample = L"Кристална нощ 1938";
    HFONT serif = fontLike(quiz.form().font(), L"Liberation Serif");
    HFONT sans = fontLike(quiz.form().font(), L"Liberation Sans");
    const auto ours = drawn(quiz.form().font(), sample);
    const bool asWindows = ours == drawn(fontLike(quiz.form().font(), L"Times New Roman"), sample);
    EXPECT_TRUE(asWindows);
    if (GetEnvironmentVariableW(L"WINEPREFIX", nullptr, 0) != 0) {
        EXPECT_EQ(ours, drawn(serif, sample)) << "Times New Roman is drawn as Liberation Serif";
        EXPECT_NE(ours, drawn(sans, sample)) << "not as the sans face Wine falls back on";
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

// With high contrast on, the desktop's colours win over the window's own.
TEST(Win32Form, HighContrastColoursWin)
{
    HIGHCONTRASTW before{};
    before.cbSize = sizeof before;
    SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof before, &before, 0);
    HIGHCONTRASTW on = before;
    on.dwFlags |= HCF_HIGHCONTRASTON;
    HIGHCONTRASTW now{};
    now.cbSize = sizeof now;
    if (SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof on, &on, 0) == FALSE
        || SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof now, &now, 0) == FALSE
        || (now.dwFlags & HCF_HIGHCONTRASTON) == 0)
        GTEST_SKIP() << "this Windows cannot turn high contrast on";
    {
        const QuizOnWindows quiz;
        RedrawWindow(quiz.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        HDC dc = GetDC(quiz.hwnd());
        const COLORREF window = GetPixel(dc, 2, 2);
        RECT box{};
        GetWindowRect(quiz.control({window::kDateBoxes, 0}), &box);
        MapWindowPoints(nullptr, quiz.hwnd(), reinterpret_cast<POINT *>(&box), 2);
        const COLORREF date = GetPixel(dc, box.right - 3, (box.top + box.bottom) / 2);
        ReleaseDC(quiz.hwnd(), dc);
        EXPECT_EQ(window, GetSysColor(COLOR_WINDOW)) << "not the lavender";
        EXPECT_NE(date, RGB(128, 255, 255)) << "not the cyan";
    }
    SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof before, &before, 0);
}

// Every verdict, and the clearing, is announced once, without the focus
// moving. Where Windows has UI Automation's notifications they carry it;
// elsewhere (as in Wine before version 10) an alert does, which this test
// hears. It has no UI Automation client to hear the other way.
namespace {

std::vector<std::string> *heardAlerts = nullptr; // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

void CALLBACK onAlert(HWINEVENTHOOK, DWORD event, HWND window, LONG, LONG, DWORD, DWORD)
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

// Wine's accessibility gives every button the role of a plain window, where
// Windows tells the kinds apart; there the roles are checked too.
bool underWine()
{
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

TEST(Accessibility, ControlsHaveTheirRolesAndNames)
{
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

// Reads the message box as it shows, on standard error, and closes it.
void CALLBACK closeMessageBox(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = FindWindowW(L"#32770", L"Зорелмина");
    if (box == nullptr)
        return;
    std::wstring text;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM found) {
            const std::wstring t = textOf(child);
            if (t.find(L"грешка") != std::wstring::npos)
                *reinterpret_cast<std::wstring *>(found) = t;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
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
            std::exit(0);
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
    HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"ZORELMINA", IMAGE_ICON, 32, 32, 0));
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
