// The yardstick for the Windows program's start-up: the least a Windows
// program does to put one window of the quiz's size and title on screen,
// with the same manifest (visual styles, per-monitor DPI).
#include "bare_window_windows.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int /*show*/)
{
    return runBareWindow(instance, L"BareWindow", quitOnClose);
}
