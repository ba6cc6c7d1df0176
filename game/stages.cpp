#include "game/stages.h"

#include "game/best_score_file.h"
#include "game/number_draw.h"
#include "game/slots.h"
#include "gfx/blit.h"
#include "gfx/surfaces.h"
#include "sound/sound.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace {

constexpr int32_t FALL_ACCEL_STEP = 85; // each stage falls faster by this much
constexpr int32_t COUNT_STEP = 6;
constexpr uint32_t COUNT_SOUND_EVERY = 6;
constexpr uint32_t PROMPT_PERIOD = 48;
constexpr uint32_t PROMPT_VISIBLE = 32;
constexpr uint32_t GRADE_BOB_TICKS = 24;
constexpr int GRADE_BOB_RISE = -2;

constexpr std::array<const char*, STAGE_COUNT> BACKGROUNDS{"BMP_BACK1", "BMP_BACK2", "BMP_BACK3"};

// Cells of the text sheet.
constexpr RECT SCORE_LABEL{120, 0, 168, 16};
constexpr RECT DASH{168, 0, 192, 16};
constexpr RECT DIVIDER{120, 16, 240, 24};
constexpr std::array<RECT, STAGE_COUNT> ORDINALS{{{0, 72, 24, 88}, {24, 72, 48, 88}, {48, 72, 72, 88}}};
constexpr RECT GAME_LABEL{72, 72, 112, 88};
constexpr RECT TOTAL_LABEL{112, 72, 144, 88};
constexpr RECT BEST_LABEL{144, 72, 176, 88};
constexpr RECT SPACE_PROMPT{176, 72, 232, 88};

struct Place {
    int x;
    int y;
};

constexpr Place SCORE_LABEL_AT{240, 100};
constexpr Place SCORE_AT{268, 84};
constexpr Place ORDINAL_AT{288, 40};
constexpr Place GAME_LABEL_AT{312, 40};
constexpr Place SPACE_PROMPT_AT{292, 20};
// The results table: a row of 32 px per stage.
constexpr int RESULT_ROW = 32;
constexpr Place RESULT_ORDINAL_AT{276, 168};
constexpr Place RESULT_SCORE_AT{308, 160};
constexpr Place RESULT_DASH_AT{330, 168};
constexpr Place TOTAL_LABEL_AT{270, 296};
constexpr Place DIVIDER_AT{260, 264};
constexpr Place TOTAL_AT{308, 288};
constexpr Place BEST_SCORE_OFFSET{38, -8};
constexpr Place GRADE_AT{268, 64};
constexpr int GRADE_CELL_W = 96, GRADE_CELL_H = 86, GRADE_ROW = 192;

int32_t best_score = 0;
int32_t shown_score = 0;
int32_t stage_index = 0;
std::array<int32_t, STAGE_COUNT> stage_scores{};
int32_t game_total = 0;
int32_t fall_accel = 0;
uint32_t count_tick = 0;
uint32_t prompt_tick = 0;
uint32_t grade_tick = 0;

void draw_at(const RECT& clip, Place at, const RECT& cell)
{
    blit_clipped(clip, at.x, at.y, cell, SURFACE_TEXT);
}

} // namespace

void best_score_load()
{
    best_score = read_best_score();
}

bool best_score_update()
{
    if (game_total < best_score) return false;
    best_score = game_total;
    write_best_score(best_score);
    return true;
}

void stages_reset()
{
    fall_accel = FALL_ACCEL_STEP;
    game_total = 0;
    stage_index = 0;
    stage_scores = {};
    sound_play(SOUND_READY);
    surface_reload(BACKGROUNDS[0], SURFACE_BACKGROUND, false);
}

int stage_index_get()
{
    return stage_index;
}

// Called only after the first and second stages.
void stage_advance()
{
    ++stage_index;
    fall_accel += FALL_ACCEL_STEP;
    if (stage_index >= 0 && stage_index < STAGE_COUNT)
        surface_reload(BACKGROUNDS[std::size_t(stage_index)], SURFACE_BACKGROUND, false);
}

void stage_score_record()
{
    if (stage_index >= 0 && stage_index < STAGE_COUNT) stage_scores[std::size_t(stage_index)] = shown_score;
    game_total = stage_scores[0] + stage_scores[1] + stage_scores[2];
}

// The score counts up by 6 a frame and never overshoots.
void score_counter_step(int caught_points)
{
    const int32_t sum = caught_points;
    if (shown_score < sum) {
        shown_score += COUNT_STEP;
        if (++count_tick % COUNT_SOUND_EVERY == 0) sound_play(SOUND_COUNT_TICK);
    }
    if (shown_score > sum) shown_score = sum;
    if (shown_score == 0) return;
    draw_at(screen_clip, SCORE_LABEL_AT, SCORE_LABEL);
    number_draw_large(screen_clip, SCORE_AT.x, SCORE_AT.y, shown_score);
}

void stage_label_draw()
{
    if (stage_index < 0 || stage_index >= STAGE_COUNT) return;
    draw_at(screen_clip, ORDINAL_AT, ORDINALS[std::size_t(stage_index)]);
    draw_at(screen_clip, GAME_LABEL_AT, GAME_LABEL);
}

void space_prompt_draw(const RECT& clip)
{
    if (++prompt_tick % PROMPT_PERIOD < PROMPT_VISIBLE) draw_at(clip, SPACE_PROMPT_AT, SPACE_PROMPT);
}

void results_draw(const RECT& clip)
{
    for (int s = 0; s < STAGE_COUNT; ++s)
        draw_at(clip, {RESULT_ORDINAL_AT.x, RESULT_ORDINAL_AT.y + RESULT_ROW * s}, ORDINALS[std::size_t(s)]);
    draw_at(clip, TOTAL_LABEL_AT, TOTAL_LABEL);
    draw_at(clip, DIVIDER_AT, DIVIDER);
    for (int s = 0; s < STAGE_COUNT; ++s) {
        if (s <= stage_index)
            number_draw_small(clip, RESULT_SCORE_AT.x, RESULT_SCORE_AT.y + RESULT_ROW * s,
                              stage_scores[std::size_t(s)]);
        else
            draw_at(clip, {RESULT_DASH_AT.x, RESULT_DASH_AT.y + RESULT_ROW * s}, DASH);
    }
    number_draw_small(clip, TOTAL_AT.x, TOTAL_AT.y, game_total);
}

void best_score_draw(const RECT& clip, int x, int y)
{
    draw_at(clip, {x, y}, BEST_LABEL);
    number_draw_small(clip, x + BEST_SCORE_OFFSET.x, y + BEST_SCORE_OFFSET.y, best_score);
}

int grade_for(int total)
{
    if (total < GRADE_FROM) return 0;
    return std::min(TOP_GRADE, (total - GRADE_FROM) / GRADE_STEP);
}

void grade_picture_draw(const RECT& clip)
{
    const int r = grade_for(stage_scores[0] + stage_scores[1] + stage_scores[2]);
    const int dy = (grade_tick / GRADE_BOB_TICKS) % 2 == 0 ? GRADE_BOB_RISE : 0;
    ++grade_tick;
    const RECT cell{GRADE_CELL_W * r, GRADE_ROW, GRADE_CELL_W * r + GRADE_CELL_W, GRADE_ROW + GRADE_CELL_H};
    blit_clipped(clip, GRADE_AT.x, GRADE_AT.y + dy, cell, SURFACE_SEAL);
}

int best_score_get()
{
    return best_score;
}

int shown_score_get()
{
    return shown_score;
}

void shown_score_clear()
{
    shown_score = 0;
}

int fall_accel_get()
{
    return fall_accel;
}

int stage_score_get(int stage)
{
    return stage >= 0 && stage < STAGE_COUNT ? stage_scores[std::size_t(stage)] : 0;
}

int game_total_get()
{
    return game_total;
}

void stages_state_reset()
{
    best_score = shown_score = stage_index = game_total = fall_accel = 0;
    stage_scores = {};
    count_tick = prompt_tick = grade_tick = 0;
}
