// A game of three stages: the stage bookkeeping, the counting score, the
// best score, and everything drawn around the targets (stage label, space
// prompt, results table, grade picture).
#pragma once

#include "platform/types.h"

#include <cstdint>

inline constexpr int STAGE_COUNT = 3;

void best_score_load();
// True when the game total reached the best score (ties count); the new
// best is then saved.
bool best_score_update();
void stages_reset();
int stage_index_get();
void stage_advance();
void stage_score_record();

// Counts the shown score up toward the points caught so far and draws it.
void score_counter_step(int caught_points);
void stage_label_draw();
// The pictures of a scene are drawn through its clip (the transition's).
void space_prompt_draw(const RECT& clip);
void results_draw(const RECT& clip);
void best_score_draw(const RECT& clip, int x, int y);
void grade_picture_draw(const RECT& clip);

// A game total earns a grade from 0 (below GRADE_FROM) up to TOP_GRADE,
// one grade for every GRADE_STEP points above GRADE_FROM; the top one
// from 1400.
inline constexpr int GRADE_FROM = 600;
inline constexpr int GRADE_STEP = 200;
inline constexpr int TOP_GRADE = 4;
int grade_for(int total);

int best_score_get();
int shown_score_get();
void shown_score_clear();
int fall_accel_get();
int stage_score_get(int stage);
int game_total_get();
// Everything as at program start.
void stages_state_reset();
