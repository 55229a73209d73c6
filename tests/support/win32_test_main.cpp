#include <windows.h>

#include <commctrl.h>

#include "selected_tests.h"

#include <gtest/gtest.h>

#include <array>
#include <cwctype>

namespace {

// Windows's option button reports a click when it takes the focus while it
// is not selected (so does Wine's from version 10; Wine 8's does not). With
// ZORELMINA_FOCUS_CLICKS set, every option button made here does so, and
// the suites meet that behaviour under any Wine.
WNDPROC buttonProcedure = nullptr; // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

LRESULT CALLBACK clickingOnFocus(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CallWindowProcW(buttonProcedure, button, message, wParam, lParam);
    const LONG_PTR type = GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK;
    if (message == WM_SETFOCUS && (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON)
        && SendMessageW(button, BM_GETCHECK, 0, 0) == BST_UNCHECKED) {
        SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
    }
    return result;
}

LRESULT CALLBACK onCreate(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        auto *window = reinterpret_cast<HWND>(wParam);
        std::array<wchar_t, 16> kind{};
        GetClassNameW(window, kind.data(), static_cast<int>(kind.size()));
        if (_wcsicmp(kind.data(), L"Button") == 0) {
            const auto original = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(clickingOnFocus)));
            if (buttonProcedure == nullptr)
                buttonProcedure = original;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

// Windows tests start as the program does, with the common controls.
int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (GetEnvironmentVariableW(L"ZORELMINA_FOCUS_CLICKS", nullptr, 0) != 0)
        SetWindowsHookExW(WH_CBT, onCreate, nullptr, GetCurrentThreadId());
    return runSelectedTests();
}
