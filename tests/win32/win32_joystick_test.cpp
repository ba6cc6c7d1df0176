// The pads against a DirectInput and an XInput of the test's own: this
// program defines DirectInputCreateA and the XInput loader itself, so the
// backend's calls reach the fakes below instead of the system's DLLs. What
// counts is the outcome: whether a joystick is held, which one, and that
// everything made is released again at the close; and which key each pad's
// button gives.
#include "platform/joystick.h"
#include "platform/win32/win32_platform.h"

#include <gtest/gtest.h>

#ifndef DIRECTINPUT_VERSION
#define DIRECTINPUT_VERSION 0x0500
#endif
#include <dinput.h>

#include <array>
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

    STDMETHOD(QueryInterface)(REFIID, void**) override { return E_NOTIMPL; }
    STDMETHOD_(ULONG, AddRef)() override { return ++references; }
    STDMETHOD_(ULONG, Release)() override { return --references; }
    STDMETHOD(EnumDevices)
    (DWORD type, LPDIENUMDEVICESCALLBACKA callback, LPVOID context, DWORD flags) override
    {
        for (size_t i = 0; type == DIDEVTYPE_JOYSTICK && flags == DIEDFL_ATTACHEDONLY && i < devices->size(); ++i) {
            DIDEVICEINSTANCEA instance{};
            instance.dwSize = sizeof instance;
            instance.guidInstance.Data1 = DWORD(i);
            if (callback(&instance, context) == DIENUM_STOP) break;
        }
        return S_OK;
    }
    STDMETHOD(CreateDevice)
    (REFGUID which, LPDIRECTINPUTDEVICEA* out, LPUNKNOWN) override
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

// XInput's four pads: -1 when unplugged, else the buttons held.
std::array<int, XUSER_MAX_COUNT> pad_buttons{};
bool xinput_installed = false;

DWORD WINAPI fake_get_state(DWORD pad, XINPUT_STATE* state)
{
    *state = XINPUT_STATE{};
    state->Gamepad.wButtons = WORD(pad_buttons[pad]);
    return pad_buttons[pad] < 0 ? ERROR_DEVICE_NOT_CONNECTED : ERROR_SUCCESS;
}

} // namespace

XInputGetStateFunction win32_xinput_load(HMODULE* library)
{
    *library = nullptr;
    return xinput_installed ? fake_get_state : nullptr;
}

namespace {

TEST(Win32Pads, AJoystickIsHeldAndReleasedAndEachPadButtonIsItsKey)
{
    // DirectInput's joystick: the first usable one is held until the close.
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

    // The keys the window is sent while the game looks for messages: a key
    // goes down when the first pad presses its button and up when the last
    // one lets go of it or is unplugged; the buttons the game does not read
    // give nothing.
    const int A = XINPUT_GAMEPAD_A;
    const struct {
        std::array<int, XUSER_MAX_COUNT> pads;
        std::vector<int> keys; // +code down, -code up, in the order sent
    } steps[] = {
        {{0, 0, -1, -1}, {}},
        {{0, XINPUT_GAMEPAD_X, -1, -1}, {GAMEPAD_X}},
        {{0, A, -1, -1}, {-GAMEPAD_X, GAMEPAD_A}},
        {{0, XINPUT_GAMEPAD_B, -1, -1}, {-GAMEPAD_A, GAMEPAD_B}},
        {{0, XINPUT_GAMEPAD_Y, -1, -1}, {-GAMEPAD_B, GAMEPAD_Y}},
        {{0, XINPUT_GAMEPAD_START, -1, -1}, {-GAMEPAD_Y, GAMEPAD_START}},
        {{0, XINPUT_GAMEPAD_BACK, -1, -1}, {-GAMEPAD_START, GAMEPAD_BACK}},
        {{0, XINPUT_GAMEPAD_DPAD_UP | XINPUT_GAMEPAD_LEFT_SHOULDER, -1, -1}, {-GAMEPAD_BACK}},
        {{A, A, -1, -1}, {GAMEPAD_A}},
        {{0, A, -1, -1}, {}},
        {{0, -1, -1, -1}, {-GAMEPAD_A}},
    };
    xinput_installed = true;
    EXPECT_EQ(platform::gamepads_open(window), 0) << "no DirectInput joystick is held";
    for (const auto& step : steps) {
        pad_buttons = step.pads;
        Sleep(10); // the pads are read at most every few milliseconds
        platform::message_peek();
        std::vector<int> keys;
        for (MSG m; PeekMessageA(&m, win32_hwnd(window), WM_KEYFIRST, WM_KEYLAST, PM_REMOVE);)
            keys.push_back(m.message == WM_KEYDOWN ? int(m.wParam) : -int(m.wParam));
        EXPECT_EQ(keys, step.keys) << "after step " << &step - steps;
    }
    platform::gamepads_close();
    xinput_installed = false;
    platform::window_destroy(window);
}

} // namespace
