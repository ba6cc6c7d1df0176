#include "app/main_window.h"

#include "app/frame_loop.h"
#include "input/keys.h"
#include "sys/volume_control.h"

namespace {

int active = 0;

} // namespace

intptr_t main_window_proc(platform::Window* window, uint32_t message, uintptr_t wparam, intptr_t)
{
    switch (message) {
    case WM_CREATE:
        active = 1;
        break;
    case WM_SIZE:
        if (wparam == SIZE_RESTORED || wparam == SIZE_MAXIMIZED)
            on_activate();
        else if (wparam == SIZE_MINIMIZED)
            on_deactivate();
        break;
    case WM_ACTIVATE: {
        const uintptr_t how = wparam & 0xFFFF;
        if (how == WA_ACTIVE || how == WA_CLICKACTIVE) {
            platform::debug_output("aa\n");
            on_activate();
        } else {
            platform::debug_output("ii\n");
            on_deactivate();
        }
        break;
    }
    case WM_CLOSE:
        // The window stays until the frame loop has ended; start-up then
        // destroys it.
        platform::post_quit();
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_CANCELMODE:
        key_state_on_message(window, message, wparam);
        break;
    case WM_COMMAND:
        switch (wparam & 0xFFFF) {
        case COMMAND_CLOSE:
            main_window_proc(window, WM_CLOSE, 0, 0);
            break;
        case COMMAND_RESET:
            request_reset(1);
            break;
        case COMMAND_ABOUT:
            show_about_box(window);
            break;
        case COMMAND_VOLUME:
            // Doing nothing would leave the player wondering whether the
            // key was heard.
            if (!open_volume_control(window)) platform::message_box("no volume control found", "Quobbin");
            break;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return 0;
}

int window_active()
{
    return active;
}

void on_deactivate()
{
    if (active == 1) active = 0;
}

// Keys released while another window had the focus must not stay down.
void on_activate()
{
    if (active == 0) {
        active = 1;
        key_state_reset();
    }
}

void main_window_state_reset()
{
    active = 0;
}

void show_about_box(platform::Window* window)
{
    platform::about_box(window, ABOUT_TITLE, ABOUT_DATE, ABOUT_MAKER);
}
