#include "support/game.h"

#include "app/resource_list.h"
#include "game/random.h"
#include "support/bmp.h"

#include <fstream>
#include <string>

void GameTest::SetUp()
{
    EngineTest::SetUp();
    register_all_bitmaps();
    // The later stages' backgrounds, which the resource list leaves to the stages.
    for (const char* name : {"BMP_BACK2", "BMP_BACK3"})
        headless::register_resource(name, "BITMAP", make_solid_bmp(640, 480, 0x4080C0));
    for (const ResourceEntry& e : RESOURCE_LIST)
        if (e.kind == ResourceKind::Bitmap) {
            ASSERT_TRUE(surface_load(e.name, e.slot, false, false)) << e.name;
        }
    random_state_reset();
    headless::set_local_seconds(0);
    targets_state_reset();
    stages_state_reset();
    scene_state_reset();
    particles_clear();
    std::filesystem::create_directories(exe_dir);
    headless::set_executable_dir(exe_dir.string());
    buttons = ButtonState{};
}

void GameTest::frame(ButtonMask held)
{
    buttons.held = held;
    button_state_update(&buttons);
    // The loop does not clear: whatever the screen held must not show.
    fill_rect(screen_clip, STALE_COLOUR);
    step_scene(buttons);
}

void GameTest::frames(int n, ButtonMask held)
{
    for (int i = 0; i < n; ++i) frame(held);
}

void GameTest::press(ButtonMask mask)
{
    frame(mask);
    frame(0);
}

int GameTest::frames_until(const std::function<bool()>& condition, int limit)
{
    for (int n = 0; n <= limit; ++n) {
        if (condition()) return n;
        frame(0);
    }
    return -1;
}

void GameTest::new_game()
{
    reset_game();
    next_stage(false);
}

void GameTest::finish_stage(bool catch_targets)
{
    for (;;) {
        ButtonMask catches = 0;
        for (int i = 0; i < TARGET_COUNT; ++i)
            if (catch_targets && target_get(i).state == TargetState::Falling) catches |= target_button_mask(i);
        if (catches) {
            press(catches);
            continue;
        }
        if (targets_all_resolved(shown_score_get())) break;
        frame(0);
    }
    press(BUTTON_SPACE);
    EXPECT_EQ(view_transition_get(), VIEW_CLOSING);
    EXPECT_GE(frames_until([] { return view_transition_get() == VIEW_OPENING; }), 0);
}

void GameTest::next_stage(bool finish)
{
    if (finish) finish_stage();
    frames(30);
    press(BUTTON_SPACE);
    EXPECT_GE(frames_until([] { return scene_get() == SCENE_PLAY && accept_input_get(); }), 0);
}

std::vector<int32_t> best_file_values()
{
    std::ifstream in(BEST_SCORE_FILE, std::ios::binary);
    std::vector<int32_t> values;
    uint8_t b[4];
    while (in.read(reinterpret_cast<char*>(b), 4))
        values.push_back(int32_t(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24));
    return values;
}

std::vector<uint8_t> best_file_bytes(int32_t check, int32_t multiplier, int32_t score)
{
    std::vector<uint8_t> bytes;
    for (int32_t v : {check, multiplier, score})
        for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(uint32_t(v) >> (8 * i)));
    return bytes;
}

void write_best_file(int32_t check, int32_t multiplier, int32_t score)
{
    write_file(BEST_SCORE_FILE, best_file_bytes(check, multiplier, score));
}
