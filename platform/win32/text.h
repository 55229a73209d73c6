#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace platform::win32 {

// The program keeps its text in UTF-8; Windows speaks UTF-16. Both ways
// are exact for any valid text, CR LF and blanks included.
std::wstring widen(std::string_view text);
std::string narrow(std::wstring_view text);

// A window's text, whole.
std::wstring windowText(HWND window);

} // namespace platform::win32
