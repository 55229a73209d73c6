// The Windows window, for the Windows test programs.
#include "backends.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/win32_form.h"
#include "win32_learner.h"

const Toolkit &toolkit()
{
    // As a screen reader's action or a click would: the button is clicked.
    static const Toolkit win32{"Win32", rigsOf<platform::Win32Form>([](platform::Win32Form &form, platform::ControlId option) {
                                   SendMessageW(form.control(option), BM_CLICK, 0, 0);
                                   platform::win32::handleWaitingMessages(form.window());
                               }),
                               makeWin32Learner};
    return win32;
}
