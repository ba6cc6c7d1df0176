// The scene machine: one step per frame, and the reset to the title.
#pragma once

#include "input/buttons.h"

void step_scene(const ButtonState& buttons);
void reset_game();
