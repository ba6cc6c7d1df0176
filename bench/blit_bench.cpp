// Keyed blits: one 640x480 picture onto the back buffer, and a whole
// composed frame (a background, six 96-pixel sprites, 200 16x16 sprites),
// through the game's own blit_clipped and, for comparison, through SDL2's
// SDL_BlitSurface with a colour key on surfaces of the same format.
#include "gfx/blit.h"
#include "gfx/display.h"
#include "gfx/surfaces.h"
#include "platform/headless/headless.h"
#include "platform/window.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

constexpr int BACKGROUND = 5;
constexpr int SEAL = 7;
constexpr int DROP = 12;

// A picture with transparent holes: a third of the pixels are black.
uint32_t picture(int x, int y)
{
    return ((x * 7 + y * 3) % 3 == 0) ? 0 : 0x00406080u + uint32_t((x ^ y) & 0x3F);
}

std::vector<uint8_t> bmp(int w, int h)
{
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGB888);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch)[x] = picture(x, y);
    SDL_RWops* rw = SDL_AllocRW();
    std::vector<uint8_t> bytes(size_t(w) * size_t(h) * 4 + 1024);
    rw = SDL_RWFromMem(bytes.data(), int(bytes.size()));
    SDL_SaveBMP_RW(s, rw, 0);
    bytes.resize(size_t(SDL_RWtell(rw)));
    SDL_RWclose(rw);
    SDL_FreeSurface(s);
    return bytes;
}

struct Engine {
    platform::Window* window = nullptr;
    Engine()
    {
        headless::reset();
        window = platform::window_create(nullptr);
        display_init(window, "");
        display_create_surfaces(window, 640, 480, 1);
        headless::register_resource("BACK", "BITMAP", bmp(640, 480));
        headless::register_resource("SEAL", "BITMAP", bmp(584, 280));
        headless::register_resource("DROP", "BITMAP", bmp(64, 16));
        surface_load("BACK", BACKGROUND, false, false);
        surface_load("SEAL", SEAL, false, false);
        surface_load("DROP", DROP, false, false);
    }
    ~Engine()
    {
        platform::window_destroy(window);
        display_shutdown();
    }
};

void compose_ours()
{
    blit_clipped(screen_clip, 0, 0, RECT{0, 0, 640, 480}, BACKGROUND);
    for (int i = 0; i < 3; ++i) {
        const int x = 72 + 200 * i;
        blit_clipped(screen_clip, x, 180, RECT{0, 0, 96, 88}, SEAL);
        blit_clipped(screen_clip, x, 268, RECT{96, 88, 192, 192}, SEAL);
    }
    for (int i = 0; i < 200; ++i)
        blit_clipped(screen_clip, (i * 37) % 624, (i * 53) % 464, RECT{16 * (i % 4), 0, 16 * (i % 4) + 16, 16}, DROP);
}

void BM_KeyedFullScreen_Ours(benchmark::State& state)
{
    Engine engine;
    for (auto _ : state) {
        blit_clipped(screen_clip, 0, 0, RECT{0, 0, 640, 480}, BACKGROUND);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 640 * 480);
}
BENCHMARK(BM_KeyedFullScreen_Ours)->Unit(benchmark::kMicrosecond);

void BM_ComposedFrame_Ours(benchmark::State& state)
{
    Engine engine;
    for (auto _ : state) {
        compose_ours();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ComposedFrame_Ours)->Unit(benchmark::kMicrosecond);

struct SdlSurfaces {
    SDL_Surface* back = SDL_CreateRGBSurfaceWithFormat(0, 640, 480, 32, SDL_PIXELFORMAT_RGB888);
    SDL_Surface* background = make(640, 480);
    SDL_Surface* seal = make(584, 280);
    SDL_Surface* drop = make(64, 16);
    static SDL_Surface* make(int w, int h)
    {
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGB888);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch)[x] = picture(x, y);
        SDL_SetColorKey(s, SDL_TRUE, 0);
        return s;
    }
    ~SdlSurfaces()
    {
        for (SDL_Surface* s : {back, background, seal, drop}) SDL_FreeSurface(s);
    }
    void blit(SDL_Surface* src, int sx, int sy, int w, int h, int x, int y)
    {
        SDL_Rect s{sx, sy, w, h};
        SDL_Rect d{x, y, w, h};
        SDL_BlitSurface(src, &s, back, &d);
    }
};

void BM_KeyedFullScreen_SDL(benchmark::State& state)
{
    SdlSurfaces sdl;
    for (auto _ : state) {
        sdl.blit(sdl.background, 0, 0, 640, 480, 0, 0);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 640 * 480);
}
BENCHMARK(BM_KeyedFullScreen_SDL)->Unit(benchmark::kMicrosecond);

void BM_ComposedFrame_SDL(benchmark::State& state)
{
    SdlSurfaces sdl;
    for (auto _ : state) {
        sdl.blit(sdl.background, 0, 0, 640, 480, 0, 0);
        for (int i = 0; i < 3; ++i) {
            const int x = 72 + 200 * i;
            sdl.blit(sdl.seal, 0, 0, 96, 88, x, 180);
            sdl.blit(sdl.seal, 96, 88, 96, 104, x, 268);
        }
        for (int i = 0; i < 200; ++i) sdl.blit(sdl.drop, 16 * (i % 4), 0, 16, 16, (i * 37) % 624, (i * 53) % 464);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ComposedFrame_SDL)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
