#include "gfx/draw_list.h"

#include "gfx/view.h"

#include <array>
#include <utility>

namespace {

// Well above the busiest frame's count; a frame with more is drawn as it
// comes and the next one in full.
constexpr int LIST_LIMIT = 1024;

struct FrameList {
    std::array<DrawCommand, LIST_LIMIT> commands;
    std::array<int, LIST_LIMIT> results;
    int count;
};

std::array<FrameList, 2> lists{};
FrameList* last = &lists[0]; // what the back buffer shows, when shown_valid
FrameList* now = &lists[1];
bool shown_valid = false;
platform::Surface* shown_on = nullptr; // the back buffer and scale last was drawn at
int shown_scale = 0;
// Every command of this frame so far repeats last's, and none is drawn.
bool holding = false;
// This frame's pixels are not its list's alone: it ran past the limit, or
// something changed outside the list.
bool untrusted = false;

bool same_rect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool same_command(const DrawCommand& a, const DrawCommand& b)
{
    return same_rect(a.dst, b.dst) && same_rect(a.src, b.src) && a.from == b.from && a.colour == b.colour &&
           a.keyed == b.keyed;
}

int run(const DrawCommand& c)
{
    platform::Surface* back = display_back_buffer();
    RECT d = c.dst;
    scale_rect(d);
    if (!c.from) return platform::surface_fill(back, d, c.colour);
    RECT s = c.src;
    scale_rect(s);
    return platform::surface_blit(back, d, c.from, s, c.keyed);
}

void draw_held()
{
    if (!holding) return;
    holding = false;
    for (int i = 0; i < now->count; ++i) now->results[size_t(i)] = run(now->commands[size_t(i)]);
}

bool same_target()
{
    return display_back_buffer() == shown_on && view_scale() == shown_scale;
}

} // namespace

int draw_list_submit(const DrawCommand& command)
{
    const size_t i = size_t(now->count);
    if (holding) {
        if (i < size_t(last->count) && same_command(last->commands[i], command) && same_target()) {
            now->commands[i] = command;
            now->results[i] = last->results[i];
            ++now->count;
            return now->results[i];
        }
        draw_held();
    }
    const int result = run(command);
    if (i < size_t(LIST_LIMIT)) {
        now->commands[i] = command;
        now->results[i] = result;
        ++now->count;
    } else {
        untrusted = true;
    }
    return result;
}

void draw_list_frame_end()
{
    if (!(holding && now->count == last->count && same_target())) draw_held();
    std::swap(last, now);
    now->count = 0;
    shown_valid = !untrusted;
    untrusted = false;
    shown_on = display_back_buffer();
    shown_scale = view_scale();
    holding = shown_valid;
}

void draw_list_forget()
{
    draw_held();
    untrusted = true;
}

void draw_list_reset()
{
    holding = false;
    now->count = 0;
    untrusted = true;
}
