// The back buffer's drawing as a list of commands, one list per frame. A
// frame whose list repeats the last frame's exactly would draw the same
// pixels again (copies and fills only ever put the same values in the same
// places), so its commands are held back while they match and the back
// buffer keeps the picture it already has. At the first difference the held
// commands are drawn, in order, before the differing one; a shorter list is
// drawn whole at the frame's end. The title, which changes once a second,
// costs almost nothing between.
#pragma once

#include "platform/graphics.h"

#include <cstdint>

struct DrawCommand {
    RECT dst; // logical pixels
    RECT src;
    platform::Surface* from; // the slot's surface copied from; null for a fill
    uint32_t colour;
    bool keyed;
};

// Draws the command, or holds it back while the frame repeats the last
// one; 1 when it draws (or drew last frame), 0 when it is refused.
int draw_list_submit(const DrawCommand& command);
// Before the present: whatever was held back and differs is drawn, and
// this frame's list becomes the one the next frame is compared with.
void draw_list_frame_end();
// The back buffer or a slot's pixels changed outside the list: whatever is
// held back is drawn now, and the next frame is drawn in full.
void draw_list_forget();
// The back buffer is made anew or goes: nothing held back is drawn, and
// the next frame is drawn in full.
void draw_list_reset();
