#include "failure.h"

#include "text.h"

#include <cstdlib>
#include <string>

namespace platform::win32 {

void reportFailureAndExit(std::string_view what, HWND owner)
{
    std::wstring detail;
    try {
        detail = widen(what);
    } catch (...) {
        detail = L"?";
    }
    const std::wstring message = L"Програмата спира поради грешка:\n" + detail;
    MessageBoxW(owner, message.c_str(), L"Зорелмина", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    std::exit(EXIT_FAILURE);
}

} // namespace platform::win32
