// A fresh engine on the headless backend for each test: module state as at
// program start, a window, the display at the game's scale, and (on
// request) every bitmap of the resource list as a synthetic picture of its
// real size. It brings the drawing operations and the slot names along.
#pragma once

#include "game/slots.h"
#include "gfx/blit.h"
#include "gfx/display.h"
#include "gfx/surfaces.h"
#include "platform/graphics.h"
#include "platform/headless/headless.h"
#include "platform/window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// The colour every synthetic resource picture is filled with, by slot: no
// two alike, none black.
uint32_t slot_colour(int slot);

// Registers every bitmap of the resource list, each filled with its
// slot_colour and with a 2-pixel black frame (transparent when drawn).
void register_all_bitmaps();
// Registers every WAVE resource the executable carries; returns how many.
int register_res_waves();
// Loads each effect of the resource list into its sound slot; how many loaded.
int load_effects();

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Runs fn after every present, with the count of presents since start.
    void each_present(std::function<void(uint64_t frame)> fn);

    platform::Window* window = nullptr;

private:
    std::function<void(uint64_t)> present_fn;
};

// A fresh directory of the test's own, the working directory until it goes
// and then removed with everything in it.
struct ScratchDir {
    explicit ScratchDir(const std::string& what);
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path path;
    const std::filesystem::path old;
};

// Plants, beside the file, every temporary name a replacement of it by this
// process could take, as saves killed before their rename leave them:
// files, links (to a file that must stay, and to nothing) and, at try 5, a
// directory. Answers how many of them are there still, the directory
// aside, and whether the directory and the links' target are.
void plant_leftovers(const std::filesystem::path& file);
struct Leftovers {
    int names = 0;
    bool directory = false;
    bool link_target = false;
};
Leftovers leftovers_of(const std::filesystem::path& file);

// The colour of the presented frame at (x, y), 0xRRGGBB.
uint32_t screen_pixel(int x, int y);
uint32_t back_pixel(int x, int y);
// Every pixel of the back buffer, row by row.
std::vector<uint32_t> back_buffer_pixels();
