// XInput, loaded when the pads are opened: xinput1_4.dll (Windows 8 on),
// else xinput9_1_0.dll (Vista and 7), so a machine without either still
// starts, only without pads. A file of its own: a test program stands in
// for it with pads of its own.
#include "platform/win32/win32_platform.h"

XInputGetStateFunction win32_xinput_load(HMODULE* library)
{
    for (const char* name : {"xinput1_4.dll", "xinput9_1_0.dll"}) {
        const HMODULE module = LoadLibraryA(name);
        if (!module) continue;
        const auto get_state =
            reinterpret_cast<XInputGetStateFunction>(reinterpret_cast<void*>(GetProcAddress(module, "XInputGetState")));
        if (get_state) {
            *library = module;
            return get_state;
        }
        FreeLibrary(module);
    }
    *library = nullptr;
    return nullptr;
}
