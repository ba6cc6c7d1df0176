// One play-scene frame at its busiest, through step_scene with the real
// pictures: three hit targets bleeding, 198 live drops, their darts
// and points, the stage label, over the stage background. And one frame
// of the title, fully open, as the loop makes it between presents.
#include "app/resource_list.h"
#include "game/number_draw.h"
#include "game/particles.h"
#include "game/random.h"
#include "game/scene.h"
#include "game/stages.h"
#include "game/targets.h"
#include "gfx/blit.h"
#include "gfx/display.h"
#include "gfx/draw_list.h"
#include "gfx/surfaces.h"
#include "platform/embedded_resources.h"
#include "platform/headless/headless.h"
#include "platform/window.h"

#include <benchmark/benchmark.h>

namespace {

struct Game {
    platform::Window* window = nullptr;
    ButtonState buttons{};

    Game()
    {
        headless::reset();
        headless::set_local_seconds(0);
        random_state_reset();
        window = platform::window_create(nullptr);
        display_init(window, "");
        display_create_surfaces(window, 640, 480, 1);
        for (const platform::Resource& r : platform::embedded_resources())
            headless::register_resource(r.name, r.type, r.bytes);
        for (const ResourceEntry& e : RESOURCE_LIST)
            if (e.kind == ResourceKind::Bitmap) surface_load(e.name, e.slot, false, false);
        reset_game();
    }
    ~Game()
    {
        surface_release_all();
        platform::window_destroy(window);
        display_shutdown();
    }
    void frame(ButtonMask held)
    {
        buttons.held = held;
        button_state_update(&buttons);
        step_scene(buttons);
        number_draw_font(screen_clip, screen_clip.right - 16, 3, 76, 2);
        draw_list_frame_end(); // what the present does first
    }
};

void BM_BusiestPlayFrame(benchmark::State& state)
{
    Game game;
    game.frame(BUTTON_SPACE);
    for (int n = 0; n < 60; ++n) game.frame(0);  // into play, fully open
    game.frame(BUTTON_1 | BUTTON_2 | BUTTON_3);  // every target hit while waiting
    for (int n = 0; n < 300; ++n) game.frame(0); // drops reach their steady count
    int64_t live = 0;
    // Three hit targets keep about 148 drops alive on average and 198 at
    // most; the pool is topped up to 198 between frames.
    for (auto _ : state) {
        state.PauseTiming();
        for (int n = particles_live(); n < 198; ++n) particle_spawn(320 * 512, 200 * 512, 0);
        state.ResumeTiming();
        live += particles_live();
        game.frame(0);
        benchmark::ClobberMemory();
    }
    state.counters["live_drops"] = double(live) / double(state.iterations());
}
BENCHMARK(BM_BusiestPlayFrame)->Unit(benchmark::kMicrosecond);

void BM_TitleFrame(benchmark::State& state)
{
    Game game;
    for (int n = 0; n < 30; ++n) game.frame(0);
    for (auto _ : state) {
        game.frame(0);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TitleFrame)->Unit(benchmark::kMicrosecond);

} // namespace
