#include "input/buttons.h"

#include "input/keys.h"
#include "platform/types.h"

#include <array>
#include <cstddef>

namespace {

// Bit i of a ButtonMask is driven by entry i. The key table is indexed by
// virtual-key code, where 'a', 'b' and 'c' are the keypad's 1, 2 and 3.
constexpr std::array<uint8_t, BUTTON_COUNT> BUTTON_KEYS{'1', '2', '3', 'a', 'b', 'c', ' '};
static_assert(BUTTON_KEYS[3] == 0x61 && BUTTON_KEYS[6] == 0x20);

// A pad's buttons answer the same buttons as the keys: the face buttons
// left, bottom and right are 1, 2 and 3, Start is Space; 0 is none.
constexpr std::array<uint8_t, BUTTON_COUNT> BUTTON_PAD_KEYS{GAMEPAD_X, GAMEPAD_A, GAMEPAD_B, 0, 0, 0, GAMEPAD_START};

std::array<uint8_t, BUTTON_COUNT> button_keys{};

} // namespace

void button_keys_init()
{
    button_keys = BUTTON_KEYS;
}

ButtonMask buttons_read()
{
    ButtonMask held = 0;
    for (int i = 0; i < BUTTON_COUNT; ++i)
        if (key_held(button_keys[size_t(i)]) || (BUTTON_PAD_KEYS[size_t(i)] && key_held(BUTTON_PAD_KEYS[size_t(i)])))
            held |= ButtonMask(1) << i;
    return held;
}

void button_state_begin(ButtonState* state)
{
    state->held = buttons_read();
    state->previous = state->held;
    state->newly_pressed = 0;
}

void button_state_update(ButtonState* state)
{
    state->newly_pressed = state->held & ~state->previous;
    state->previous = state->held;
}
