// The yardstick that fits the Windows program's design: a bare window of the
// quiz's size and title with the quiz's own native controls, made the
// plainest way, each where the window's description puts it (15 twips a
// pixel at 96 dpi) with the window's font: no colours, no subclassing, no
// painting of its own. What the program's design pays before it is
// complete, beside the window with one caption.
#include "bare_window_windows.h"
#include "window/tarvel_mondix.h"

#include <string>

namespace {

using platform::ControlKind;

HFONT font = nullptr; // NOLINT(cppcoreguidelines-avoid-non-const-global-variables): the one window's

std::wstring widen(const std::string &text)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                    static_cast<int>(wide.size())));
    return wide;
}

int pixels(platform::Twips t) { return t / platform::kTwipsPerPixel; }

void fill(HWND window)
{
    const platform::WindowDescription description = window::describeTarvelMondix();
    LOGFONTW face{};
    face.lfHeight = -MulDiv(description.font.pointSize, 96, 72);
    face.lfWeight = description.font.weight;
    face.lfCharSet = static_cast<BYTE>(description.font.charset);
    face.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
    lstrcpynW(face.lfFaceName, widen(description.font.family).c_str(), LF_FACESIZE);
    font = CreateFontIndirectW(&face);

    for (const platform::ControlDescription &c : description.controls) {
        if (!c.visible)
            continue;
        // Frames are siblings here, as group boxes are: what they hold is
        // placed from the frame's corner.
        int left = pixels(c.left);
        int top = pixels(c.top);
        for (const platform::ControlDescription &frame : description.controls)
            if (!c.container.empty() && frame.name == c.container) {
                left += pixels(frame.left);
                top += pixels(frame.top);
            }
        const wchar_t *cls = L"BUTTON";
        DWORD style = WS_CHILD | WS_VISIBLE;
        DWORD extended = 0;
        switch (c.kind) {
        case ControlKind::Frame: style |= BS_GROUPBOX; break;
        case ControlKind::OptionButton: style |= BS_AUTORADIOBUTTON | WS_TABSTOP; break;
        case ControlKind::CheckBox: style |= BS_AUTOCHECKBOX | WS_TABSTOP; break;
        case ControlKind::PushButton: style |= BS_PUSHBUTTON | WS_TABSTOP; break;
        case ControlKind::TextBox:
            cls = L"EDIT";
            style |= ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_TABSTOP;
            extended = WS_EX_CLIENTEDGE;
            break;
        case ControlKind::Label: cls = L"STATIC"; style |= SS_CENTER; break;
        case ControlKind::ListBox: cls = L"LISTBOX"; style |= WS_VSCROLL; break;
        }
        HWND control = CreateWindowExW(extended, cls, widen(c.caption).c_str(), style, left, top, pixels(c.width),
                                       pixels(c.height), window, nullptr, GetModuleHandleW(nullptr), nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int /*show*/)
{
    const int status = runBareWindow(instance, L"ControlsWindow", quitOnClose, fill);
    DeleteObject(font);
    return status;
}
