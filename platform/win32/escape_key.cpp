#include "escape_key.h"

#include <commctrl.h>

namespace platform::win32 {

namespace {

LRESULT CALLBACK editProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*subclass*/,
                               DWORD_PTR /*data*/)
{
    switch (message) {
    case WM_GETDLGCODE:
        // Not wanted here, so the dialog keys pass it to the window.
        if (const auto *key = reinterpret_cast<const MSG *>(lParam);
            key != nullptr && (key->message == WM_KEYDOWN || key->message == WM_CHAR) && key->wParam == VK_ESCAPE)
            return DefSubclassProc(edit, message, wParam, lParam) & ~(DLGC_WANTMESSAGE | DLGC_WANTALLKEYS);
        break;
    case WM_KEYDOWN:
    case WM_CHAR:
        // The edit control posts WM_CLOSE to its parent on this key.
        if (wParam == VK_ESCAPE)
            return 0;
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(edit, editProcedure, 0);
        break;
    default:
        break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

} // namespace

void keepEscapeFromClosing(HWND edit)
{
    SetWindowSubclass(edit, editProcedure, 0, 0);
}

} // namespace platform::win32
