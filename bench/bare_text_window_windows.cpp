// The yardstick for the Windows program's start-up: a bare window of the
// quiz's size and title that shows one caption in the quiz's font, with the
// same manifest (visual styles, per-monitor DPI). What any window with text
// pays before it is complete, beside the bare window with nothing in it.
#include "bare_window_windows.h"

namespace {

HFONT font = nullptr; // NOLINT(cppcoreguidelines-avoid-non-const-global-variables): the one window's

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        RECT area{};
        GetClientRect(window, &area);
        const HGDIOBJ old = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, L"Зорелмина", -1, &area, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, old);
        EndPaint(window, &paint);
        return 0;
    }
    default:
        return quitOnClose(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int /*show*/)
{
    LOGFONTW face{};
    face.lfHeight = -MulDiv(12, 96, 72);
    face.lfWeight = FW_NORMAL;
    face.lfCharSet = RUSSIAN_CHARSET;
    face.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
    lstrcpyW(face.lfFaceName, L"Times New Roman");
    font = CreateFontIndirectW(&face);

    const int status = runBareWindow(instance, L"BareTextWindow", procedure);
    DeleteObject(font);
    return status;
}
