// Everything between start-up and shutdown: loading the resources, the
// frame loop on its 13 ms grid, the pause screen and the reset request.
#pragma once

#include <cstdint>

inline constexpr uint32_t FRAME_PERIOD_MS = 13;
// A frame this late or later restarts the grid instead of catching up.
inline constexpr uint32_t FRAME_CATCH_UP_LIMIT_MS = 5 * FRAME_PERIOD_MS;

int run_game();
int run_scene_loop();
int wait_and_present();
int count_frame_rate();

// Back to the state of a freshly started program (the frame grid and the
// frame-rate counter).
void frame_loop_state_reset();
