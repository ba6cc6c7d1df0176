// The headless backend's controls for tests and the demo: a clock the test
// sets and advances, a message queue it fills, resources it registers, and
// a record of what the game did (presents, message boxes, captures).
#pragma once

#include "platform/graphics.h"
#include "platform/types.h"

#include <cstdint>
#include <span>
#include <string>

namespace headless {

// Back to a fresh machine: clock 0, empty queue, no resources, no hooks,
// nothing recorded. Surfaces still held by the game stay valid.
void reset();

// The clock. Every platform sleep advances it by the time slept.
void set_ticks(uint32_t ticks);
void advance(uint32_t ms);
uint32_t ticks();
void set_local_seconds(int seconds);
uint64_t sleep_count();
// How many times the game waited for a message or a timeout.
uint64_t wait_count();

// The message queue, first in first out.
void post(uint32_t message, uintptr_t wparam = 0, intptr_t lparam = 0);
void key_down(uint8_t vk);
void key_up(uint8_t vk);
// Called when the game waits on an empty queue; it may post messages.
// If the queue is still empty afterwards the wait ends with a quit, and
// starved() reports it, so a test can never hang.
using Hook = void (*)(void* user);
void on_idle(Hook hook, void* user);
bool starved();
// Called after every present, with present_count() already counting it.
void on_present(Hook hook, void* user);
// Called after every platform sleep.
void on_sleep(Hook hook, void* user);

// Resources and files.
void register_resource(const std::string& name, const std::string& type, std::span<const uint8_t> bytes);
void set_executable_dir(const std::string& dir);
// Where data_file_path puts the game's files; the working directory until
// a test names another folder.
void set_data_dir(const std::string& dir);

// Presents.
uint64_t present_count();
// Tick of the n-th most recent present (0 the latest); the last 4096 are kept.
uint32_t present_tick(uint64_t back);
// The last presented picture, 640 x 480 times the scale presented.
const platform::Surface* primary();
uint32_t primary_pixel(int x, int y);

// Surfaces.
void mark_lost(platform::Surface* surface);
uint32_t pixel(const platform::Surface* surface, int x, int y);
void surface_size(const platform::Surface* surface, int* width, int* height);
int live_surfaces();

// Failure switches for start-up paths.
void fail_surface_create_after(int successes); // -1: never fail

// What the game told the user or the system.
// Everything written for a debugger, in order.
const std::string& debug_lines();
int message_box_count();
const std::string& last_message_box_text();
const std::string& last_message_box_caption();
int capture_calls();
int release_calls();
bool mouse_captured();
bool window_visible();

} // namespace headless
