// The main window on the web is the page's canvas, and its message queue:
// the page's key, focus and visibility events become the few window
// messages the game knows, queued in order and handed to the window's
// handler when the frame loop dispatches them. The browser runs its events
// only while the game sleeps (clock_sleep), so the queue is filled there.
#include "platform/clock.h"
#include "platform/soft/message_queue.h"
#include "platform/system.h"
#include "platform/web/web_platform.h"
#include "platform/window.h"

#include <emscripten.h>

#include <algorithm>
#include <cstdio>
#include <new>
#include <vector>

namespace platform {

struct Window {
    MessageHandler handler = nullptr;
    std::vector<Accelerator> accelerators;
};

} // namespace platform

namespace {

using platform::Window;

// A wait for messages looks again this often; a hidden page's timers run
// far more slowly anyway.
constexpr uint32_t WAIT_STEP_MS = 10;
// The longest a frame's wait stays away from the sound: the queue the page
// plays from holds a few of these.
constexpr uint32_t FEED_STEP_MS = 4;

Window* main_window = nullptr;
MessageQueue queue;
bool quit_posted = false;

void push(uint32_t message, uintptr_t wparam = 0)
{
    message_queue_push(&queue, Message{message, wparam, 0});
}

} // namespace

extern "C" {

// A key with Ctrl held that names a menu command is that command.
EMSCRIPTEN_KEEPALIVE void web_key(int down, int vk, int ctrl)
{
    if (!main_window || vk <= 0 || vk > 0xFF) return;
    if (down && ctrl) {
        for (const platform::Accelerator& a : main_window->accelerators)
            if (a.vk == vk) {
                push(WM_COMMAND, a.command);
                return;
            }
    }
    push(down ? WM_KEYDOWN : WM_KEYUP, uintptr_t(vk));
}

EMSCRIPTEN_KEEPALIVE void web_activate(int active)
{
    if (main_window) push(WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE);
}

} // extern "C"

namespace platform {

Window* window_create(MessageHandler handler)
{
    if (main_window || !web_page_open()) return nullptr;
    auto* w = new (std::nothrow) Window;
    if (!w) return nullptr;
    w->handler = handler;
    main_window = w;
    queue = MessageQueue{};
    quit_posted = false;
    if (handler) handler(w, WM_CREATE, 0, 0);
    return w;
}

void window_destroy(Window* window)
{
    if (!window) return;
    if (main_window == window) {
        main_window = nullptr;
        web_page_close();
    }
    delete window;
}

void window_set_title(Window* window, const char* title)
{
    if (window) web_page_title(title ? title : "");
}

// The page fits the picture to the browser's window itself.
void window_set_client_size(Window*, int, int)
{
}

void window_show(Window*)
{
}

RECT window_rect(Window* window)
{
    return window ? RECT{0, 0, 640, 480} : RECT{0, 0, 0, 0};
}

void window_client_offset(int* x, int* y)
{
    *x = 0;
    *y = 0;
}

void window_set_accelerators(Window* window, std::span<const Accelerator> accelerators)
{
    if (window) window->accelerators.assign(accelerators.begin(), accelerators.end());
}

bool message_peek()
{
    return queue.count > 0 || quit_posted;
}

// The wait goes back to the browser in short steps: the sound is fed on
// each, and the keys and taps that came meanwhile are in the queue.
void message_wait(uint32_t ms)
{
    for (uint32_t start = clock_ticks(); queue.count == 0 && !quit_posted;) {
        const uint32_t waited = clock_ticks() - start;
        if (waited >= ms) return;
        clock_sleep(std::min(ms - waited, FEED_STEP_MS));
    }
}

// While the queue is empty this sleeps, so an inactive game lets the
// browser run (and the tune play on).
bool message_get(Message* message)
{
    for (;;) {
        if (message_queue_pop(&queue, message)) return true;
        if (quit_posted) {
            *message = Message{WM_QUIT, 0, 0};
            return false;
        }
        clock_sleep(WAIT_STEP_MS);
    }
}

void message_dispatch(const Message& message)
{
    if (main_window && main_window->handler)
        main_window->handler(main_window, message.message, message.wparam, message.lparam);
}

void post_quit()
{
    quit_posted = true;
}

// A message box is a line of text on the page: nothing there waits for OK.
void message_box(const char* text, const char* caption)
{
    char line[256];
    std::snprintf(line, sizeof line, "%s: %s", caption ? caption : "", text ? text : "");
    web_page_line(line);
}

// The page's own dialog, modal: the game stands still until it closes, and
// the tune plays on.
void about_box(Window*, const char* title, const char* date, const char* maker)
{
    web_about_open(title, date, maker);
    while (web_about_is_open()) clock_sleep(WAIT_STEP_MS);
}

void debug_output(const char* text)
{
    std::fputs(text, stderr);
}

// A tab cannot bring itself forward; the second tab waits instead.
void window_request_raise(Window*)
{
}

void mouse_capture(Window*)
{
}

void mouse_release()
{
}

// The claim is a Web Lock, which needs no handle.
uintptr_t window_system_handle(Window*)
{
    return 0;
}

RECT work_area()
{
    return RECT{0, 0, 640, 480};
}

void window_move_and_show(Window*, int, int)
{
}

// A page starts no programs.
int launch(Window*, const char* const*)
{
    return 0;
}

bool launched_running()
{
    return false;
}

std::span<const VolumeCommand> volume_control_commands()
{
    return {};
}

} // namespace platform
