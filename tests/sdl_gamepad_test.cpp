// Game controllers through SDL's virtual pads, feeding the real key table,
// buttons and scene loop of the headless game: each pad button drives the
// game button of its key, pads plugged in before and during the game all
// count, and one unplugged lets go of what it held. (The pause screen takes
// the pad's keys in the frame loop's tests.)
#include "input/keys.h"
#include "platform/sdl/sdl_gamepad.h"
#include "support/game.h"

#include <vector>

namespace {

class Gamepad : public GameTest {
protected:
    // The joysticks are up before the game opens its pads, as a pad
    // plugged in before the game is; any real pad of this machine counts
    // too.
    void SetUp() override
    {
        GameTest::SetUp();
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
        for (int i = 0; i < SDL_NumJoysticks(); ++i) pads_before += SDL_IsGameController(i) ? 1 : 0;
    }
    void TearDown() override
    {
        for (size_t i = 0; i < pads.size(); ++i) unplug(i);
        sdl_gamepads_close();
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
        GameTest::TearDown();
    }

    // SDL's events as the window's event loop takes them, into the queue,
    // and from the queue into the key table, as the frame wait does.
    static void pump()
    {
        SDL_Event e;
        while (SDL_PollEvent(&e))
            sdl_gamepad_event(e, [](uint32_t message, uint8_t vk) { headless::post(message, vk); });
        Message m;
        while (platform::message_peek() && platform::message_get(&m)) platform::message_dispatch(m);
    }
    // The pads' state sampled as one frame of the scene loop does.
    static ButtonState sample(ButtonState s)
    {
        pump();
        s.held = buttons_read();
        button_state_update(&s);
        return s;
    }
    // A pad of SDL's own making, laid out as a game controller: button i is
    // SDL_GameControllerButton i. Answers its number.
    size_t plug()
    {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        pads.push_back(index < 0 ? nullptr : SDL_JoystickOpen(index));
        EXPECT_NE(pads.back(), nullptr) << SDL_GetError();
        return pads.size() - 1;
    }
    void unplug(size_t pad)
    {
        if (!pads[pad]) return;
        const SDL_JoystickID id = SDL_JoystickInstanceID(pads[pad]);
        SDL_JoystickClose(pads[pad]);
        pads[pad] = nullptr;
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    }

    std::vector<SDL_Joystick*> pads;
    int pads_before = 0;
};

TEST_F(Gamepad, EachButtonIsItsKeyOnEveryPadAndAnUnpluggedPadLetsGo)
{
    const size_t early = plug(); // attached before the game opens the pads
    ASSERT_TRUE(sdl_gamepads_open());
    const size_t late = plug(); // and one plugged in during the game
    pump();
    ASSERT_EQ(sdl_gamepad_count(), pads_before + 2);

    const struct {
        SDL_GameControllerButton button;
        ButtonMask game;
        int key;
    } cases[] = {
        {SDL_CONTROLLER_BUTTON_X, BUTTON_1, GAMEPAD_X}, {SDL_CONTROLLER_BUTTON_A, BUTTON_2, GAMEPAD_A},
        {SDL_CONTROLLER_BUTTON_B, BUTTON_3, GAMEPAD_B}, {SDL_CONTROLLER_BUTTON_START, BUTTON_SPACE, GAMEPAD_START},
        {SDL_CONTROLLER_BUTTON_Y, 0, GAMEPAD_Y},        {SDL_CONTROLLER_BUTTON_BACK, 0, GAMEPAD_BACK},
        {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 0, 0},     {SDL_CONTROLLER_BUTTON_DPAD_UP, 0, 0},
    };
    button_keys_init();
    ButtonState s{};
    button_state_begin(&s);
    for (const size_t pad : {early, late})
        for (const auto& c : cases) {
            SCOPED_TRACE(SDL_GameControllerGetStringForButton(c.button));
            SDL_JoystickSetVirtualButton(pads[pad], c.button, 1);
            s = sample(s);
            EXPECT_EQ(s.newly_pressed, c.game);
            EXPECT_EQ(key_held(c.key), c.key != 0);
            SDL_JoystickSetVirtualButton(pads[pad], c.button, 0);
            s = sample(s);
            EXPECT_EQ(s.held, 0u);
            EXPECT_FALSE(key_held(c.key));
        }

    // Both pads hold A; the key stays down while either does, and the
    // one unplugged holding B lets go of B and of nothing else.
    SDL_JoystickSetVirtualButton(pads[early], SDL_CONTROLLER_BUTTON_A, 1);
    SDL_JoystickSetVirtualButton(pads[late], SDL_CONTROLLER_BUTTON_A, 1);
    SDL_JoystickSetVirtualButton(pads[late], SDL_CONTROLLER_BUTTON_B, 1);
    s = sample(s);
    EXPECT_EQ(s.held, BUTTON_2 | BUTTON_3);
    unplug(late);
    s = sample(s);
    EXPECT_EQ(sdl_gamepad_count(), pads_before + 1);
    EXPECT_EQ(s.held, BUTTON_2);
    SDL_JoystickSetVirtualButton(pads[early], SDL_CONTROLLER_BUTTON_A, 0);
    s = sample(s);
    EXPECT_EQ(s.held, 0u);
    // The pad that stays still plays.
    SDL_JoystickSetVirtualButton(pads[early], SDL_CONTROLLER_BUTTON_X, 1);
    s = sample(s);
    EXPECT_EQ(s.newly_pressed, BUTTON_1);
}

} // namespace
