#include "platform/win32/failure.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/win32_form.h"
#include "window/tarvel_mondix.h"

#include <windows.h>

#include <commctrl.h>

#include <exception>

// The program takes no command line.
int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int /*show*/)
{
    try {
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);

        auto made = std::make_unique<platform::Win32Form>(window::describeTarvelMondix());
        made->quitWhenClosed();
        const HWND form = made->window();
        Tarvel_Mondix window(std::move(made));
        window.show();
        return platform::win32::runMessageLoop(form);
    } catch (const std::exception &e) {
        platform::win32::reportFailureAndExit(window::describeTarvelMondix().failure, e.what());
    }
}
