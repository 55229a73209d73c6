#include "platform/win32/com_apartment.h"
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
        const platform::win32::ComApartment com;

        platform::Win32Form *form = nullptr;
        Tarvel_Mondix window([&form](const platform::WindowDescription &description) {
            auto made = std::make_unique<platform::Win32Form>(description);
            made->quitWhenClosed();
            form = made.get();
            return made;
        });
        window.show();
        return platform::win32::runMessageLoop(form->window());
    } catch (const std::exception &e) {
        platform::win32::reportFailureAndExit(e.what());
    }
}
