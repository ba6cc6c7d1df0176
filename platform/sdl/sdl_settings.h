// What the Linux game remembers between runs: the window's scale chosen
// with a key and whether it was fullscreen, in a tiny text file under the
// user's configuration folder:
//
//   scale=3
//   fullscreen=1
//
// Each line is optional, none may repeat, and nothing else may stand in
// the file. A file that is missing, damaged, cut short, oversized, not a
// regular file or a link, or unreadable gives the defaults, never an error.
#pragma once

#include "platform/files.h"

#include <cstddef>
#include <string_view>

inline constexpr int SCALE_MIN = 1;
inline constexpr int SCALE_MAX = 4;

struct Settings {
    int scale = 0; // 0: none chosen, the largest that fits
    bool fullscreen = false;
};

// $XDG_CONFIG_HOME/quobbin/settings, or ~/.config/quobbin/settings when
// XDG_CONFIG_HOME is unset, empty or relative. False when neither gives a
// path that fits.
bool settings_path(char (&path)[platform::PATH_LIMIT]);

// $XDG_DATA_HOME/quobbin/<name>, or ~/.local/share/quobbin/<name> when
// XDG_DATA_HOME is unset, empty or relative, with the folders made for the
// owner alone. False when there is no such folder to be had.
bool data_folder_path(const char* name, char (&path)[platform::PATH_LIMIT]);

// Strict: any fault in the text gives false and leaves *out alone.
bool settings_parse(std::string_view text, Settings* out);
// The file's text for s; returns its length.
size_t settings_format(const Settings& s, char* out, size_t size);

Settings settings_load();
// Makes the folder when it is missing and replaces the file as one step;
// false when it could not be written (the game goes on either way).
bool settings_save(const Settings& s);
// Removes what saves killed before their rename left beside the file; only
// while this copy holds the single-instance claim.
void settings_remove_leftovers();
