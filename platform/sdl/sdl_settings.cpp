#include "platform/sdl/sdl_settings.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

namespace {

// Room for both lines and then some: anything longer is not ours.
constexpr size_t SETTINGS_SIZE_LIMIT = 64;
constexpr const char* FOLDER = "quobbin";
constexpr const char* FILE_NAME = "settings";

// Makes every missing folder of path (the file's own name excluded), only
// for its owner; a folder already there is left as it is.
bool make_folders(const char* path)
{
    char folder[platform::PATH_LIMIT];
    std::snprintf(folder, sizeof folder, "%s", path);
    char* last = std::strrchr(folder, '/');
    if (!last || last == folder) return false;
    *last = 0;
    for (char* at = folder + 1;; ++at) {
        const bool end = *at == 0;
        if (!end && *at != '/') continue;
        *at = 0;
        if (::mkdir(folder, 0700) != 0 && errno != EEXIST) return false;
        if (end) break;
        *at = '/';
    }
    struct stat info {};
    return ::stat(folder, &info) == 0 && S_ISDIR(info.st_mode);
}

// "key=value\n" with the value one digit in [low, high].
bool parse_line(std::string_view line, std::string_view key, int low, int high, int* value)
{
    if (line.size() != key.size() + 2 || line.substr(0, key.size()) != key || line[key.size()] != '=') return false;
    const char digit = line[key.size() + 1];
    if (digit < '0' + low || digit > '0' + high) return false;
    *value = digit - '0';
    return true;
}

// $<variable>/quobbin/<name>, or $HOME/<fallback>/quobbin/<name> when the
// variable is unset, empty or relative, as the XDG base directories have it.
bool xdg_path(const char* variable, const char* fallback, const char* name, char (&path)[platform::PATH_LIMIT])
{
    const char* base = std::getenv(variable);
    int n;
    if (base && base[0] == '/') {
        n = std::snprintf(path, sizeof path, "%s/%s/%s", base, FOLDER, name);
    } else {
        const char* home = std::getenv("HOME");
        if (!home || home[0] != '/') return false;
        n = std::snprintf(path, sizeof path, "%s/%s/%s/%s", home, fallback, FOLDER, name);
    }
    return n > 0 && size_t(n) < sizeof path;
}

} // namespace

bool settings_path(char (&path)[platform::PATH_LIMIT])
{
    return xdg_path("XDG_CONFIG_HOME", ".config", FILE_NAME, path);
}

bool data_folder_path(const char* name, char (&path)[platform::PATH_LIMIT])
{
    return xdg_path("XDG_DATA_HOME", ".local/share", name, path) && make_folders(path);
}

bool settings_parse(std::string_view text, Settings* out)
{
    Settings s;
    bool seen_scale = false, seen_fullscreen = false;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        if (end == std::string_view::npos) return false; // cut short
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        int value = 0;
        if (!seen_scale && parse_line(line, "scale", SCALE_MIN, SCALE_MAX, &value)) {
            s.scale = value;
            seen_scale = true;
        } else if (!seen_fullscreen && parse_line(line, "fullscreen", 0, 1, &value)) {
            s.fullscreen = value == 1;
            seen_fullscreen = true;
        } else {
            return false;
        }
    }
    *out = s;
    return true;
}

size_t settings_format(const Settings& s, char* out, size_t size)
{
    const int n = s.scale >= SCALE_MIN && s.scale <= SCALE_MAX
                      ? std::snprintf(out, size, "scale=%d\nfullscreen=%d\n", s.scale, s.fullscreen ? 1 : 0)
                      : std::snprintf(out, size, "fullscreen=%d\n", s.fullscreen ? 1 : 0);
    return n > 0 && size_t(n) < size ? size_t(n) : 0;
}

// A link is refused even when it leads to a good file: the settings are
// the player's own file, never one somebody pointed the game at.
Settings settings_load()
{
    Settings s;
    char path[platform::PATH_LIMIT];
    if (!settings_path(path)) return s;
    struct stat info {};
    if (::lstat(path, &info) != 0 || !S_ISREG(info.st_mode)) return s;
    char text[SETTINGS_SIZE_LIMIT + 1];
    const long n = platform::file_read(path, text, sizeof text);
    if (n < 0 || size_t(n) > SETTINGS_SIZE_LIMIT) return s;
    settings_parse(std::string_view(text, size_t(n)), &s);
    return s;
}

bool settings_save(const Settings& s)
{
    char path[platform::PATH_LIMIT];
    char text[SETTINGS_SIZE_LIMIT];
    const size_t n = settings_format(s, text, sizeof text);
    if (n == 0 || !settings_path(path) || !make_folders(path)) return false;
    platform::FileReplacement file;
    return platform::file_replace_open(path, &file) && platform::file_replace_commit(&file, text, n);
}

void settings_remove_leftovers()
{
    char path[platform::PATH_LIMIT];
    if (settings_path(path)) platform::file_remove_leftovers(path);
}
