#include "game/targets.h"

#include "game/number_draw.h"
#include "game/particles.h"
#include "game/random.h"
#include "game/slots.h"
#include "gfx/blit.h"
#include "sound/sound.h"

#include <array>
#include <cstddef>

namespace {

constexpr int32_t SUBPIXEL = 512; // positions are in 1/512 px
constexpr int REST_ROW = 80;
constexpr int OUT_ROW = 496; // a target below this row has fallen out
constexpr int FIRST_COLUMN = 120;
constexpr int COLUMN_STEP = 200;
constexpr int PAN_FIRST = 56; // 256 is the centre of the pan scale
constexpr int WAIT_MIN = 100;
constexpr int WAIT_MAX = 600;
constexpr int SWAY_FRAME_TICKS = 12; // each body frame shows for 13 frames
constexpr int BLINK_POSE_TICKS = 2;  // each blink pose shows for 3 frames
constexpr int BLINK_CHANCE = 100;    // 1 in 101 per frame
constexpr int RARE_ROLL = 9;         // a roll of 0..9 that comes up 9: one seal in ten is rare

enum Pose : int32_t { POSE_REST, POSE_BLINK_END, POSE_BLINK, POSE_FALLING, POSE_SAFE, POSE_HIT };

constexpr std::array<RECT, 6> HEAD_POSES{{
    {0, 0, 96, 88},
    {96, 0, 192, 88},
    {192, 0, 288, 88},
    {288, 0, 384, 88},
    {384, 0, 480, 88},
    {480, 0, 576, 88},
}};
// The sway loops centre, left, centre, right.
constexpr std::array<RECT, 4> BODY_FRAMES{{
    {96, 88, 192, 192},
    {0, 88, 96, 192},
    {96, 88, 192, 192},
    {192, 88, 288, 192},
}};
constexpr RECT CHAIN_SRC{0, 0, 48, 143};
constexpr RECT DART_SRC{0, 0, 56, 72};

// Where pictures sit relative to the chain's top centre (px, py).
constexpr int CHAIN_DX = -24, CHAIN_DY = -16;
constexpr int HEAD_DX = -48, HEAD_DY = 100;
constexpr int BODY_DX = -48, BODY_DY = 188;
constexpr int DART_IN_HEAD_DX = -62, DART_IN_HEAD_DY = 56;  // thrown while waiting
constexpr int DART_ON_RING_DX = -52, DART_ON_RING_DY = -64; // thrown while falling
constexpr int POINTS_ROW = 400;

// Drops leave the hit head relative to the dart's corner.
constexpr int DROP_DX = 54, DROP_DY = 64;
constexpr int LOVE_DROP_RIGHT_DX = 82, LOVE_DROP_LEFT_DX = 31, LOVE_DROP_DY = 92;

std::array<Target, TARGET_COUNT> targets{};
std::array<Dart, TARGET_COUNT> darts{};
uint8_t field_tick = 0;

int screen_x(const Target& t)
{
    return t.x / SUBPIXEL;
}

int screen_y(const Target& t)
{
    return t.y / SUBPIXEL;
}

int points_at(const Target& t)
{
    return 240 - t.y / 1024;
}

int pan_position(int i)
{
    return COLUMN_STEP * i + PAN_FIRST;
}

void pan_and_play(int i, SoundId id)
{
    sound_set_pan(id, pan_position(i));
    sound_play(id);
}

// Every dart thrown is heard twice: the event's own sound and the throw.
void throw_dart(int i, SoundId event, int dx, int dy)
{
    const Target& t = targets[i];
    Dart& d = darts[i];
    d.thrown = 1;
    d.x = screen_x(t) + dx;
    d.y = screen_y(t) + dy;
    sound_set_pan(event, pan_position(i));
    sound_set_pan(SOUND_SHOT, pan_position(i));
    sound_play(event);
    sound_play(SOUND_SHOT);
}

void emit_drops(const Target& t, const Dart& d, bool love)
{
    if (!love) {
        if (field_tick % 2 == 0) particle_spawn((d.x + DROP_DX) * SUBPIXEL, (d.y + DROP_DY) * SUBPIXEL, 0);
        return;
    }
    if (t.special || field_tick % 4 != 0) return;
    particle_spawn((d.x + LOVE_DROP_RIGHT_DX) * SUBPIXEL, (d.y + LOVE_DROP_DY) * SUBPIXEL, 1);
    particle_spawn((d.x + LOVE_DROP_LEFT_DX) * SUBPIXEL, (d.y + LOVE_DROP_DY) * SUBPIXEL, 1);
}

void update_waiting(int i)
{
    Target& t = targets[i];
    if (++t.sway_tick > SWAY_FRAME_TICKS) {
        t.sway_tick = 0;
        ++t.sway_frame;
    }
    if (t.sway_frame > 3) t.sway_frame = 0;

    if (t.pose > POSE_REST) {
        if (++t.blink_tick > BLINK_POSE_TICKS) {
            t.blink_tick = 0;
            --t.pose;
        }
    } else if (random_range(0, BLINK_CHANCE) == 1) {
        t.pose = POSE_BLINK;
        t.blink_tick = 0;
    }

    if (--t.wait_timer == 0) {
        pan_and_play(i, SOUND_GO);
        t.state = TargetState::Falling;
    }
}

void update_falling(int i, int32_t fall_accel)
{
    Target& t = targets[i];
    t.sway_frame = 0;
    t.pose = POSE_FALLING;
    t.fall_speed += fall_accel;
    t.y += t.fall_speed;
    if (screen_y(t) > OUT_ROW) {
        pan_and_play(i, SOUND_OUT);
        t.state = TargetState::Out;
    }
}

} // namespace

void targets_reset(bool specials)
{
    for (int i = 0; i < TARGET_COUNT; ++i) {
        Target& t = targets[i];
        t.pose = POSE_REST;
        t.sway_frame = 0;
        t.state = TargetState::Waiting;
        t.x = (COLUMN_STEP * i + FIRST_COLUMN) * SUBPIXEL;
        t.y = REST_ROW * SUBPIXEL;
        t.fall_speed = 0;
        t.wait_timer = random_range(WAIT_MIN, WAIT_MAX);
        t.special = specials ? random_range(0, RARE_ROLL) / RARE_ROLL : 0;
        darts[i].thrown = 0;
    }
}

void targets_handle_buttons(const ButtonState& buttons, bool love)
{
    ++field_tick;
    for (int i = 0; i < TARGET_COUNT; ++i) {
        Target& t = targets[i];
        Dart& d = darts[i];
        const bool pressed = (buttons.newly_pressed & target_button_mask(i)) != 0;
        switch (t.state) {
        case TargetState::Waiting:
            if (pressed) {
                throw_dart(i, SOUND_HIT, DART_IN_HEAD_DX, DART_IN_HEAD_DY);
                t.state = TargetState::Hit;
                d.points = 0;
            } else {
                d.points = points_at(t);
            }
            break;
        case TargetState::Falling:
            // A catch keeps the points of the frame before the press.
            if (pressed) {
                throw_dart(i, SOUND_SAFE, DART_ON_RING_DX, DART_ON_RING_DY);
                t.state = TargetState::Safe;
            } else {
                d.points = points_at(t);
            }
            break;
        case TargetState::Safe:
            break;
        case TargetState::Hit:
            emit_drops(t, d, love);
            break;
        case TargetState::Out:
            d.points = 0;
            break;
        }
    }
}

void targets_update(int32_t fall_accel)
{
    for (int i = 0; i < TARGET_COUNT; ++i) {
        Target& t = targets[i];
        switch (t.state) {
        case TargetState::Waiting:
            update_waiting(i);
            break;
        case TargetState::Falling:
            update_falling(i, fall_accel);
            break;
        case TargetState::Safe:
            t.sway_frame = 0;
            t.pose = POSE_SAFE;
            break;
        case TargetState::Hit:
            t.sway_frame = 0;
            t.pose = POSE_HIT;
            break;
        case TargetState::Out:
            break;
        }
        t.head_src = HEAD_POSES[std::size_t(t.pose)];
        t.body_src = BODY_FRAMES[std::size_t(t.sway_frame)];
    }
}

void targets_draw(const RECT& clip)
{
    for (const Target& t : targets) {
        const int px = screen_x(t);
        const int py = screen_y(t);
        const SurfaceId sheet = SURFACE_SEAL + t.special;
        blit_clipped(clip, px + CHAIN_DX, py + CHAIN_DY, CHAIN_SRC, SURFACE_CHAIN);
        blit_clipped(clip, px + HEAD_DX, py + HEAD_DY, t.head_src, sheet);
        blit_clipped(clip, px + BODY_DX, py + BODY_DY, t.body_src, sheet);
    }
}

void darts_draw(const RECT& clip)
{
    for (int i = 0; i < TARGET_COUNT; ++i) {
        const Dart& d = darts[i];
        if (d.thrown) blit_clipped(clip, d.x, d.y, DART_SRC, SURFACE_DART);
        number_draw_small(clip, screen_x(targets[i]), POINTS_ROW, d.points);
    }
}

bool targets_all_resolved(int shown_score)
{
    for (int i = 0; i < TARGET_COUNT; ++i)
        if (!darts[i].thrown && targets[i].state != TargetState::Out) return false;
    return shown_score == targets_caught_points();
}

bool targets_not_all_hit()
{
    for (const Target& t : targets)
        if (t.state != TargetState::Hit) return true;
    return false;
}

int targets_caught_points()
{
    int sum = 0;
    for (int i = 0; i < TARGET_COUNT; ++i)
        if (darts[i].thrown) sum += darts[i].points;
    return sum;
}

const Target& target_get(int i)
{
    static const Target none{};
    return i >= 0 && i < TARGET_COUNT ? targets[std::size_t(i)] : none;
}

const Dart& dart_get(int i)
{
    static const Dart none{};
    return i >= 0 && i < TARGET_COUNT ? darts[std::size_t(i)] : none;
}

uint8_t field_tick_get()
{
    return field_tick;
}

void targets_state_reset()
{
    targets = {};
    darts = {};
    field_tick = 0;
}
