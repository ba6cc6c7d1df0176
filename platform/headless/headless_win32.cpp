// The headless backend built for Windows shares the Win32 single-instance
// claim, which publishes a window's handle; a headless window has none.
#include "platform/win32/win32_platform.h"

HWND win32_hwnd(platform::Window*)
{
    return nullptr;
}
