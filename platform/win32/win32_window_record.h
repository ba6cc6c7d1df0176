// The Win32 main window's record. sorvel.dll is built from this same
// definition and takes the handle out of the window the game passes to
// sorvel_Ready, for DirectSound's cooperative level; the headless backend
// has a record of its own and never meets the library's DLL.
#pragma once

#include "platform/win32/win32_platform.h"

namespace platform {

struct Window {
    HWND hwnd = nullptr;
    MessageHandler handler = nullptr;
};

} // namespace platform
