// The program from start to end: the single-instance claim, the window,
// the display, the start-up logo held for at least a second while input and
// music get ready, the game, and the fixed order of shutdown.
#pragma once

enum class StartupResult {
    Ran,        // start-up reached the game (whatever happened there)
    SecondCopy, // another copy runs; it was asked to come forward
    Failed,     // start-up stopped early
};

inline constexpr const char* GAME_TITLE = "Quobbin";
inline constexpr const char* PRODUCT_NAME = "Murvale";
inline constexpr const char* INSTANCE_MUTEX_NAME = "murvale";
inline constexpr const char* INSTANCE_MAPPING_NAME = "map_murvale";
inline constexpr unsigned LOGO_MIN_MS = 1000;

StartupResult run_program();
