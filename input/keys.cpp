#include "input/keys.h"

#include "platform/joystick.h"

#include <array>
#include <cstddef>

namespace {

std::array<uint8_t, 256> keys_down{};
std::array<uint8_t, 256> keys_previous{};
std::array<uint8_t, 256> keys_newly{};
uint32_t mouse_buttons = 0;
uint32_t mouse_captured = 0;

void button_down(platform::Window* window, uint32_t bit)
{
    mouse_buttons |= bit;
    if (!mouse_captured) {
        mouse_captured = 1;
        platform::mouse_capture(window);
    }
}

// The capture stays while the other button is still held.
void button_up(uint32_t bit, uint32_t other)
{
    mouse_buttons &= ~bit;
    if (!(mouse_buttons & other)) {
        mouse_captured = 0;
        platform::mouse_release();
    }
}

} // namespace

void key_state_reset()
{
    keys_down.fill(0);
    keys_previous.fill(0);
    keys_newly.fill(0);
    mouse_buttons = 0;
}

void key_state_on_message(platform::Window* window, uint32_t message, uintptr_t wparam)
{
    switch (message) {
    case WM_KEYDOWN:
        if (wparam < keys_down.size()) keys_down[wparam] = 1;
        break;
    case WM_KEYUP:
        if (wparam < keys_down.size()) keys_down[wparam] = 0;
        break;
    case WM_LBUTTONDOWN:
        button_down(window, MOUSE_LEFT);
        break;
    case WM_RBUTTONDOWN:
        button_down(window, MOUSE_RIGHT);
        break;
    case WM_LBUTTONUP:
        button_up(MOUSE_LEFT, MOUSE_RIGHT);
        break;
    case WM_RBUTTONUP:
        button_up(MOUSE_RIGHT, MOUSE_LEFT);
        break;
    case WM_CANCELMODE: // releases were lost: let go of everything, as on losing the focus
        keys_down.fill(0);
        button_up(MOUSE_LEFT | MOUSE_RIGHT, 0);
        break;
    default:
        break;
    }
}

void key_state_update()
{
    for (size_t k = 0; k < keys_down.size(); ++k) {
        keys_newly[k] = (keys_previous[k] == 0 && keys_down[k] != 0) ? 1 : 0;
        keys_previous[k] = keys_down[k];
    }
}

void key_forget(int vk)
{
    if (vk >= 0 && vk < 256) keys_down[size_t(vk)] = 0;
}

int key_held(int vk)
{
    return (vk >= 0 && vk < 256 && keys_down[size_t(vk)]) ? 1 : 0;
}

int key_newly_pressed(int vk)
{
    return (vk >= 0 && vk < 256 && keys_newly[size_t(vk)]) ? 1 : 0;
}

uint32_t mouse_buttons_held()
{
    return mouse_buttons;
}

int mouse_capture_held()
{
    return int(mouse_captured);
}

int joystick_open(platform::Window* window)
{
    return platform::joystick_open(window);
}

void joystick_close()
{
    platform::joystick_close();
}
