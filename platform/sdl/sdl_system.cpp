// The clock, the resources built into the executable, the executable's
// folder and the pads, on SDL.
#include "platform/clock.h"
#include "platform/embedded_resources.h"
#include "platform/files.h"
#include "platform/joystick.h"
#include "platform/resource.h"
#include "platform/sdl/sdl_gamepad.h"
#include "platform/sdl/sdl_settings.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <ctime>

namespace platform {

uint32_t clock_ticks()
{
    return SDL_GetTicks();
}

void clock_sleep(uint32_t ms)
{
    SDL_Delay(ms);
}

int clock_local_seconds()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!localtime_r(&now, &local)) return 0;
    return local.tm_sec % 60; // a leap second reads as 0
}

std::span<const uint8_t> resource_find(const char* name, const char* type)
{
    return embedded_resource_find(name, type);
}

// The user's data folder; without one, the working directory as ever.
int data_file_path(const char* name, char* out, size_t size)
{
    char path[PATH_LIMIT];
    const int n = std::snprintf(out, size, "%s", data_folder_path(name, path) ? path : name);
    return n > 0 && size_t(n) < size ? 1 : 0;
}

int executable_dir(char* out, size_t size)
{
    char* base = SDL_GetBasePath(); // with a trailing separator
    if (!base) return 0;
    size_t n = std::strlen(base);
    while (n > 1 && base[n - 1] == PATH_SEPARATOR) --n;
    const bool fits = n < size;
    if (fits) {
        std::memcpy(out, base, n);
        out[n] = 0;
    }
    SDL_free(base);
    return fits ? 1 : 0;
}

// Here the joystick is every game controller, now and plugged in later,
// and the game reads them (sdl_gamepad.cpp). 1 when one is attached now.
int joystick_open(Window*)
{
    return sdl_gamepads_open() && sdl_gamepad_count() > 0 ? 1 : 0;
}

void joystick_close()
{
    sdl_gamepads_close();
}

} // namespace platform
