// The headless backend: every platform operation, driven by a test.
#include "platform/headless/headless.h"
#include "platform/headless/headless_audio.h"
#include "platform/headless/headless_system.h"

#include "platform/bitmap.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/joystick.h"
#include "platform/resource_table.h"
#include "platform/soft/message_queue.h"
#include "platform/soft/soft_bitmap.h"
#include "platform/soft/soft_platform.h"
#include "platform/soft/soft_surface.h"
#include "platform/system.h"
#include "platform/window.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <map>
#include <new>
#include <vector>

namespace {

// Where the headless window first sits on its imaginary desktop, and the
// size of its frame, so that presents exercise the window-rectangle
// arithmetic.
constexpr int WINDOW_X = 40;
constexpr int WINDOW_Y = 24;
constexpr int FRAME_X = 4;
constexpr int FRAME_Y = 42;

} // namespace

namespace platform {

struct Window {
    MessageHandler handler = nullptr;
    bool visible = false;
    int x = WINDOW_X;
    int y = WINDOW_Y;
    int client_width = 0;
    int client_height = 0;
};

struct Display {
    int unused = 0;
};

} // namespace platform

namespace {

using headless::DESKTOP_HEIGHT;
using headless::DESKTOP_WIDTH;
constexpr size_t PRESENT_LOG = 4096;

struct State {
    uint32_t ticks = 0;
    int local_seconds = 0;
    uint64_t sleeps = 0;
    uint64_t waits = 0;
    MessageQueue queue;
    headless::Hook idle_hook = nullptr;
    void* idle_user = nullptr;
    headless::Hook present_hook = nullptr;
    void* present_user = nullptr;
    headless::Hook sleep_hook = nullptr;
    void* sleep_user = nullptr;
    bool starved = false;
    platform::ResourceStore resources;
    std::string executable_dir = ".";
    std::string data_dir; // empty: the working directory
    uint64_t presents = 0;
    std::array<uint32_t, PRESENT_LOG> present_ticks{};
    RECT last_dest{};
    // What the screen shows: this back buffer's src at last_dest, as it was
    // when the screen's own write count was this.
    const platform::Surface* shown_back = nullptr;
    RECT shown_src{};
    uint64_t shown_writes = 0;
    int surface_successes_left = -1;
    int message_boxes = 0;
    std::string debug_lines;
    std::string box_text;
    std::string box_caption;
    int captures = 0;
    int releases = 0;
    bool captured = false;
    platform::Window* window = nullptr;
    platform::Surface* primary = nullptr;
    int live_surfaces = 0;
};

State& state()
{
    static State s;
    return s;
}

// What a restored surface holds before anyone redraws it: not black, so
// that a missing refill shows.
constexpr uint32_t RESTORED_GARBAGE = 0x00C0FFEE;

} // namespace

// ---------------------------------------------------------------- clock
namespace platform {

uint32_t clock_ticks()
{
    return state().ticks;
}

void clock_sleep(uint32_t ms)
{
    State& s = state();
    s.ticks += ms;
    ++s.sleeps;
    if (s.sleep_hook) s.sleep_hook(s.sleep_user);
}

int clock_local_seconds()
{
    return state().local_seconds;
}

// ---------------------------------------------------------------- window
Window* window_create(MessageHandler handler)
{
    State& s = state();
    auto* w = new (std::nothrow) Window;
    if (!w) return nullptr;
    w->handler = handler;
    s.window = w;
    if (handler) handler(w, WM_CREATE, 0, 0);
    return w;
}

void window_destroy(Window* window)
{
    State& s = state();
    if (s.window == window) s.window = nullptr;
    delete window;
}

void window_set_title(Window*, const char*)
{
}

void window_set_client_size(Window* window, int width, int height)
{
    if (!window) return;
    window->client_width = width;
    window->client_height = height;
}

void window_show(Window* window)
{
    if (window) window->visible = true;
}

RECT window_rect(Window* window)
{
    const int w = window ? window->client_width : 0;
    const int h = window ? window->client_height : 0;
    const int x = window ? window->x : WINDOW_X;
    const int y = window ? window->y : WINDOW_Y;
    return RECT{x, y, x + w + 2 * FRAME_X, y + h + FRAME_Y + FRAME_X};
}

void window_move_and_show(Window* window, int x, int y)
{
    if (!window) return;
    window->x = x;
    window->y = y;
    window->visible = true;
}

void window_client_offset(int* x, int* y)
{
    *x = FRAME_X;
    *y = FRAME_Y;
}

bool message_peek()
{
    return state().queue.count > 0;
}

bool message_get(Message* message)
{
    State& s = state();
    if (s.queue.count == 0 && s.idle_hook) s.idle_hook(s.idle_user);
    if (!message_queue_pop(&s.queue, message)) {
        s.starved = true;
        *message = Message{WM_QUIT, 0, 0};
        return false;
    }
    return message->message != WM_QUIT;
}

// The clock moves a millisecond at a time, as the sleeps move it, until
// the time has passed or a hook has posted a message.
void message_wait(uint32_t ms)
{
    State& s = state();
    ++s.waits;
    const uint32_t start = s.ticks;
    while (s.ticks - start < ms && s.queue.count == 0) clock_sleep(1);
}

void message_dispatch(const Message& message)
{
    State& s = state();
    if (s.window && s.window->handler && handler_message(message.message))
        s.window->handler(s.window, message.message, message.wparam, message.lparam);
}

void post_quit()
{
    message_queue_push(&state().queue, Message{WM_QUIT, 0, 0});
}

// The headless window has a menu of sorts: tests post WM_COMMAND directly.
void window_set_accelerators(Window*, std::span<const Accelerator>)
{
}

void message_box(const char* text, const char* caption)
{
    State& s = state();
    ++s.message_boxes;
    s.box_text = text ? text : "";
    s.box_caption = caption ? caption : "";
}

void debug_output(const char* text)
{
    state().debug_lines += text ? text : "";
}

void mouse_capture(Window*)
{
    State& s = state();
    ++s.captures;
    s.captured = true;
}

void mouse_release()
{
    State& s = state();
    ++s.releases;
    s.captured = false;
}

// A headless window is no window of the system's.
uintptr_t window_system_handle(Window*)
{
    return 0;
}

// ---------------------------------------------------------------- display
Display* display_open(Window*)
{
    return new (std::nothrow) Display;
}

void display_close(Display* display)
{
    delete display;
}

Surface* primary_create(Display* display, Window*)
{
    State& s = state();
    Surface* p = surface_create(display, DESKTOP_WIDTH, DESKTOP_HEIGHT, false);
    if (p) s.primary = p;
    return p;
}

int primary_present(Surface* primary, const RECT& dest, Surface* back, const RECT& src)
{
    State& s = state();
    if (!primary || !back || primary->lost || back->lost) return 0;
    // As a window's present does, this copies only what was written since
    // the last one, so every picture read from the screen also checks that
    // the back buffer kept track of where it was written.
    const RECT written = soft_surface_take_changed(&back->soft);
    const bool same =
        s.shown_back == back && s.shown_writes == primary->soft.writes && s.shown_src == src && s.last_dest == dest;
    int ok = 1;
    const RECT part{std::max(written.left, src.left), std::max(written.top, src.top),
                    std::min(written.right, src.right), std::min(written.bottom, src.bottom)};
    if (!same)
        ok = soft_blit(&primary->soft, dest, back->soft, src, false);
    else if (part.left < part.right && part.top < part.bottom)
        ok = soft_blit(&primary->soft,
                       RECT{dest.left + part.left - src.left, dest.top + part.top - src.top,
                            dest.left + part.right - src.left, dest.top + part.bottom - src.top},
                       back->soft, part, false);
    s.shown_back = ok ? back : nullptr;
    s.shown_src = src;
    s.shown_writes = primary->soft.writes;
    s.last_dest = dest;
    s.present_ticks[s.presents % PRESENT_LOG] = s.ticks;
    ++s.presents;
    if (s.present_hook) s.present_hook(s.present_user);
    return ok;
}

Surface* surface_create(Display* display, int width, int height, bool)
{
    State& s = state();
    if (!display) return nullptr;
    if (s.surface_successes_left == 0) return nullptr;
    auto* surface = new (std::nothrow) Surface;
    if (!surface) return nullptr;
    if (!soft_surface_init(&surface->soft, width, height)) {
        delete surface;
        return nullptr;
    }
    if (s.surface_successes_left > 0) --s.surface_successes_left;
    ++s.live_surfaces;
    return surface;
}

void surface_destroy(Surface* surface)
{
    if (!surface) return;
    State& s = state();
    if (s.primary == surface) s.primary = nullptr;
    if (s.shown_back == surface) s.shown_back = nullptr;
    --s.live_surfaces;
    delete surface;
}

bool surface_is_lost(Surface* surface)
{
    return surface && surface->lost;
}

int surface_restore(Surface* surface)
{
    if (!surface) return 0;
    if (surface->lost) {
        const size_t n = size_t(surface->soft.width) * size_t(surface->soft.height);
        std::fill(surface->soft.pixels.get(), surface->soft.pixels.get() + n, RESTORED_GARBAGE);
        soft_surface_touch(&surface->soft);
        surface->lost = false;
    }
    return 1;
}

void display_font_open(const char*, int, int)
{
}
void display_font_close()
{
}

// ---------------------------------------------------------------- resources, files, joystick
std::span<const uint8_t> resource_find(const char* name, const char* type)
{
    return resource_table_find(state().resources.table, name, type);
}

int executable_dir(char* out, size_t size)
{
    const std::string& dir = state().executable_dir;
    if (dir.size() + 1 > size) return 0;
    std::memcpy(out, dir.c_str(), dir.size() + 1);
    return 1;
}

int data_file_path(const char* name, char* out, size_t size)
{
    const std::string& dir = state().data_dir;
    const int n = std::snprintf(out, size, "%s%s%s", dir.c_str(), dir.empty() ? "" : "/", name);
    return n > 0 && size_t(n) < size ? 1 : 0;
}

int gamepads_open(Window*)
{
    return 0; // the headless machine has no joystick
}

void gamepads_close()
{
}

} // namespace platform

// ---------------------------------------------------------------- test controls
namespace headless {

void reset()
{
    State& s = state();
    platform::Window* window = s.window;
    platform::Surface* primary = s.primary;
    const int live = s.live_surfaces;
    s = State{};
    s.window = window;
    s.primary = primary;
    s.live_surfaces = live;
    audio_reset();
    system_reset();
}

void set_ticks(uint32_t ticks)
{
    state().ticks = ticks;
}

void advance(uint32_t ms)
{
    state().ticks += ms;
}

uint32_t ticks()
{
    return state().ticks;
}

void set_local_seconds(int seconds)
{
    state().local_seconds = seconds;
}

uint64_t sleep_count()
{
    return state().sleeps;
}

uint64_t wait_count()
{
    return state().waits;
}

void post(uint32_t message, uintptr_t wparam, intptr_t lparam)
{
    message_queue_push(&state().queue, Message{message, wparam, lparam});
}

void key_down(uint8_t vk)
{
    post(WM_KEYDOWN, vk, 0);
}

void key_up(uint8_t vk)
{
    post(WM_KEYUP, vk, 0);
}

void on_idle(Hook hook, void* user)
{
    state().idle_hook = hook;
    state().idle_user = user;
}

bool starved()
{
    return state().starved;
}

void on_present(Hook hook, void* user)
{
    state().present_hook = hook;
    state().present_user = user;
}

void on_sleep(Hook hook, void* user)
{
    state().sleep_hook = hook;
    state().sleep_user = user;
}

void register_resource(const std::string& name, const std::string& type, std::span<const uint8_t> bytes)
{
    platform::resource_store_put(&state().resources, name, type, bytes);
}

void set_executable_dir(const std::string& dir)
{
    state().executable_dir = dir;
}

void set_data_dir(const std::string& dir)
{
    state().data_dir = dir;
}

uint64_t present_count()
{
    return state().presents;
}

uint32_t present_tick(uint64_t back)
{
    const State& s = state();
    if (back >= s.presents || back >= PRESENT_LOG) return 0;
    return s.present_ticks[(s.presents - 1 - back) % PRESENT_LOG];
}

const platform::Surface* primary()
{
    return state().primary;
}

uint32_t primary_pixel(int x, int y)
{
    const State& s = state();
    if (!s.primary) return 0xFFFFFFFFu;
    return pixel(s.primary, s.last_dest.left + x, s.last_dest.top + y);
}

void mark_lost(platform::Surface* surface)
{
    if (surface) surface->lost = true;
}

uint32_t pixel(const platform::Surface* surface, int x, int y)
{
    if (!surface || x < 0 || y < 0 || x >= surface->soft.width || y >= surface->soft.height) return 0xFFFFFFFFu;
    return surface->soft.pixels[size_t(y) * size_t(surface->soft.width) + size_t(x)];
}

void surface_size(const platform::Surface* surface, int* width, int* height)
{
    *width = surface ? surface->soft.width : 0;
    *height = surface ? surface->soft.height : 0;
}

int live_surfaces()
{
    return state().live_surfaces;
}

void fail_surface_create_after(int successes)
{
    state().surface_successes_left = successes;
}

const std::string& debug_lines()
{
    return state().debug_lines;
}

int message_box_count()
{
    return state().message_boxes;
}

const std::string& last_message_box_text()
{
    return state().box_text;
}

const std::string& last_message_box_caption()
{
    return state().box_caption;
}

int capture_calls()
{
    return state().captures;
}

int release_calls()
{
    return state().releases;
}

bool mouse_captured()
{
    return state().captured;
}

bool window_visible()
{
    return state().window && state().window->visible;
}

} // namespace headless
