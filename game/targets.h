// The three targets on their chains and the dart thrown at each: waiting,
// released, caught, hit or fallen out, with their points.
#pragma once

#include "input/buttons.h"
#include "platform/types.h"

#include <cstdint>

enum class TargetState : int32_t { Waiting = 0, Falling = 1, Safe = 2, Hit = 3, Out = 4 };

// Positions in 1/512 px; x is the chain's centre column, y its top row.
struct Target {
    int32_t x;
    int32_t y;
    int32_t fall_speed;
    TargetState state;
    int32_t blink_tick;
    int32_t pose;
    int32_t sway_tick;
    int32_t sway_frame;
    RECT head_src;
    RECT body_src;
    int32_t wait_timer;
    int32_t special;
};

// x and y are the dart picture's top-left corner in screen pixels.
struct Dart {
    int32_t thrown;
    int32_t x;
    int32_t y;
    int32_t points;
};

inline constexpr int TARGET_COUNT = 3;
// From this best score on, a target may come from the rare sheet.
inline constexpr int SPECIAL_TARGET_BEST = 1400;

// With specials, each target may come from the rare sheet.
void targets_reset(bool specials);
// In love mode a hit seal sheds blue drops two at a time.
void targets_handle_buttons(const ButtonState& buttons, bool love);
// fall_accel: how much faster a falling target gets each frame (1/512 px).
void targets_update(int32_t fall_accel);
void targets_draw(const RECT& clip);
void darts_draw(const RECT& clip);
// Every target caught, hit or fallen out, and the shown score counted up
// to the points caught.
bool targets_all_resolved(int shown_score);
bool targets_not_all_hit();
// The points of every target whose dart is thrown: what the stage score
// counts up to.
int targets_caught_points();

const Target& target_get(int i);
const Dart& dart_get(int i);
uint8_t field_tick_get();
// Everything as at program start.
void targets_state_reset();
