#include "accessible_name.h"

#include <initguid.h>
#include <oleacc.h>

namespace platform::win32 {

void nameForAssistiveTechnology(HWND control, const wchar_t *name)
{
    // The label: invisible, just above the control in the order of windows.
    HWND label = CreateWindowExW(0, L"STATIC", name, WS_CHILD | SS_NOPREFIX, 0, 0, 0, 0, GetParent(control),
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    if (label != nullptr) {
        HWND before = GetWindow(control, GW_HWNDPREV);
        SetWindowPos(label, before == nullptr ? HWND_TOP : before, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

    IAccPropServices *services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void **>(&services))))
        return;
    services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME, name);
    services->Release();
}

} // namespace platform::win32
