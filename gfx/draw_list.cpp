#include "gfx/draw_list.h"

#include "gfx/view.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

// Well above the busiest frame's count; a frame with more is drawn as it
// comes and the next one in full.
constexpr int LIST_LIMIT = 1024;
// The places where a frame may differ from the last are redrawn as at most
// this many rectangles.
constexpr int AREA_LIMIT = 32;

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

bool same_command(const DrawCommand& a, const DrawCommand& b)
{
    return a.dst == b.dst && a.src == b.src && a.from == b.from && a.colour == b.colour && a.keyed == b.keyed;
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

// The command's part inside the area, drawn as the whole would draw it
// there (copies are one to one, so the source is cut as the destination).
void run_within(const DrawCommand& c, const RECT& area)
{
    DrawCommand part = c;
    part.dst = RECT{std::max(c.dst.left, area.left), std::max(c.dst.top, area.top), std::min(c.dst.right, area.right),
                    std::min(c.dst.bottom, area.bottom)};
    if (part.dst.left >= part.dst.right || part.dst.top >= part.dst.bottom) return;
    part.src.left += part.dst.left - c.dst.left;
    part.src.top += part.dst.top - c.dst.top;
    part.src.right = part.src.left + (part.dst.right - part.dst.left);
    part.src.bottom = part.src.top + (part.dst.bottom - part.dst.top);
    run(part);
}

// Where the last frame drew from its command `from` on: the only places
// where this frame, the same up to there, may come out different. The
// rectangles may overlap; past the limit the last one grows to take in
// the rest.
int area_from(int from, std::array<RECT, AREA_LIMIT>& area)
{
    int count = 0;
    for (int i = from; i < last->count; ++i) {
        const RECT& d = last->commands[size_t(i)].dst;
        if (d.left >= d.right || d.top >= d.bottom) continue;
        if (count < AREA_LIMIT) {
            area[size_t(count++)] = d;
            continue;
        }
        RECT& a = area[AREA_LIMIT - 1];
        a = RECT{std::min(a.left, d.left), std::min(a.top, d.top), std::max(a.right, d.right),
                 std::max(a.bottom, d.bottom)};
    }
    return count;
}

bool same_target();

// The commands held back are the last frame's up to the first difference,
// so the back buffer already shows them everywhere but where the last
// frame's later commands drew: they are drawn again there alone, in order,
// which leaves the back buffer as if they alone had been drawn. Drawing a
// command's pixels over themselves changes nothing, so overlapping
// rectangles do no harm; their results are the last frame's. When the
// pixels changed outside the list (whole), or the back buffer is another,
// they are drawn whole.
void draw_held(bool whole)
{
    if (!holding) return;
    holding = false;
    if (whole || !same_target()) {
        for (int i = 0; i < now->count; ++i) now->results[size_t(i)] = run(now->commands[size_t(i)]);
        return;
    }
    std::array<RECT, AREA_LIMIT> area;
    const int count = area_from(now->count, area);
    for (int k = 0; k < count; ++k)
        for (int i = 0; i < now->count; ++i) run_within(now->commands[size_t(i)], area[size_t(k)]);
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
        draw_held(false);
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
    if (!(holding && now->count == last->count && same_target())) draw_held(false);
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
    draw_held(true);
    untrusted = true;
}

void draw_list_reset()
{
    holding = false;
    now->count = 0;
    untrusted = true;
}
