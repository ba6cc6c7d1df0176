// The clock, the resources built into the executable, the executable's
// folder and the joystick, on SDL.
#include "platform/clock.h"
#include "platform/embedded_resources.h"
#include "platform/files.h"
#include "platform/joystick.h"
#include "platform/resource.h"

#include <SDL.h>

#include <cstring>
#include <ctime>

namespace {

SDL_Joystick* joystick = nullptr;

} // namespace

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

// The first joystick is opened and held for the run; nothing reads it.
int joystick_open(Window*)
{
    if (!SDL_WasInit(SDL_INIT_JOYSTICK) && SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) return 0;
    if (SDL_NumJoysticks() < 1) return 0;
    joystick = SDL_JoystickOpen(0);
    return joystick ? 1 : 0;
}

void joystick_close()
{
    if (joystick) SDL_JoystickClose(joystick);
    joystick = nullptr;
}

} // namespace platform
