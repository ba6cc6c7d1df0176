// The scene machine: title, a stage in play, the result between stages and
// the final result, joined by a transition that closes the picture to the
// centre and opens it again.
#pragma once

#include "input/buttons.h"
#include "platform/types.h"

#include <cstdint>

enum Scene : int32_t { SCENE_TITLE = 1, SCENE_PLAY = 2, SCENE_STAGE_RESULT = 3, SCENE_FINAL_RESULT = 4 };
enum ViewTransition : int32_t { VIEW_OPENING = 0, VIEW_CLOSING = 1 };

inline constexpr int VIEW_STEPS = 24;
// The marker file beside the executable that switches to the blue art.
inline constexpr const char* LOVE_FILE = "LOVE";

void step_scene(const ButtonState& buttons);
void reset_game();

Scene scene_get();
ViewTransition view_transition_get();
int accept_input_get();
int love_mode_get();
// The transition's clip rectangle: the scene shows only inside it.
const RECT& view_clip_get();
// Everything as at program start.
void scene_state_reset();
