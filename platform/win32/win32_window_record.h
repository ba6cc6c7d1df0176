// The Win32 main window's record, which the backend's files share: the
// display reads the scale its picture is shown at.
#pragma once

#include "platform/win32/win32_platform.h"

namespace platform {

struct Window {
    HWND hwnd = nullptr;
    MessageHandler handler = nullptr;
    // The picture asked for, in the game's pixels, and the whole scale it
    // is shown at on the window's monitor.
    int width = 0;
    int height = 0;
    int scale = 1;
};

} // namespace platform
