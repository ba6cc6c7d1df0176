#include "app/startup.h"

#include "app/frame_loop.h"
#include "app/main_window.h"
#include "app/startup_logo.h"
#include "game/best_score_file.h"
#include "gfx/blit.h"
#include "gfx/display.h"
#include "input/keys.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "sorvel/sorvel.h"
#include "sound/music.h"
#include "sound/sound.h"
#include "sys/instance_guard.h"
#include "sys/window_centre.h"

#include <cstdio>

namespace {

constexpr int VIEW_SCALE = 1;
constexpr int TITLE_SIZE = 268;

void set_window_title(platform::Window* window)
{
    char title[TITLE_SIZE];
    std::snprintf(title, sizeof title, "[ %s ] %s", GAME_TITLE, PRODUCT_NAME);
    platform::window_set_title(window, title);
}

// The logo stays at least this long; the joystick and music set-up count
// toward it. Messages wait in the queue meanwhile: peeking takes none, but
// lets the window system have the logo painted when the window appears.
// The logo is presented again at the frame pace, since a window system
// may paint the new window's background over it once it really appears
// (Wine does, a moment after the window is shown).
void hold_logo(uint32_t since)
{
    uint32_t presented = since;
    for (uint32_t now; (now = platform::clock_ticks()) - since < LOGO_MIN_MS;) {
        if (now - presented >= FRAME_PERIOD_MS) {
            display_present();
            presented = now;
        }
        platform::message_peek();
        platform::clock_sleep(1);
    }
}

// An early end: the player is told why (when there is something to say),
// and what was made so far is taken down before the program ends.
StartupResult give_up(platform::Window* window, const char* message)
{
    if (message) platform::message_box(message, "error");
    display_shutdown();
    platform::window_destroy(window);
    return StartupResult::Failed;
}

StartupResult start_and_run(InstanceGuard* guard)
{
    if (!instance_guard_check(guard, INSTANCE_MUTEX_NAME, INSTANCE_MAPPING_NAME)) return StartupResult::SecondCopy;
    best_score_file_prepare();
    key_state_reset();
    platform::Window* window = platform::window_create(main_window_proc);
    // Without a window (no display to show one on) the display cannot be
    // opened either, and the player is told so in the same words.
    if (!window) {
        platform::message_box("dxdraw", "error");
        return StartupResult::Failed;
    }
    platform::window_set_accelerators(window, MENU_KEYS);
    set_window_title(window);
    if (!instance_guard_publish(guard, INSTANCE_MUTEX_NAME, INSTANCE_MAPPING_NAME, window))
        return give_up(window, nullptr);
    if (!display_init(window, "")) return give_up(window, "dxdraw");
    if (!display_create_surfaces(window, SCREEN_WIDTH, SCREEN_HEIGHT, VIEW_SCALE))
        return give_up(window, "main surface");
    int offset_x = 0, offset_y = 0;
    platform::window_client_offset(&offset_x, &offset_y);
    display_set_client_offset(offset_x, offset_y);
    font_create(nullptr, 6, 12);
    platform::window_set_client_size(window, SCREEN_WIDTH * view_scale(), SCREEN_HEIGHT * view_scale());
    window_centre(window);
    draw_startup_logo();
    const uint32_t logo_shown = platform::clock_ticks();

    joystick_open(window);
    sorvel_Ready(reinterpret_cast<void*>(platform::window_system_handle(window)), MUSIC_CHANNELS, MUSIC_RATE,
                 MUSIC_BITS, MUSIC_BUFFER_SECONDS, MUSIC_FLAG_FIRST, MUSIC_FLAG_SECOND);
    sound_attach_device(sorvel_GetDirectSound());
    sorvel_Tune_Load(TUNE_SLOT, SONG_TYPE, SONG_NAME);
    hold_logo(logo_shown);

    run_game();

    platform::window_destroy(window);
    sound_release_all();
    joystick_close();
    font_delete();
    display_shutdown();
    return StartupResult::Ran;
}

} // namespace

StartupResult run_program()
{
    InstanceGuard guard;
    instance_guard_init(&guard);
    const StartupResult result = start_and_run(&guard);
    instance_guard_release(&guard);
    return result;
}
