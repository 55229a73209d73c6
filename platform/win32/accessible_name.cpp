#include "accessible_name.h"

namespace platform::win32 {

void nameForAssistiveTechnology(HWND control, const wchar_t *name)
{
    HWND label = CreateWindowExW(0, L"STATIC", name, WS_CHILD | SS_NOPREFIX, 0, 0, 0, 0, GetParent(control),
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    if (label == nullptr)
        return;
    HWND before = GetWindow(control, GW_HWNDPREV);
    SetWindowPos(label, before == nullptr ? HWND_TOP : before, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace platform::win32
