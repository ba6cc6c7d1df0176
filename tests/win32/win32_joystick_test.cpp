// The pads against a DirectInput and an XInput of the test's own: this
// program defines DirectInputCreateA and the XInput loader itself, so the
// backend's calls reach the fakes below instead of the system's DLLs. What
// counts is the outcome: whether a joystick is held, which one, and that
// everything made is released again at the close; and a game played with a
// pad, stage and pause screen.
#include "platform/joystick.h"
#include "platform/win32/win32_platform.h"

#include "app/frame_loop.h"
#include "app/main_window.h"
#include "game/scene.h"
#include "game/targets.h"
#include "gfx/blit.h"
#include "gfx/display.h"
#include "input/keys.h"

#include <gtest/gtest.h>

#ifndef DIRECTINPUT_VERSION
#define DIRECTINPUT_VERSION 0x0500
#endif
#include <dinput.h>
#include <mmsystem.h>

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

// A joystick: without the second interface it answers only the first. It
// has no reference until DirectInput makes it.
class FakeDevice : public IDirectInputDevice2A {
public:
    FakeDevice(bool second, HRESULT level) : second_(second), level_(level) {}
    ULONG references = 0;
    bool acquired = false;

    STDMETHOD(QueryInterface)(REFIID iid, void** out) override
    {
        *out = iid == IID_IDirectInputDevice2A && second_ ? this : nullptr;
        if (*out) AddRef();
        return *out ? S_OK : E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++references; }
    STDMETHOD_(ULONG, Release)() override { return --references; }
    STDMETHOD(SetDataFormat)(LPCDIDATAFORMAT format) override { return format == &c_dfDIJoystick ? S_OK : E_FAIL; }
    STDMETHOD(SetCooperativeLevel)(HWND window, DWORD flags) override
    {
        return window && flags == (DISCL_EXCLUSIVE | DISCL_BACKGROUND) ? level_ : E_INVALIDARG;
    }
    STDMETHOD(Acquire)() override
    {
        acquired = true;
        return S_OK;
    }
    // Nothing else is ever asked.
#define NOT_ASKED(method, ...)                                                                                         \
    STDMETHOD(method)(__VA_ARGS__) override                                                                            \
    {                                                                                                                  \
        return E_NOTIMPL;                                                                                              \
    }
    NOT_ASKED(GetCapabilities, LPDIDEVCAPS)
    NOT_ASKED(EnumObjects, LPDIENUMDEVICEOBJECTSCALLBACKA, LPVOID, DWORD)
    NOT_ASKED(GetProperty, REFGUID, LPDIPROPHEADER)
    NOT_ASKED(SetProperty, REFGUID, LPCDIPROPHEADER)
    NOT_ASKED(Unacquire)
    NOT_ASKED(GetDeviceState, DWORD, LPVOID)
    NOT_ASKED(GetDeviceData, DWORD, LPDIDEVICEOBJECTDATA, LPDWORD, DWORD)
    NOT_ASKED(SetEventNotification, HANDLE)
    NOT_ASKED(GetObjectInfo, LPDIDEVICEOBJECTINSTANCEA, DWORD, DWORD)
    NOT_ASKED(GetDeviceInfo, LPDIDEVICEINSTANCEA)
    NOT_ASKED(RunControlPanel, HWND, DWORD)
    NOT_ASKED(Initialize, HINSTANCE, DWORD, REFGUID)
    NOT_ASKED(CreateEffect, REFGUID, LPCDIEFFECT, LPDIRECTINPUTEFFECT*, LPUNKNOWN)
    NOT_ASKED(EnumEffects, LPDIENUMEFFECTSCALLBACKA, LPVOID, DWORD)
    NOT_ASKED(GetEffectInfo, LPDIEFFECTINFOA, REFGUID)
    NOT_ASKED(GetForceFeedbackState, LPDWORD)
    NOT_ASKED(SendForceFeedbackCommand, DWORD)
    NOT_ASKED(EnumCreatedEffectObjects, LPDIENUMCREATEDEFFECTOBJECTSCALLBACK, LPVOID, DWORD)
    NOT_ASKED(Escape, LPDIEFFESCAPE)
    NOT_ASKED(Poll)
    NOT_ASKED(SendDeviceData, DWORD, LPCDIDEVICEOBJECTDATA, LPDWORD, DWORD)
#undef NOT_ASKED

private:
    bool second_;
    HRESULT level_;
};

// DirectInput with these joysticks attached, each handed out on request.
class FakeInput : public IDirectInputA {
public:
    std::vector<FakeDevice>* devices = nullptr;
    ULONG references = 1;

    STDMETHOD(QueryInterface)(REFIID, void** out) override
    {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++references; }
    STDMETHOD_(ULONG, Release)() override { return --references; }
    STDMETHOD(EnumDevices)(DWORD type, LPDIENUMDEVICESCALLBACKA callback, LPVOID context, DWORD flags) override
    {
        for (size_t i = 0; type == DIDEVTYPE_JOYSTICK && flags == DIEDFL_ATTACHEDONLY && i < devices->size(); ++i) {
            DIDEVICEINSTANCEA instance{};
            instance.dwSize = sizeof instance;
            instance.guidInstance.Data1 = DWORD(i);
            if (callback(&instance, context) == DIENUM_STOP) break;
        }
        return S_OK;
    }
    STDMETHOD(CreateDevice)(REFGUID which, LPDIRECTINPUTDEVICEA* out, LPUNKNOWN) override
    {
        *out = &(*devices)[which.Data1];
        (*out)->AddRef();
        return S_OK;
    }
    STDMETHOD(GetDeviceStatus)(REFGUID) override { return E_NOTIMPL; }
    STDMETHOD(RunControlPanel)(HWND, DWORD) override { return E_NOTIMPL; }
    STDMETHOD(Initialize)(HINSTANCE, DWORD) override { return E_NOTIMPL; }
};

FakeInput* installed = nullptr; // what DirectInputCreateA hands out; none: it fails

} // namespace

extern "C" HRESULT WINAPI DirectInputCreateA(HINSTANCE, DWORD, LPDIRECTINPUTA* out, LPUNKNOWN)
{
    *out = installed;
    return *out ? S_OK : DIERR_GENERIC;
}

namespace {

// A player on the second of the four pads, who watches the game and
// presses what the next step asks once its scene takes keys (and the seal
// named is hit). Each press is held for a few frames.
struct PadStep {
    const char* what;
    Scene scene;
    int hit; // a seal that must be hit first, or -1
    WORD buttons;
};
constexpr PadStep PAD_PLAYER[] = {
    {"Start on the title", SCENE_TITLE, -1, XINPUT_GAMEPAD_START},
    {"A throws at the middle seal before its release", SCENE_PLAY, -1, XINPUT_GAMEPAD_A},
    {"Back opens the pause screen", SCENE_PLAY, 1, XINPUT_GAMEPAD_BACK},
    {"Start continues", SCENE_PLAY, -1, XINPUT_GAMEPAD_START},
    {"B throws at the right seal", SCENE_PLAY, -1, XINPUT_GAMEPAD_B},
    {"Back opens the pause screen again", SCENE_PLAY, 2, XINPUT_GAMEPAD_BACK},
    {"a fresh Back ends the game", SCENE_PLAY, -1, XINPUT_GAMEPAD_BACK},
};
bool ready(const PadStep& step)
{
    return scene_get() == step.scene && accept_input_get() &&
           (step.hit < 0 || target_get(step.hit).state == TargetState::Hit);
}
constexpr DWORD PRESS_MS = 60, PAUSE_MS = 120, GIVE_UP_MS = 30000;
constexpr DWORD PLAYER_PAD = 1;
size_t pad_step = 0;
DWORD pressed_at = 0, released_at = 0;
bool xinput_installed = false;

DWORD WINAPI fake_get_state(DWORD pad, XINPUT_STATE* state)
{
    *state = XINPUT_STATE{};
    if (pad != PLAYER_PAD) return ERROR_DEVICE_NOT_CONNECTED;
    const DWORD now = timeGetTime();
    if (pressed_at && now - pressed_at < PRESS_MS) {
        state->Gamepad.wButtons = PAD_PLAYER[pad_step - 1].buttons;
        return ERROR_SUCCESS;
    }
    if (pressed_at) {
        pressed_at = 0;
        released_at = now;
    }
    if (pad_step >= std::size(PAD_PLAYER) || now - released_at < PAUSE_MS || !ready(PAD_PLAYER[pad_step]))
        return ERROR_SUCCESS;
    pressed_at = now;
    state->Gamepad.wButtons = PAD_PLAYER[pad_step++].buttons;
    return ERROR_SUCCESS;
}

// The player keeps the game's window in front (another test's window may
// take the focus as it goes), and closes a game that cannot be finished.
HWND game_window = nullptr;
DWORD game_began = 0;
void CALLBACK keep_playing(HWND, UINT, UINT_PTR, DWORD)
{
    if (timeGetTime() - game_began > GIVE_UP_MS)
        PostMessageA(game_window, WM_CLOSE, 0, 0);
    else if (!window_active())
        SetForegroundWindow(game_window);
}

} // namespace

XInputGetStateFunction win32_xinput_load(HMODULE* library)
{
    *library = nullptr;
    return xinput_installed ? fake_get_state : nullptr;
}

namespace {

TEST(Win32Joystick, HoldsTheFirstUsableJoystickAndReleasesEverythingAtTheClose)
{
    const struct {
        const char* name;
        bool has_input;
        std::vector<bool> second_interface; // one per attached joystick
        HRESULT level;
        int held; // the joystick acquired, or -1
    } cases[] = {
        {"no DirectInput", false, {}, S_OK, -1},
        {"no joystick", true, {}, S_OK, -1},
        {"the second of two, the first lacking the second interface", true, {false, true}, S_OK, 1},
        {"the first of two", true, {true, true}, S_OK, 0},
        {"a joystick refusing the level", true, {true}, DIERR_INVALIDPARAM, -1},
    };
    platform::Window* window =
        platform::window_create([](platform::Window*, unsigned, uintptr_t, intptr_t) { return intptr_t(0); });
    ASSERT_NE(window, nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<FakeDevice> devices;
        for (bool second : c.second_interface) devices.emplace_back(second, c.level);
        FakeInput input;
        input.devices = &devices;
        installed = c.has_input ? &input : nullptr;
        EXPECT_EQ(platform::gamepads_open(window), c.held >= 0 ? 1 : 0);
        EXPECT_EQ(platform::gamepads_open(window), c.held >= 0 ? 1 : 0) << "a second open answers the same";
        for (size_t i = 0; i < devices.size(); ++i) EXPECT_EQ(devices[i].acquired, int(i) == c.held) << i;
        platform::gamepads_close();
        platform::gamepads_close(); // a second close has nothing left to release
        for (const FakeDevice& d : devices) EXPECT_EQ(d.references, 0u) << "device " << &d - devices.data();
        EXPECT_EQ(input.references, c.has_input ? 0u : 1u);
    }
    installed = nullptr;
    platform::window_destroy(window);
}

// The whole game on the real window and display, played with the pad
// alone: Start leaves the title, A and B throw at their seals, Back pauses,
// Start continues, and Back on the pause screen ends the game.
TEST(Win32Pads, APadPlaysAStageAndThePauseScreen)
{
    key_state_reset();
    main_window_state_reset();
    frame_loop_state_reset();
    platform::Window* window = platform::window_create(main_window_proc);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(display_init(window, ""), 1);
    ASSERT_EQ(display_create_surfaces(window, SCREEN_WIDTH, SCREEN_HEIGHT, 1), 1);
    platform::window_set_client_size(window, SCREEN_WIDTH, SCREEN_HEIGHT);
    platform::window_show(window);
    xinput_installed = true;
    pad_step = 0;
    pressed_at = released_at = 0;
    game_window = win32_hwnd(window);
    EXPECT_EQ(platform::gamepads_open(window), 0) << "no DirectInput joystick is held";
    game_began = timeGetTime();
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, keep_playing);
    EXPECT_EQ(run_game(), 1);
    KillTimer(nullptr, timer);
    platform::gamepads_close();
    xinput_installed = false;
    platform::window_destroy(window);
    display_shutdown();

    ASSERT_EQ(pad_step, std::size(PAD_PLAYER)) << "stuck before: " << PAD_PLAYER[pad_step].what;
    EXPECT_EQ(scene_get(), SCENE_PLAY);
    EXPECT_EQ(target_get(0).state, TargetState::Waiting) << "nothing thrown at the left seal";
    EXPECT_EQ(target_get(1).state, TargetState::Hit);
    EXPECT_EQ(target_get(2).state, TargetState::Hit) << "the game went on after Start on the pause screen";
}

} // namespace
