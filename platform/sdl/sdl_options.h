// The Linux game's command line: the window's scale, fullscreen or not,
// the help and the version. What is given here wins over the remembered settings.
#pragma once

#include <cstddef>

struct Options {
    int scale = 0;       // 0: not given
    int fullscreen = -1; // -1: not given; 0 windowed; 1 fullscreen
    bool help = false;
    bool version = false;
};

// Reads argv[1..argc-1]. On a bad option or value it returns false with
// the reason (one line, without the program's name) in error.
bool options_parse(int argc, const char* const* argv, Options* out, char* error, size_t error_size);

// The texts of --help and --version ("quobbin 1.1.0").
extern const char* const OPTIONS_HELP;
extern const char* const OPTIONS_VERSION;
