// The first attached joystick, through DirectInput 5: opened at start-up,
// acquired for the whole run and released at shutdown. Nothing in the game
// reads it; holding it is all the game ever did with it. No DirectInput, no
// joystick, or one that refuses us: nothing is said and the game runs on.
#include "platform/joystick.h"
#include "platform/win32/win32_platform.h"

#ifndef DIRECTINPUT_VERSION
#define DIRECTINPUT_VERSION 0x0500
#endif
#include <dinput.h>

namespace {

constexpr DWORD INPUT_VERSION = 0x0500;

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

namespace platform {

int gamepads_open(Window* window)
{
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
