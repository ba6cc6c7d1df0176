#include "platform/sdl/sdl_gamepad.h"

#include "platform/types.h"

#include <array>
#include <cstddef>

namespace {

// The buttons the game reads, by where they sit: the face buttons left,
// bottom and right catch the left, middle and right seal (as 1, 2 and 3
// do), Start is Space, Back opens the pause screen, and there Y resets.
struct PadButton {
    SDL_GameControllerButton button;
    uint8_t vk;
};

constexpr std::array<PadButton, 6> PAD_BUTTONS{{
    {SDL_CONTROLLER_BUTTON_X, GAMEPAD_X},
    {SDL_CONTROLLER_BUTTON_A, GAMEPAD_A},
    {SDL_CONTROLLER_BUTTON_B, GAMEPAD_B},
    {SDL_CONTROLLER_BUTTON_Y, GAMEPAD_Y},
    {SDL_CONTROLLER_BUTTON_START, GAMEPAD_START},
    {SDL_CONTROLLER_BUTTON_BACK, GAMEPAD_BACK},
}};

using HeldMask = uint32_t; // bit i: PAD_BUTTONS[i] is down

struct Pad {
    SDL_GameController* controller = nullptr;
    SDL_JoystickID id = -1;
    HeldMask held = 0;
};

// More pads than anyone plugs in; one beyond them is not read.
constexpr size_t MAX_PADS = 8;
std::array<Pad, MAX_PADS> pads{};
bool subsystem_started = false;

HeldMask held_by_any()
{
    HeldMask held = 0;
    for (const Pad& p : pads) held |= p.held;
    return held;
}

// A key goes down when the first pad presses its button and up when the
// last one lets go.
void send_changes(HeldMask before, HeldMask after, GamepadKeySink sink)
{
    for (size_t i = 0; i < PAD_BUTTONS.size(); ++i) {
        const HeldMask bit = HeldMask(1) << i;
        if ((before ^ after) & bit) sink((after & bit) ? WM_KEYDOWN : WM_KEYUP, PAD_BUTTONS[i].vk);
    }
}

Pad* find(SDL_JoystickID id)
{
    for (Pad& p : pads)
        if (p.controller && p.id == id) return &p;
    return nullptr;
}

// A device SDL knows as a game controller, once however often it is
// announced (attached before the subsystem started, it is also announced
// by an event).
void open_device(int index)
{
    if (!SDL_IsGameController(index)) return;
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
    if (id < 0 || find(id)) return;
    for (Pad& p : pads) {
        if (p.controller) continue;
        p.controller = SDL_GameControllerOpen(index);
        if (!p.controller) return;
        p.id = id;
        p.held = 0;
        return;
    }
}

void remove(SDL_JoystickID id, GamepadKeySink sink)
{
    Pad* pad = find(id);
    if (!pad) return;
    const HeldMask before = held_by_any();
    SDL_GameControllerClose(pad->controller);
    *pad = Pad{};
    send_changes(before, held_by_any(), sink);
}

void button(const SDL_ControllerButtonEvent& e, GamepadKeySink sink)
{
    Pad* pad = find(e.which);
    if (!pad) return;
    for (size_t i = 0; i < PAD_BUTTONS.size(); ++i) {
        if (PAD_BUTTONS[i].button != e.button) continue;
        const HeldMask before = held_by_any();
        const HeldMask bit = HeldMask(1) << i;
        pad->held = e.state == SDL_PRESSED ? (pad->held | bit) : (pad->held & ~bit);
        send_changes(before, held_by_any(), sink);
        return;
    }
}

} // namespace

bool sdl_gamepads_open()
{
    if (!subsystem_started) {
        // The buttons by where they sit, as on the common layout, even on a
        // pad whose labels are laid out otherwise.
        SDL_SetHint(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0");
        if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return false;
        subsystem_started = true;
    }
    for (int i = 0; i < SDL_NumJoysticks(); ++i) open_device(i);
    return true;
}

void sdl_gamepads_close()
{
    for (Pad& p : pads) {
        if (p.controller) SDL_GameControllerClose(p.controller);
        p = Pad{};
    }
    if (subsystem_started) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    subsystem_started = false;
}

int sdl_gamepad_count()
{
    int n = 0;
    for (const Pad& p : pads) n += p.controller ? 1 : 0;
    return n;
}

bool sdl_gamepad_event(const SDL_Event& e, GamepadKeySink sink)
{
    switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED:
        open_device(e.cdevice.which); // a device index here
        return true;
    case SDL_CONTROLLERDEVICEREMOVED:
        remove(e.cdevice.which, sink); // an instance id here
        return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        button(e.cbutton, sink);
        return true;
    default:
        return false;
    }
}
