// The main window on SDL, and its message queue: SDL's events become the
// few window messages the game knows (keys as Windows' virtual-key codes,
// activation, minimising, the close box), queued in order and handed to
// the window's handler when the frame loop dispatches them. While a
// message box (sdl_message_box.cpp) is open, the window is its disabled
// owner.
#include "platform/sdl/sdl_window.h"

#include "platform/sdl/sdl_display.h"
#include "platform/sdl/sdl_gamepad.h"
#include "platform/sdl/sdl_icon.h"
#include "platform/sdl/sdl_keys.h"
#include "platform/sdl/sdl_settings.h"
#include "platform/sdl/sdl_view.h"
#include "platform/sdl/sdl_window_record.h"
#include "platform/soft/message_queue.h"
#include "platform/system.h"
#include "platform/window.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <poll.h>

#include <array>
#include <cstring>
#include <new>

namespace {

using platform::Window;

Window* main_window = nullptr;
MessageQueue queue;
bool quit_posted = false;
Uint32 raise_event = 0;          // SDL's number for our "come forward" event
SDL_Window* modal_box = nullptr; // the message box open over the game, if any

constexpr Uint32 WAIT_STEP_MS = 10;

// Drivers that draw into memory, or onto a console nobody looks at through
// a window: SDL falls back to them when there is no display at all.
constexpr const char* UNSEEN_DRIVERS[] = {"offscreen", "dummy", "evdev"};

void push(uint32_t message, uintptr_t wparam = 0, intptr_t lparam = 0)
{
    message_queue_push(&queue, Message{message, wparam, lparam});
}

bool visible(const Window* w)
{
    return w && w->sdl && (SDL_GetWindowFlags(w->sdl) & SDL_WINDOW_SHOWN) &&
           !(SDL_GetWindowFlags(w->sdl) & SDL_WINDOW_HIDDEN);
}

// Events of another window (the message box, or one just closed) are not
// the game's; 0 is an event with no window in focus.
bool for_game(Uint32 window_id)
{
    return window_id == 0 || (main_window && window_id == SDL_GetWindowID(main_window->sdl));
}

// The box stays above its owner, with the focus, as a Windows dialog does.
void box_forward()
{
    SDL_RaiseWindow(modal_box);
    SDL_SetWindowInputFocus(modal_box);
}

bool driver_unseen(const char* driver)
{
    for (const char* unseen : UNSEEN_DRIVERS)
        if (driver && SDL_strcasecmp(driver, unseen) == 0) return true;
    return false;
}

// SDL_VIDEODRIVER (or the hint) may list several drivers, comma-separated.
bool driver_asked_for(const char* driver)
{
    const char* list = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    const size_t length = std::strlen(driver);
    for (const char* at = list; at && *at;) {
        const char* end = std::strchr(at, ',');
        const size_t n = end ? size_t(end - at) : std::strlen(at);
        if (n == length && SDL_strncasecmp(at, driver, n) == 0) return true;
        at = end ? end + 1 : nullptr;
    }
    return false;
}

void translate_key(const SDL_KeyboardEvent& key)
{
    if (modal_box || !for_game(key.windowID)) return;
    if (sdl_view_key(main_window ? main_window->sdl : nullptr, key)) return;
    const uint8_t vk = sdl_key_to_vk(key.keysym);
    if (!vk) return;
    if (key.type == SDL_KEYDOWN && (key.keysym.mod & KMOD_CTRL) && main_window) {
        for (const platform::Accelerator& a : main_window->accelerators)
            if (a.vk == vk) {
                if (!key.repeat) push(WM_COMMAND, a.command);
                return;
            }
    }
    push(key.type == SDL_KEYDOWN ? WM_KEYDOWN : WM_KEYUP, vk);
}

// Like keys, the pads count for nothing while a message box is open.
void push_pad_key(uint32_t message, uint8_t vk)
{
    if (!modal_box) push(message, vk);
}

void translate_window_event(const SDL_WindowEvent& e)
{
    if (!for_game(e.windowID)) return;
    switch (e.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        push(WM_ACTIVATE, WA_ACTIVE);
        if (modal_box) box_forward();
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        push(WM_ACTIVATE, WA_INACTIVE);
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        push(WM_SIZE, SIZE_MINIMIZED);
        break;
    case SDL_WINDOWEVENT_RESTORED:
        push(WM_SIZE, SIZE_RESTORED);
        break;
    case SDL_WINDOWEVENT_MAXIMIZED:
        push(WM_SIZE, SIZE_MAXIMIZED);
        break;
    case SDL_WINDOWEVENT_CLOSE:
        if (!modal_box) push(WM_CLOSE); // under a box the window is disabled, close box and all
        break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        sdl_display_repaint();
        break;
    default:
        break;
    }
}

void translate(const SDL_Event& e)
{
    switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        translate_key(e.key);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        if (modal_box || !for_game(e.button.windowID)) break;
        const bool down = e.type == SDL_MOUSEBUTTONDOWN;
        if (e.button.button == SDL_BUTTON_LEFT) push(down ? WM_LBUTTONDOWN : WM_LBUTTONUP);
        if (e.button.button == SDL_BUTTON_RIGHT) push(down ? WM_RBUTTONDOWN : WM_RBUTTONUP);
        break;
    }
    case SDL_WINDOWEVENT:
        translate_window_event(e.window);
        break;
    case SDL_QUIT: // a signal or the session ending: close as the close box does
        push(WM_CLOSE);
        break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
        sdl_display_device_reset();
        break;
    default:
        if (sdl_gamepad_event(e, push_pad_key)) break;
        // A minimised window is hidden to SDL, yet the request is for it
        // most of all; only a window not shown yet has nothing to bring back.
        if (raise_event && e.type == raise_event && main_window && main_window->shown) {
            SDL_ShowWindow(main_window->sdl);
            SDL_RestoreWindow(main_window->sdl);
            SDL_RaiseWindow(main_window->sdl);
            if (modal_box) box_forward();
        }
        break;
    }
}

void pump()
{
    SDL_Event e;
    while (SDL_PollEvent(&e)) translate(e);
}

// The frame loop peeks once for every millisecond it sleeps; asking the
// window system every third time is quick enough for keys sampled once a
// frame, and spares most of the round trips.
constexpr Uint32 PEEK_PUMP_MS = 3;
Uint32 last_pump = 0;

void pump_now_and_then()
{
    const Uint32 now = SDL_GetTicks();
    if (now - last_pump < PEEK_PUMP_MS) return;
    last_pump = now;
    pump();
}

// The descriptor of the window's X server connection, or -1 where the
// window system is another.
int x11_connection(SDL_Window* window)
{
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11)
        return ConnectionNumber(info.info.x11.display);
#endif
    (void)window;
    return -1;
}

} // namespace

bool sdl_next_event(SDL_Event* e)
{
    if (SDL_PollEvent(e)) return true;
    SDL_Delay(WAIT_STEP_MS);
    return false;
}

void sdl_window_translate(const SDL_Event& e)
{
    translate(e);
}

bool sdl_video_shows_windows()
{
    return SDL_WasInit(SDL_INIT_VIDEO) && !driver_unseen(SDL_GetCurrentVideoDriver());
}

SDL_Window* sdl_box_owner()
{
    return visible(main_window) ? main_window->sdl : nullptr;
}

void sdl_window_set_modal_box(SDL_Window* box)
{
    modal_box = box;
    if (box) {
        // Windows takes the capture from a window it disables.
        SDL_CaptureMouse(SDL_FALSE);
        box_forward();
    } else if (visible(main_window)) {
        SDL_RaiseWindow(main_window->sdl);
        SDL_SetWindowInputFocus(main_window->sdl);
    }
}

namespace platform {

// A game nobody can see would play its tune to nobody and keep the claim
// from the copy the player starts next, so a driver without visible output
// counts as no display, unless the player asked for it by name.
Window* window_create(MessageHandler handler)
{
    if (!SDL_WasInit(SDL_INIT_VIDEO)) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return nullptr;
        const char* driver = SDL_GetCurrentVideoDriver();
        if (driver_unseen(driver) && !driver_asked_for(driver)) {
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            return nullptr;
        }
    }
    if (!raise_event) raise_event = SDL_RegisterEvents(1);
    auto* w = new (std::nothrow) Window;
    if (!w) return nullptr;
    w->sdl = SDL_CreateWindow("", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 640, 480,
                              SDL_WINDOW_HIDDEN | sdl_view_window_flags());
    if (!w->sdl) {
        delete w;
        return nullptr;
    }
    sdl_set_icon(w->sdl);
    w->connection = x11_connection(w->sdl);
    // Keys reach the game as plain key presses, never through an input
    // method; and the screen saver stays off while the game runs.
    SDL_StopTextInput();
    SDL_DisableScreenSaver();
    w->handler = handler;
    main_window = w;
    // Start-up makes the window only once the single-instance claim is
    // held, so no other copy can be saving the settings now: temporaries
    // beside them were left by saves that were killed.
    settings_remove_leftovers();
    if (handler) handler(w, WM_CREATE, 0, 0);
    return w;
}

void window_destroy(Window* window)
{
    if (!window) return;
    if (main_window == window) main_window = nullptr;
    sdl_display_window_gone(window);
    SDL_DestroyWindow(window->sdl);
    delete window;
}

void window_set_title(Window* window, const char* title)
{
    if (window) SDL_SetWindowTitle(window->sdl, title ? title : "");
}

void window_set_client_size(Window* window, int width, int height)
{
    if (window) sdl_view_size_window(window->sdl, width, height);
}

void window_show(Window* window)
{
    if (!window) return;
    SDL_ShowWindow(window->sdl);
    window->shown = true;
}

// SDL places and measures the client area; the frame is around it.
RECT window_rect(Window* window)
{
    if (!window) return RECT{0, 0, 0, 0};
    int x = 0, y = 0, w = 0, h = 0, top = 0, left = 0, bottom = 0, right = 0;
    SDL_GetWindowPosition(window->sdl, &x, &y);
    SDL_GetWindowSize(window->sdl, &w, &h);
    SDL_GetWindowBordersSize(window->sdl, &top, &left, &bottom, &right);
    return RECT{x - left, y - top, x + w + right, y + h + bottom};
}

void window_client_offset(int* x, int* y)
{
    int top = 0, left = 0;
    if (main_window) SDL_GetWindowBordersSize(main_window->sdl, &top, &left, nullptr, nullptr);
    *x = left;
    *y = top;
}

void window_set_accelerators(Window* window, std::span<const Accelerator> accelerators)
{
    if (window) window->accelerators.assign(accelerators.begin(), accelerators.end());
}

bool message_peek()
{
    pump_now_and_then();
    return queue.count > 0 || quit_posted;
}

// The program sleeps in the window system's own wait, so it wakes only
// for an event or at the end of the time. On X11 it asks the server once
// and then sleeps on the connection, where SDL's wait would ask twice (and
// with a pad open would poll in 1 ms steps); the pads are read at the next
// frame either way. The wait has asked the window system for its events,
// so the next peek need not.
void message_wait(uint32_t ms)
{
    if (queue.count > 0 || quit_posted) return;
    if (main_window && main_window->connection >= 0) {
        pump();
        last_pump = SDL_GetTicks();
        if (queue.count > 0 || quit_posted) return;
        pollfd connection{main_window->connection, POLLIN, 0};
        if (poll(&connection, 1, int(ms)) > 0) pump();
        last_pump = SDL_GetTicks();
        return;
    }
    SDL_Event e;
    const bool got = SDL_WaitEventTimeout(&e, int(ms));
    last_pump = SDL_GetTicks();
    if (!got) return;
    translate(e);
    pump();
}

// While the queue is empty this waits for SDL's events, so an inactive
// game sleeps.
bool message_get(Message* message)
{
    for (;;) {
        if (message_queue_pop(&queue, message)) return true;
        if (quit_posted) {
            *message = Message{WM_QUIT, 0, 0};
            return false;
        }
        SDL_Event e;
        if (sdl_next_event(&e)) translate(e);
    }
}

void message_dispatch(const Message& message)
{
    if (main_window && main_window->handler)
        main_window->handler(main_window, message.message, message.wparam, message.lparam);
}

// Like Windows' quit message, it is seen after the messages already queued.
void post_quit()
{
    quit_posted = true;
}

// Nothing like Windows' debug output watches a program here.
void debug_output(const char*)
{
}

void mouse_capture(Window*)
{
    SDL_CaptureMouse(SDL_TRUE);
}

void mouse_release()
{
    SDL_CaptureMouse(SDL_FALSE);
}

// The claim here is a socket, which needs no handle.
uintptr_t window_system_handle(Window*)
{
    return 0;
}

void window_request_raise(Window*)
{
    if (!raise_event) return;
    SDL_Event e{};
    e.type = raise_event;
    SDL_PushEvent(&e); // SDL's queue may be filled from any thread
}

RECT work_area()
{
    SDL_Rect r{0, 0, 640, 480};
    const int display = main_window ? SDL_GetWindowDisplayIndex(main_window->sdl) : 0;
    if (SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &r) != 0) SDL_GetDisplayBounds(0, &r);
    return RECT{r.x, r.y, r.x + r.w, r.y + r.h};
}

void window_move_and_show(Window* window, int x, int y)
{
    if (!window) return;
    int top = 0, left = 0;
    SDL_GetWindowBordersSize(window->sdl, &top, &left, nullptr, nullptr);
    SDL_SetWindowPosition(window->sdl, x + left, y + top);
    SDL_ShowWindow(window->sdl);
    window->shown = true;
    sdl_view_shown(window->sdl);
}

} // namespace platform
