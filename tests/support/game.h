// A fresh game on the headless engine: every bitmap of the resource list
// loaded as a synthetic picture (slot_colour with a transparent frame), all
// game state as at program start, and a working directory of its own for
// "Best.dat". Frames are made the way the scene loop makes them. It brings
// the game's modules and the frame loop along.
#pragma once

#include "app/frame_loop.h"
#include "app/main_window.h"
#include "game/best_score_file.h"
#include "game/particles.h"
#include "game/scene.h"
#include "game/stages.h"
#include "game/targets.h"
#include "input/buttons.h"
#include "support/engine.h"

#include <filesystem>
#include <functional>
#include <utility>

// What the screen holds before each frame: no picture has it.
inline constexpr uint32_t STALE_COLOUR = 0x5A5A5A;

class GameTest : public EngineTest {
protected:
    void SetUp() override;

    // One frame with these buttons down: the button state, the screen
    // painted STALE_COLOUR, step_scene.
    void frame(ButtonMask held = 0);
    void frames(int n, ButtonMask held = 0);
    // Down for one frame, then up for one.
    void press(ButtonMask mask);
    // Frames until the condition holds (checked before each frame); the
    // count, or -1 after the limit.
    int frames_until(const std::function<bool()>& condition, int limit = 5000);
    // A reset, the title fully open, space, and the first stage open.
    void new_game();
    // Each target released, caught (or left) and counted; space pressed.
    void finish_stage(bool catch_targets = true);
    // The stage finished with every target caught (unless not asked to),
    // its result fully open, space, and the next stage open.
    void next_stage(bool finish = true);

    const ScratchDir scratch{"game"};
    const std::filesystem::path dir = scratch.path;             // the working directory
    const std::filesystem::path exe_dir = scratch.path / "bin"; // where the executable seems to live

private:
    ButtonState buttons{};
};

// A game already in its first stage, fully open and taking buttons.
class InPlayTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        new_game();
    }
};

// The best score file's three values, or empty when there is none; the
// bytes of such a file, and the file written with them.
std::vector<int32_t> best_file_values();
std::vector<uint8_t> best_file_bytes(int32_t check, int32_t multiplier, int32_t score);
void write_best_file(int32_t check, int32_t multiplier, int32_t score);
