// The key table and the seven buttons, fed by window messages as the frame
// loop dispatches them. (Each message's effect on the keys, the window's
// activity and the mouse is the Win32 window test's table.)
#include "app/main_window.h"
#include "input/buttons.h"
#include "input/keys.h"
#include "support/engine.h"

namespace {

class Input : public EngineTest {
protected:
    // Delivers the queued messages as the frame wait would.
    static void pump()
    {
        Message m;
        while (platform::message_peek() && platform::message_get(&m)) platform::message_dispatch(m);
    }
    static void press(uint8_t vk) { headless::key_down(vk), pump(); }
    static void release(uint8_t vk) { headless::key_up(vk), pump(); }

    // One frame of the scene loop's sampling.
    static void sample(ButtonState* s)
    {
        s->held = buttons_read();
        button_state_update(s);
    }
};

TEST_F(Input, ButtonsMapMainAndKeypadDigitsToEachTarget)
{
    button_keys_init();
    ButtonState s{};
    button_state_begin(&s);
    for (int i = 0; i < 3; ++i) {
        press(uint8_t('1' + i));
        sample(&s);
        EXPECT_EQ(s.newly_pressed & target_button_mask(i), ButtonMask(BUTTON_1) << i) << i;
        // The keypad key of the same target, while the digit is still held.
        press(uint8_t(VK_NUMPAD1 + i));
        sample(&s);
        EXPECT_EQ(s.newly_pressed & target_button_mask(i), ButtonMask(BUTTON_PAD1) << i) << i;
        EXPECT_EQ(s.newly_pressed & ~target_button_mask(i), 0u);
        release(uint8_t('1' + i));
        release(uint8_t(VK_NUMPAD1 + i));
        sample(&s);
    }
    press(VK_SPACE);
    press('A');                                                                         // a letter is no button
    headless::post(WM_KEYDOWN, 256), headless::post(WM_KEYDOWN, uintptr_t(-1)), pump(); // codes past the table
    sample(&s);
    EXPECT_EQ(s.newly_pressed, BUTTON_SPACE);
    for (int vk = 0; vk < 256; ++vk) EXPECT_EQ(key_held(vk), vk == VK_SPACE || vk == 'A') << vk;
}

TEST_F(Input, ReactivationClearsHeldKeys)
{
    button_keys_init();
    ButtonState s{};
    button_state_begin(&s);
    press('1');
    sample(&s);
    headless::post(WM_ACTIVATE, WA_INACTIVE), pump();
    headless::post(WM_ACTIVATE, WA_ACTIVE), pump();
    sample(&s);
    EXPECT_EQ(s.held, 0u);
    press('1'); // the next auto-repeat message
    sample(&s);
    EXPECT_EQ(s.newly_pressed, BUTTON_1) << "a new press again";
}

} // namespace
