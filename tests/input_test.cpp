// The key table and the seven buttons, fed by window messages as the frame
// loop dispatches them.
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

TEST_F(Input, NewPressOnlyAtTheFirstSnapshotAfterItWentDown)
{
    press('Q');
    key_state_update();
    EXPECT_TRUE(key_newly_pressed('Q'));
    press('Q'); // auto-repeat
    key_state_update();
    EXPECT_TRUE(!key_newly_pressed('Q') && key_held('Q'));
    // Down and up again between two snapshots: never seen as new.
    release('Q');
    key_state_update();
    press('W');
    release('W');
    key_state_update();
    EXPECT_FALSE(key_newly_pressed('W') || key_held('W'));
}

TEST_F(Input, OutOfRangeCodesChangeAndReportNothing)
{
    headless::post(WM_KEYDOWN, 256), pump();
    headless::post(WM_KEYDOWN, uintptr_t(-1)), pump();
    for (int vk : {256, -1, 1000, 0}) EXPECT_FALSE(key_held(vk) || key_newly_pressed(vk)) << vk;
}

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
    press('A'); // a letter is no button
    sample(&s);
    EXPECT_EQ(s.newly_pressed, BUTTON_SPACE);
}

TEST_F(Input, ReactivationClearsHeldKeys)
{
    button_keys_init();
    ButtonState s{};
    button_state_begin(&s);
    press('1');
    sample(&s);
    headless::post(WM_ACTIVATE, WA_INACTIVE), pump();
    EXPECT_TRUE(key_held('1')) << "deactivation alone forgets nothing";
    headless::post(WM_ACTIVATE, WA_ACTIVE), pump();
    EXPECT_FALSE(key_held('1'));
    sample(&s);
    EXPECT_EQ(s.held, 0u);
    press('1'); // the next auto-repeat message
    sample(&s);
    EXPECT_EQ(s.newly_pressed, BUTTON_1) << "a new press again";
    // Minimising and restoring do the same.
    headless::post(WM_SIZE, SIZE_MINIMIZED), pump();
    EXPECT_EQ(window_active(), 0);
    headless::post(WM_SIZE, SIZE_RESTORED), pump();
    EXPECT_EQ(window_active(), 1);
    EXPECT_FALSE(key_held('1'));
}

} // namespace
