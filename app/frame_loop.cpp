#include "app/frame_loop.h"

#include "app/main_window.h"
#include "app/resource_list.h"
#include "game/number_draw.h"
#include "game/scene.h"
#include "game/slots.h"
#include "gfx/blit.h"
#include "gfx/display.h"
#include "gfx/surfaces.h"
#include "input/buttons.h"
#include "input/keys.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "sound/sound.h"

namespace {

constexpr RECT PAUSE_PICTURE{0, 0, 80, 24};
constexpr uint32_t FPS_WINDOW_MS = 1000;

uint32_t frame_base = 0;
uint32_t fps_window_start = 0;
int fps_frames = 0;
int fps_value = 0;
int fps_first_call = 1;

// Walks the resource list in order; the first load that fails ends it.
bool load_resources()
{
    const bool font_from_file = surface_load(FONT_FILE, FONT_SLOT, true, false) != 0;
    for (const ResourceEntry& entry : RESOURCE_LIST) {
        if (entry.kind == ResourceKind::Bitmap) {
            if (font_from_file && entry.slot == FONT_SLOT) continue;
            if (!surface_load(entry.name, entry.slot, false, false)) return false;
        } else if (!sound_load_wave(entry.name, entry.slot)) {
            return false;
        }
    }
    return true;
}

// While the window is inactive this waits in the queue, so the game stands
// still until a message makes it active again.
int process_window_messages()
{
    for (;;) {
        if (!platform::message_peek() && window_active()) return 1;
        Message message;
        if (!platform::message_get(&message)) return 0;
        platform::message_dispatch(message);
    }
}

// Escape, or a pad's Back, opens the pause screen; there F1 or Start
// continues, F2 or Y resets, and a fresh Escape or Back exits. The press
// that opened the pause is taken by the first snapshot, so only a fresh
// one exits.
int pause_screen()
{
    if (!key_held(VK_ESCAPE) && !key_held(GAMEPAD_BACK)) return 0;
    key_state_update();
    const uint32_t black = native_colour(0);
    int result;
    for (;;) {
        key_state_update();
        if (key_newly_pressed(VK_F1) || key_newly_pressed(GAMEPAD_START)) {
            // Start is also Space: the press that continues is spent here,
            // so it does not start a game or turn a page as well.
            key_forget(GAMEPAD_START);
            result = 0;
            break;
        }
        if (key_newly_pressed(VK_F2) || key_newly_pressed(GAMEPAD_Y)) {
            request_reset(1);
            result = 0;
            break;
        }
        if (key_newly_pressed(VK_ESCAPE) || key_newly_pressed(GAMEPAD_BACK)) {
            result = 1;
            break;
        }
        fill_rect(screen_clip, black);
        blit(8, 8, PAUSE_PICTURE, SURFACE_ESCAPE);
        if (!wait_and_present()) {
            result = 1;
            break;
        }
    }
    key_state_update();
    return result;
}

} // namespace

int run_game()
{
    if (!load_resources()) return 0;
    reset_game();
    while (run_scene_loop()) {
    }
    return 1;
}

int run_scene_loop()
{
    request_reset(0);
    ButtonState buttons{};
    button_keys_init();
    button_state_begin(&buttons);
    for (;;) {
        if (pause_screen()) return 0;
        if (reset_requested()) {
            reset_game();
            return 1;
        }
        buttons.held = buttons_read();
        button_state_update(&buttons);
        step_scene(buttons); // covers the whole screen: no clear before it
        number_draw_font(screen_clip, screen_clip.right - 16, 3, count_frame_rate(), 2);
        if (!wait_and_present()) return 0;
    }
}

// Each pass of the wait sleeps until the frame's slot ends, or a message
// comes, and at least 1 ms, so it never spins: a quiet frame wakes the
// program once. Elapsed times are unsigned differences, so the grid keeps
// its pace when the tick count wraps past 2^32, however coarsely the clock
// moves.
int wait_and_present()
{
    uint32_t now;
    do {
        if (!process_window_messages()) return 0;
        const uint32_t waited = platform::clock_ticks() - frame_base;
        platform::message_wait(waited < FRAME_PERIOD_MS ? FRAME_PERIOD_MS - waited : 1);
        now = platform::clock_ticks();
    } while (now - frame_base < FRAME_PERIOD_MS);
    if (now - frame_base < FRAME_CATCH_UP_LIMIT_MS)
        frame_base += FRAME_PERIOD_MS;
    else
        frame_base = now;
    display_present();
    return 1;
}

// After a long stall the window start catches up by a second per frame, so
// the figure shows the count of a short stretch meanwhile.
int count_frame_rate()
{
    if (fps_first_call) {
        fps_window_start = platform::clock_ticks();
        fps_first_call = 0;
    }
    const uint32_t now = platform::clock_ticks();
    ++fps_frames;
    if (now - fps_window_start >= FPS_WINDOW_MS) {
        fps_window_start += FPS_WINDOW_MS;
        fps_value = fps_frames;
        fps_frames = 0;
    }
    return fps_value;
}

void frame_loop_state_reset()
{
    frame_base = 0;
    fps_window_start = 0;
    fps_frames = 0;
    fps_value = 0;
    fps_first_call = 1;
}
