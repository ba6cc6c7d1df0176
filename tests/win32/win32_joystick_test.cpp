// The joystick's open and close order, against a DirectInput of the test's
// own: this program defines DirectInputCreateA itself, so the backend's
// call reaches the fake below instead of dinput.dll. Each fake object
// writes what it is asked into one log, so a test reads the whole
// conversation in order, releases included.
#include "platform/joystick.h"
#include "platform/win32/win32_platform.h"

#include <gtest/gtest.h>

#ifndef DIRECTINPUT_VERSION
#define DIRECTINPUT_VERSION 0x0500
#endif
#include <dinput.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> log_lines;
void note(const std::string& line)
{
    log_lines.push_back(line);
}

// A joystick: without the second interface it answers only the first.
class FakeDevice : public IDirectInputDevice2A {
public:
    FakeDevice(std::string name, bool second, HRESULT level) : name_(std::move(name)), second_(second), level_(level) {}
    ULONG references = 1;

    STDMETHOD(QueryInterface)(REFIID iid, void** out) override
    {
        if (iid == IID_IDirectInputDevice2A && second_) {
            note(name_ + " gives the second interface");
            *out = this;
            AddRef();
            return S_OK;
        }
        note(name_ + " refuses the second interface");
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++references; }
    STDMETHOD_(ULONG, Release)() override
    {
        if (--references == 0) note(name_ + " released");
        return references;
    }
    STDMETHOD(SetDataFormat)(LPCDIDATAFORMAT format) override
    {
        note(name_ + (format == &c_dfDIJoystick ? " takes the joystick format" : " takes another format"));
        return S_OK;
    }
    STDMETHOD(SetCooperativeLevel)(HWND window, DWORD flags) override
    {
        note(name_ + " level " + std::to_string(flags) + (window ? " for a window" : " for no window"));
        return level_;
    }
    STDMETHOD(Acquire)() override
    {
        note(name_ + " acquired");
        return S_OK;
    }
    // Nothing else is ever asked.
#define NOT_ASKED(method, ...)                                                                                         \
    STDMETHOD(method)(__VA_ARGS__) override                                                                            \
    {                                                                                                                  \
        return unexpected(#method);                                                                                    \
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
    HRESULT unexpected(const char* what)
    {
        note(name_ + " asked " + what);
        return E_NOTIMPL;
    }
    std::string name_;
    bool second_;
    HRESULT level_;
};

// DirectInput with these joysticks attached; each is made on request.
class FakeInput : public IDirectInputA {
public:
    std::vector<FakeDevice*> devices;
    ULONG references = 1;

    STDMETHOD(QueryInterface)(REFIID, void** out) override
    {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++references; }
    STDMETHOD_(ULONG, Release)() override
    {
        if (--references == 0) note("input released");
        return references;
    }
    STDMETHOD(EnumDevices)(DWORD type, LPDIENUMDEVICESCALLBACKA callback, LPVOID context, DWORD flags) override
    {
        note("enumerate type " + std::to_string(type) + " flags " + std::to_string(flags));
        for (size_t i = 0; i < devices.size(); ++i) {
            DIDEVICEINSTANCEA instance{};
            instance.dwSize = sizeof instance;
            instance.guidInstance.Data1 = DWORD(i);
            if (callback(&instance, context) == DIENUM_STOP) break;
        }
        return S_OK;
    }
    STDMETHOD(CreateDevice)(REFGUID which, LPDIRECTINPUTDEVICEA* out, LPUNKNOWN) override
    {
        note("make device " + std::to_string(which.Data1));
        *out = devices[which.Data1];
        return S_OK;
    }
    STDMETHOD(GetDeviceStatus)(REFGUID) override { return E_NOTIMPL; }
    STDMETHOD(RunControlPanel)(HWND, DWORD) override { return E_NOTIMPL; }
    STDMETHOD(Initialize)(HINSTANCE, DWORD) override { return E_NOTIMPL; }
};

FakeInput* installed = nullptr; // what DirectInputCreateA hands out; none: it fails

} // namespace

extern "C" HRESULT WINAPI DirectInputCreateA(HINSTANCE, DWORD version, LPDIRECTINPUTA* out, LPUNKNOWN)
{
    note("create version " + std::to_string(version));
    *out = installed;
    return installed ? S_OK : DIERR_GENERIC;
}

namespace {

struct Case {
    const char* name;
    bool has_input;
    std::vector<bool> second_interface; // one per attached joystick
    HRESULT level;
    int opened;
    std::vector<std::string> expected; // the open, then "-- close", then the close
};

TEST(Win32Joystick, OpensTheFirstUsableJoystickAndReleasesDeviceThenInput)
{
    const std::string exclusive_background = std::to_string(DISCL_EXCLUSIVE | DISCL_BACKGROUND);
    const std::string enumerate =
        "enumerate type " + std::to_string(DIDEVTYPE_JOYSTICK) + " flags " + std::to_string(DIEDFL_ATTACHEDONLY);
    const Case cases[] = {
        {"no DirectInput", false, {}, S_OK, 0, {"create version 1280", "create version 1280", "-- close"}},
        {"no joystick", true, {}, S_OK, 0, {"create version 1280", enumerate, "-- close", "input released"}},
        {"the second of two, the first lacking the second interface",
         true,
         {false, true},
         S_OK,
         1,
         {"create version 1280", enumerate, "make device 0", "0 refuses the second interface", "0 released",
          "make device 1", "1 gives the second interface", "1 takes the joystick format",
          "1 level " + exclusive_background + " for a window", "1 acquired", "-- close", "1 released",
          "input released"}},
        {"a joystick refusing the level",
         true,
         {true},
         DIERR_INVALIDPARAM,
         0,
         {"create version 1280", enumerate, "make device 0", "0 gives the second interface",
          "0 takes the joystick format", "0 level " + exclusive_background + " for a window", "-- close", "0 released",
          "input released"}},
    };
    platform::Window* window =
        platform::window_create([](platform::Window*, unsigned, uintptr_t, intptr_t) { return intptr_t(0); });
    ASSERT_NE(window, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeInput input;
        std::vector<FakeDevice> devices;
        devices.reserve(c.second_interface.size());
        for (size_t i = 0; i < c.second_interface.size(); ++i)
            devices.emplace_back(std::to_string(i), c.second_interface[i], c.level);
        for (FakeDevice& d : devices) input.devices.push_back(&d);
        installed = c.has_input ? &input : nullptr;
        log_lines.clear();

        EXPECT_EQ(platform::gamepads_open(window), c.opened);
        EXPECT_EQ(platform::gamepads_open(window), c.opened) << "a second open answers the same";
        note("-- close");
        platform::gamepads_close();
        platform::gamepads_close(); // a second close has nothing left to release
        EXPECT_EQ(log_lines, c.expected);
        for (const FakeDevice& d : devices) EXPECT_EQ(d.references, 0u) << "device " << &d - devices.data();
        EXPECT_EQ(input.references, c.has_input ? 0u : 1u);
    }
    installed = nullptr;
    platform::window_destroy(window);
}

} // namespace
