// The game's seven buttons, sampled from the key table once per frame.
#pragma once

#include <cstdint>

using ButtonMask = uint32_t;

inline constexpr ButtonMask BUTTON_1 = 0x01;
inline constexpr ButtonMask BUTTON_2 = 0x02;
inline constexpr ButtonMask BUTTON_3 = 0x04;
inline constexpr ButtonMask BUTTON_PAD1 = 0x08;
inline constexpr ButtonMask BUTTON_PAD2 = 0x10;
inline constexpr ButtonMask BUTTON_PAD3 = 0x20;
inline constexpr ButtonMask BUTTON_SPACE = 0x40;
inline constexpr int BUTTON_COUNT = 7;

struct ButtonState {
    ButtonMask held;
    ButtonMask newly_pressed;
    ButtonMask previous;
};

// Target i is answered by either of its two keys.
constexpr ButtonMask target_button_mask(int i)
{
    return (BUTTON_1 | BUTTON_PAD1) << i;
}

void button_keys_init();
ButtonMask buttons_read();
// Buttons already down when the state begins never count as new presses.
void button_state_begin(ButtonState* state);
// The caller has just stored a fresh buttons_read() in held.
void button_state_update(ButtonState* state);
