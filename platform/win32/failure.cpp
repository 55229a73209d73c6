#include "failure.h"

#include "text.h"

#include <cstdlib>
#include <string>

namespace platform::win32 {

void reportFailureAndExit(const FailureWords &words, std::string_view what, HWND owner)
{
    const auto wide = [](std::string_view text) {
        try {
            return widen(text);
        } catch (...) {
            return std::wstring(L"?");
        }
    };
    const std::wstring message = wide(words.preamble) + L"\n" + wide(what);
    MessageBoxW(owner, message.c_str(), wide(words.caption).c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
    std::exit(EXIT_FAILURE); // NOLINT(concurrency-mt-unsafe): the program's one thread ends it
}

} // namespace platform::win32
