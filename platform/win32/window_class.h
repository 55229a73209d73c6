#pragma once

#include "text.h"

#include <windows.h>

#include <stdexcept>

namespace platform::win32 {

// Registers a window class of this program's, with the arrow cursor, and
// gives back its name; made again, it is the one there already. A dialog's
// class has the room the dialog manager keeps its state in.
inline const wchar_t *registerWindowClass(const wchar_t *name, WNDPROC procedure, bool dialog = false)
{
    WNDCLASSEXW kind{};
    kind.cbSize = sizeof kind;
    kind.lpfnWndProc = procedure;
    kind.cbWndExtra = dialog ? DLGWINDOWEXTRA : 0;
    kind.hInstance = GetModuleHandleW(nullptr);
    kind.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    kind.lpszClassName = name;
    if (RegisterClassExW(&kind) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw std::runtime_error("cannot register the window class " + narrow(name));
    return name;
}

} // namespace platform::win32
