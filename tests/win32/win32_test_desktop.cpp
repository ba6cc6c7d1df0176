#include "platform/win32/win32_platform.h"

#include "gfx/display.h"
#include "platform/win32/win32_display.h"
#include "win32/win32_test_desktop.h"

#include <cstring>

void pump_messages()
{
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

void move_window(platform::Window* window, int x, int y)
{
    SetWindowPos(win32_hwnd(window), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    pump_messages();
}

void client_origin(platform::Window* window, int* x, int* y)
{
    POINT p{0, 0};
    ClientToScreen(win32_hwnd(window), &p);
    *x = int(p.x);
    *y = int(p.y);
}

void client_offset(platform::Window* window, int* x, int* y)
{
    ::RECT r{};
    GetWindowRect(win32_hwnd(window), &r);
    client_origin(window, x, y);
    *x -= int(r.left);
    *y -= int(r.top);
}

// Wine draws a present on a thread of its own (its OpenGL renderer), and
// copies what a window shows to the screen when the program goes idle
// (its GDI renderer). Reading the primary waits for the thread; a wait for
// messages that returns at once counts as going idle.
void wait_for_screen()
{
    platform::SurfaceLock lock{};
    if (platform::surface_lock(display_primary(), &lock)) platform::surface_unlock(display_primary());
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
}

uint32_t screen_pixel(int x, int y)
{
    const HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return c;
}

bool on_screen(int x, int y)
{
    return x >= 0 && y >= 0 && x < GetSystemMetrics(SM_CXSCREEN) && y < GetSystemMetrics(SM_CYSCREEN);
}

bool change_display_mode(platform::Display* display)
{
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    IDirectDraw* ddraw = win32_ddraw(display);
    return ddraw && EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode) &&
           SUCCEEDED(ddraw->SetDisplayMode(mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel));
}

Picture picture_of(platform::Surface* surface)
{
    Picture p;
    platform::SurfaceLock lock{};
    if (!platform::surface_lock(surface, &lock)) return p;
    const int bytes = lock.bits_per_pixel / 8;
    const uint32_t colour_bits = lock.red_mask | lock.green_mask | lock.blue_mask;
    p.width = lock.width;
    p.height = lock.height;
    p.masks[0] = lock.red_mask;
    p.masks[1] = lock.green_mask;
    p.masks[2] = lock.blue_mask;
    p.pixels.resize(size_t(lock.width) * size_t(lock.height));
    for (int y = 0; y < lock.height; ++y)
        for (int x = 0; x < lock.width; ++x) {
            uint32_t v = 0;
            std::memcpy(&v, lock.bits + size_t(y) * size_t(lock.pitch) + size_t(x) * size_t(bytes), size_t(bytes));
            p.pixels[size_t(y) * size_t(lock.width) + size_t(x)] = v & colour_bits;
        }
    platform::surface_unlock(surface);
    return p;
}
