// The pads. The first attached joystick, through DirectInput 5: opened at
// start-up, acquired for the whole run and released at shutdown. Nothing in
// the game reads it; holding it is all the game ever did with it. No
// DirectInput, no joystick, or one that refuses us: nothing is said and the
// game runs on.
//
// And the pads that play: up to four through XInput, plugged in or out at
// any time, whose buttons become key messages of codes of their own
// (GAMEPAD_A and the rest, types.h), as on Linux, so they take the keys'
// path and rules. A machine without XInput has no such pads.
#include "platform/joystick.h"
#include "platform/win32/win32_platform.h"

#ifndef DIRECTINPUT_VERSION
#define DIRECTINPUT_VERSION 0x0500
#endif
#include <dinput.h>
#include <mmsystem.h>

#include <array>

namespace {

constexpr DWORD INPUT_VERSION = 0x0500;

// The buttons the game reads, by where they sit, as on Linux: the face
// buttons left, bottom and right catch the left, middle and right seal,
// Start is Space, Back opens the pause screen, and there Y resets.
struct PadButton {
    WORD button;
    uint8_t vk;
};
constexpr std::array<PadButton, 6> PAD_BUTTONS{{
    {XINPUT_GAMEPAD_X, GAMEPAD_X},
    {XINPUT_GAMEPAD_A, GAMEPAD_A},
    {XINPUT_GAMEPAD_B, GAMEPAD_B},
    {XINPUT_GAMEPAD_Y, GAMEPAD_Y},
    {XINPUT_GAMEPAD_START, GAMEPAD_START},
    {XINPUT_GAMEPAD_BACK, GAMEPAD_BACK},
}};
// Pads are read at most this often (a frame is 13 ms); an empty slot is
// asked again only after a second, since asking about a pad that is not
// there is slow.
constexpr DWORD POLL_MS = 4;
constexpr DWORD SEARCH_MS = 1000;

struct XInputPads {
    XInputGetStateFunction get_state = nullptr;
    HMODULE library = nullptr;
    HWND window = nullptr;
    std::array<bool, XUSER_MAX_COUNT> connected{};
    std::array<WORD, XUSER_MAX_COUNT> buttons{};
    DWORD polled = 0;
    DWORD searched = 0;
    bool searched_once = false;
};
XInputPads pads;

WORD held_by_any()
{
    WORD held = 0;
    for (WORD b : pads.buttons) held |= b;
    return held;
}

IDirectInputA* input = nullptr;
IDirectInputDevice2A* joystick = nullptr;
bool joystick_usable = false; // formatted, given its level and asked for

struct Search {
    IDirectInputA* input;
    IDirectInputDevice2A* found;
};

// Takes the first joystick that offers the second device interface; one
// that cannot be made or lacks it is passed over for the next.
BOOL CALLBACK take_first_joystick(LPCDIDEVICEINSTANCEA instance, LPVOID context)
{
    auto* search = static_cast<Search*>(context);
    IDirectInputDeviceA* device = nullptr;
    if (FAILED(search->input->CreateDevice(instance->guidInstance, &device, nullptr)) || !device)
        return DIENUM_CONTINUE;
    void* second = nullptr;
    const HRESULT asked = device->QueryInterface(IID_IDirectInputDevice2A, &second);
    device->Release();
    if (FAILED(asked) || !second) return DIENUM_CONTINUE;
    search->found = static_cast<IDirectInputDevice2A*>(second);
    return DIENUM_STOP;
}

} // namespace

// A key goes down when the first pad presses its button and up when the
// last one lets go; a pad unplugged lets go of everything it held.
void win32_gamepads_poll()
{
    if (!pads.get_state) return;
    const DWORD now = timeGetTime();
    if (pads.searched_once && now - pads.polled < POLL_MS) return;
    pads.polled = now;
    const bool search = !pads.searched_once || now - pads.searched >= SEARCH_MS;
    if (search) {
        pads.searched = now;
        pads.searched_once = true;
    }
    const WORD before = held_by_any();
    for (DWORD i = 0; i < XUSER_MAX_COUNT; ++i) {
        if (!pads.connected[i] && !search) continue;
        XINPUT_STATE state{};
        pads.connected[i] = pads.get_state(i, &state) == ERROR_SUCCESS;
        pads.buttons[i] = pads.connected[i] ? state.Gamepad.wButtons : 0;
    }
    const WORD after = held_by_any();
    for (const PadButton& b : PAD_BUTTONS)
        if ((before ^ after) & b.button) PostMessageA(pads.window, (after & b.button) ? WM_KEYDOWN : WM_KEYUP, b.vk, 0);
}

namespace platform {

int gamepads_open(Window* window)
{
    if (!pads.get_state) {
        pads = XInputPads{};
        pads.get_state = win32_xinput_load(&pads.library);
        pads.window = win32_hwnd(window);
    }
    if (input) return joystick_usable ? 1 : 0; // opened once for the run
    if (FAILED(DirectInputCreateA(win32_instance(), INPUT_VERSION, &input, nullptr)) || !input) {
        input = nullptr;
        return 0;
    }
    // The search holds a reference of its own while the callbacks run.
    Search search{input, nullptr};
    input->AddRef();
    input->EnumDevices(DIDEVTYPE_JOYSTICK, take_first_joystick, &search, DIEDFL_ATTACHEDONLY);
    input->Release();
    // Without a joystick the DirectInput object stays until gamepads_close.
    if (!search.found) return 0;
    joystick = search.found;
    if (FAILED(joystick->SetDataFormat(&c_dfDIJoystick))) return 0;
    if (FAILED(joystick->SetCooperativeLevel(win32_hwnd(window), DISCL_EXCLUSIVE | DISCL_BACKGROUND))) return 0;
    joystick->Acquire(); // a refusal now still leaves the device to close
    joystick_usable = true;
    return 1;
}

void gamepads_close()
{
    if (pads.library) FreeLibrary(pads.library);
    pads = XInputPads{};
    if (joystick) {
        joystick->Release(); // which also lets go of the acquisition
        joystick = nullptr;
        joystick_usable = false;
    }
    if (input) {
        input->Release();
        input = nullptr;
    }
}

} // namespace platform
