#include "game/scene.h"

#include "game/particles.h"
#include "game/slots.h"
#include "game/stages.h"
#include "game/targets.h"
#include "gfx/blit.h"
#include "platform/files.h"
#include "sorvel/sorvel.h"
#include "sound/music.h"
#include "sound/sound.h"

#include <array>
#include <cstdio>

namespace {

constexpr RECT BACKGROUND_SRC = screen_clip;
constexpr uint32_t BLACK = 0; // native black in every pixel format, the key
constexpr int CENTRE_X = SCREEN_WIDTH / 2;
constexpr int CENTRE_Y = SCREEN_HEIGHT / 2;

struct TitlePicture {
    SurfaceId id;
    RECT src;
    int x;
    int y;
};

constexpr std::array<TitlePicture, 4> TITLE_PICTURES{{
    {SURFACE_TITLE, {0, 0, 320, 80}, 160, 96},         // the name
    {SURFACE_TITLE_TEXT, {416, 0, 488, 24}, 284, 208}, // version
    {SURFACE_TITLE_TEXT, {0, 0, 392, 56}, 128, 316},   // how to play
    {SURFACE_TITLE_TEXT, {0, 56, 416, 88}, 112, 408},  // credit
}};
constexpr int TITLE_BEST_X = 270, TITLE_BEST_Y = 32;
constexpr int RESULT_BEST_X = 270, RESULT_BEST_Y = 328;

Scene scene = Scene(0);
ViewTransition view_transition = VIEW_OPENING;
int32_t view_step = 0;
int32_t accept_input = 0;
int32_t title_sound_played = 0;
int32_t love_mode = 0;
RECT view_clip{};

// The first frame of an opening shows nothing through the clip.
void begin_view_opening()
{
    view_step = 0;
    view_clip = RECT{screen_clip.right, 0, screen_clip.right, screen_clip.bottom};
}

// The closing's first step sets the clip before anything is drawn with it.
void begin_view_closing()
{
    view_step = 0;
}

bool step_view_opening()
{
    if (view_step < VIEW_STEPS) ++view_step;
    const int dx = view_step * CENTRE_X / VIEW_STEPS;
    const int dy = view_step * CENTRE_Y / VIEW_STEPS;
    view_clip = RECT{CENTRE_X - dx, CENTRE_Y - dy, CENTRE_X + dx, CENTRE_Y + dy};
    return view_step == VIEW_STEPS;
}

bool step_view_closing()
{
    if (view_step < VIEW_STEPS) ++view_step;
    const int dx = view_step * CENTRE_X / VIEW_STEPS;
    const int dy = view_step * CENTRE_Y / VIEW_STEPS;
    view_clip = RECT{dx, dy, screen_clip.right - dx, screen_clip.bottom - dy};
    return view_step == VIEW_STEPS;
}

void draw_title()
{
    for (const TitlePicture& p : TITLE_PICTURES) blit_clipped(screen_clip, p.x, p.y, p.src, p.id);
}

void play_title_sound_once()
{
    if (title_sound_played) return;
    sound_play(SOUND_SEAL_CALL);
    title_sound_played = 1;
}

bool space_pressed(const ButtonState& buttons)
{
    return (buttons.newly_pressed & BUTTON_SPACE) != 0;
}

void close_view()
{
    accept_input = 0;
    view_transition = VIEW_CLOSING;
    begin_view_closing();
}

// A stage begins with fresh seals and its count from zero; from a high
// enough best on, some seals come from the rare sheet.
void start_stage()
{
    shown_score_clear();
    targets_reset(best_score_get() >= SPECIAL_TARGET_BEST);
}

void new_game()
{
    start_stage();
    particles_clear();
    stages_reset();
    scene = SCENE_PLAY;
}

// The scene that was closing is left; the next one opens.
void leave_scene()
{
    switch (scene) {
    case SCENE_TITLE:
        new_game();
        sorvel_Tune_Start(TUNE_SLOT, TUNE_FROM_START);
        break;
    case SCENE_PLAY:
        stage_score_record();
        if (best_score_update()) sound_play(SOUND_NEW_BEST);
        if (!targets_not_all_hit())
            new_game(); // every target hit: the game starts over at once
        else
            scene = stage_index_get() <= 1 ? SCENE_STAGE_RESULT : SCENE_FINAL_RESULT;
        break;
    case SCENE_STAGE_RESULT:
        stage_advance();
        start_stage();
        scene = SCENE_PLAY;
        break;
    case SCENE_FINAL_RESULT:
        new_game();
        break;
    }
}

// The marker's contents are never read; only whether it opens.
int find_love_marker()
{
    char dir[platform::PATH_LIMIT];
    if (!platform::executable_dir(dir, sizeof dir)) return 0;
    char path[platform::PATH_LIMIT];
    const int n = std::snprintf(path, sizeof path, "%s%c%s", dir, platform::PATH_SEPARATOR, LOVE_FILE);
    if (n < 0 || size_t(n) >= sizeof path) return 0;
    return platform::file_exists(path) ? 1 : 0;
}

} // namespace

void step_scene(const ButtonState& buttons)
{
    // The background covers the view, and its black is the black of the
    // clear, so it is copied whole and only the screen around the view is
    // cleared. Without its picture the view is cleared too.
    fill_around(view_clip, BLACK);
    if (!copy_clipped(view_clip, 0, 0, BACKGROUND_SRC, SURFACE_BACKGROUND)) fill_rect(view_clip, BLACK);

    switch (scene) {
    case SCENE_TITLE:
        play_title_sound_once();
        draw_title();
        best_score_draw(view_clip, TITLE_BEST_X, TITLE_BEST_Y);
        // Space on the title counts even while it is still opening.
        if (view_transition != VIEW_CLOSING && space_pressed(buttons)) close_view();
        break;
    case SCENE_PLAY:
        if (accept_input) targets_handle_buttons(buttons, love_mode);
        targets_update(fall_accel_get());
        particles_update();
        targets_draw(view_clip);
        particles_draw(love_mode);
        darts_draw(view_clip);
        score_counter_step(targets_caught_points());
        stage_label_draw();
        break;
    case SCENE_STAGE_RESULT:
        particles_update();
        particles_draw(love_mode);
        results_draw(view_clip);
        best_score_draw(view_clip, RESULT_BEST_X, RESULT_BEST_Y);
        break;
    case SCENE_FINAL_RESULT:
        particles_update();
        particles_draw(love_mode);
        results_draw(view_clip);
        grade_picture_draw(view_clip);
        best_score_draw(view_clip, RESULT_BEST_X, RESULT_BEST_Y);
        break;
    }

    if (accept_input && targets_all_resolved(shown_score_get())) {
        space_prompt_draw(view_clip);
        if (space_pressed(buttons)) close_view();
    }

    if (view_transition == VIEW_OPENING) {
        if (step_view_opening()) accept_input = 1;
    } else if (step_view_closing()) {
        leave_scene();
        begin_view_opening();
        view_transition = VIEW_OPENING;
    }
}

void reset_game()
{
    accept_input = 1;
    scene = SCENE_TITLE;
    view_transition = VIEW_OPENING;
    begin_view_opening();
    best_score_load();
    sorvel_Tune_Stop();
    title_sound_played = 0;
    love_mode = find_love_marker();
}

Scene scene_get()
{
    return scene;
}

ViewTransition view_transition_get()
{
    return view_transition;
}

int accept_input_get()
{
    return accept_input;
}

int love_mode_get()
{
    return love_mode;
}

const RECT& view_clip_get()
{
    return view_clip;
}

void scene_state_reset()
{
    scene = Scene(0);
    view_transition = VIEW_OPENING;
    view_step = accept_input = title_sound_played = love_mode = 0;
    view_clip = RECT{};
}
