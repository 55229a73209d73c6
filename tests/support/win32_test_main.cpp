#include "platform/win32/com_apartment.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

// Windows tests start as the program does: the common controls, and COM for
// the names screen readers read.
int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const platform::win32::ComApartment com;
    return RUN_ALL_TESTS();
}
