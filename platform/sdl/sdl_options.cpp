#include "platform/sdl/sdl_options.h"

#include "platform/sdl/sdl_settings.h"
#include "quobbin_version.h"

#include <cstdio>
#include <cstring>

const char* const OPTIONS_VERSION = "quobbin " QUOBBIN_VERSION "\n";

const char* const OPTIONS_HELP =
    "Usage: quobbin [OPTION]...\n"
    "Catch the three seals on their chains with the keys 1, 2 and 3.\n"
    "\n"
    "Options:\n"
    "  --scale N      show each game pixel as an N x N block (1 to 4); by default\n"
    "                 the largest that fits the desktop\n"
    "  --fullscreen   start fullscreen\n"
    "  --windowed     start in a window\n"
    "  -h, --help     show this help and end\n"
    "  --version      show the version and end\n"
    "  --             end of the options\n"
    "\n"
    "Keys:\n"
    "  1, 2, 3                 catch the left, middle, right seal (the keypad's too)\n"
    "  Space                   start, go on\n"
    "  Esc                     pause; then F1 goes on, F2 starts over, Esc quits\n"
    "  Ctrl+R                  back to the title\n"
    "  Ctrl+M                  the volume control\n"
    "  Ctrl+I                  who made the game\n"
    "  Ctrl+Q                  quit\n"
    "  Alt+Enter, F11          fullscreen on and off\n"
    "  Ctrl+plus, Ctrl+minus   a larger or smaller window\n"
    "\n"
    "A gamepad: X, A, B (the left, bottom, right face buttons) catch the left,\n"
    "middle, right seal; Start is Space, and goes on from the pause; Back\n"
    "pauses and, on the pause screen, quits; Y there starts over.\n"
    "\n"
    "The scale chosen with the keys and the fullscreen state are kept in\n"
    "$XDG_CONFIG_HOME/quobbin/settings (~/.config/quobbin/settings).\n";

namespace {

// The argument is shown as the player typed it, but a control character
// in it (an escape sequence, say) is written out as \ and three octal
// digits rather than sent to the terminal.
bool refuse(char* error, size_t size, const char* what, const char* argument)
{
    char shown[256];
    size_t n = 0;
    for (const char* at = argument; *at && n + 5 < sizeof shown; ++at) {
        const auto c = static_cast<unsigned char>(*at);
        if (c < 0x20 || c == 0x7F)
            n += size_t(std::snprintf(shown + n, sizeof shown - n, "\\%03o", c));
        else
            shown[n++] = char(c);
    }
    shown[n] = 0;
    std::snprintf(error, size, what, shown);
    return false;
}

} // namespace

bool options_parse(int argc, const char* const* argv, Options* out, char* error, size_t error_size)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--") == 0) {
            if (i + 1 < argc) return refuse(error, error_size, "unexpected argument '%s'", argv[i + 1]);
            break;
        } else if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            o.help = true;
        } else if (std::strcmp(arg, "--version") == 0) {
            o.version = true;
        } else if (std::strcmp(arg, "--fullscreen") == 0) {
            o.fullscreen = 1;
        } else if (std::strcmp(arg, "--windowed") == 0) {
            o.fullscreen = 0;
        } else if (std::strcmp(arg, "--scale") == 0 || std::strncmp(arg, "--scale=", 8) == 0) {
            const char* value = arg[7] == '=' ? arg + 8 : (i + 1 < argc ? argv[++i] : nullptr);
            if (!value) return refuse(error, error_size, "option '%s' needs a value (1 to 4)", arg);
            if (value[0] < '0' + SCALE_MIN || value[0] > '0' + SCALE_MAX || value[1] != 0)
                return refuse(error, error_size, "scale '%s' is not a whole number from 1 to 4", value);
            o.scale = value[0] - '0';
        } else if (arg[0] == '-') {
            return refuse(error, error_size, "unknown option '%s'", arg);
        } else {
            return refuse(error, error_size, "unexpected argument '%s'", arg);
        }
    }
    *out = o;
    return true;
}
