// The headless demo: the real engine on the headless backend, with no
// window. It shows the start-up logo, loads the pictures built into the
// executable from res/quobbin.rc, runs the frame loop for a few seconds of game time (as
// fast as the machine goes), opens the pause screen with Escape and leaves
// it with a second Escape. It writes the 150th frame it presented.
#include "app/frame_loop.h"
#include "app/main_window.h"
#include "app/startup_logo.h"
#include "gfx/display.h"
#include "platform/embedded_resources.h"
#include "platform/headless/headless.h"
#include "platform/window.h"

#include <SDL.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The resources built into the executable, offered as the headless
// backend's own.
void register_resources()
{
    for (const platform::EmbeddedResource& r : platform::embedded_resources())
        headless::register_resource(r.name, r.type, std::span<const uint8_t>(r.data, r.size));
}

// The player of the demo: Escape at 3 s opens the pause screen, a second
// Escape at 4 s ends the run.
void script(void*)
{
    const uint32_t t = headless::ticks();
    if (t == 3000) headless::key_down(VK_ESCAPE);
    if (t == 3100) headless::key_up(VK_ESCAPE);
    if (t == 4000) headless::key_down(VK_ESCAPE);
}

bool save_last_frame(const char* path)
{
    const platform::Surface* primary = headless::primary();
    const RECT d = headless::last_present_dest();
    SDL_Surface* out =
        SDL_CreateRGBSurfaceWithFormat(0, d.right - d.left, d.bottom - d.top, 32, SDL_PIXELFORMAT_RGB888);
    if (!primary || !out) return false;
    for (int y = 0; y < out->h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(out->pixels) + y * out->pitch);
        for (int x = 0; x < out->w; ++x) row[x] = headless::primary_pixel(x, y);
    }
    const bool ok = SDL_SaveBMP(out, path) == 0;
    SDL_FreeSurface(out);
    return ok;
}

} // namespace

int main()
{
    register_resources();
    headless::set_ticks(1);
    headless::on_sleep(script, nullptr);
    static bool saved = false;
    headless::on_present(
        [](void*) {
            if (headless::present_count() == 150) saved = save_last_frame("quobbin-demo.bmp");
        },
        nullptr);

    platform::Window* window = platform::window_create(main_window_proc);
    platform::window_set_title(window, "[ Quobbin ] Murvale");
    if (!display_init(window, "") || !display_create_surfaces(window, 640, 480, 1)) {
        std::fprintf(stderr, "quobbin: the display could not be opened\n");
        return 1;
    }
    platform::window_set_client_size(window, 640, 480);
    platform::window_show(window);
    draw_startup_logo();

    const int loaded = run_game();
    const uint64_t frames = headless::present_count();
    const uint32_t ms = headless::ticks();
    platform::window_destroy(window);
    display_shutdown(window);

    if (!loaded) {
        std::fprintf(stderr, "quobbin: a resource failed to load\n");
        return 1;
    }
    std::printf("Quobbin headless demo: %llu frames presented in %u ms of game time (%.1f per second).\n",
                static_cast<unsigned long long>(frames), ms, double(frames) * 1000.0 / double(ms));
    std::printf("The game's window arrives with the SDL2 build; %s\n",
                saved ? "frame 150 is in quobbin-demo.bmp." : "frame 150 could not be written.");
    return 0;
}
