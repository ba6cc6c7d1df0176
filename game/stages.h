// A game of three stages: the stage bookkeeping, the counting score, the
// best score, and everything drawn around the targets (stage label, space
// prompt, results table, grade picture).
#pragma once

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

void score_counter_step();
void stage_label_draw();
void space_prompt_draw();
void results_draw();
void best_score_draw(int x, int y);
void grade_picture_draw();
// 0 (lowest) to 4 for a game total.
int grade_for(int total);

int best_score_get();
int shown_score_get();
void shown_score_clear();
int fall_accel_get();
int stage_score_get(int stage);
int game_total_get();
// Everything as at program start.
void stages_state_reset();
