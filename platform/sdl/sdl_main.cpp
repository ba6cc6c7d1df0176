// The program's entry on SDL. The exit status follows the convention of
// the platform: 0 for a normal end and for a second copy that handed over
// to the first, 1 when start-up failed, 2 for a bad command line.
#include "app/startup.h"
#include "platform/sdl/sdl_options.h"
#include "platform/sdl/sdl_settings.h"
#include "platform/sdl/sdl_view.h"
#include "sorvel/sorvel.h"

#include <SDL.h>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A launcher may start the game with standard input, output or error
// closed. The next file opened (the X connection, the lock file) would
// then take that number, and whatever the game or a library writes to
// standard error would land in it: a line in the X protocol stream hangs
// the game at its end. So the three are open before anything else, on
// /dev/null where they were closed.
void keep_standard_streams_open()
{
    for (int fd = 0; fd <= 2; ++fd)
        if (::fcntl(fd, F_GETFD) < 0 && ::open("/dev/null", O_RDWR) < 0) return;
}

} // namespace

int main(int argc, char** argv)
{
    keep_standard_streams_open();
    Options options;
    char error[160];
    if (!options_parse(argc, argv, &options, error, sizeof error)) {
        std::fprintf(stderr, "quobbin: %s\nTry 'quobbin --help' for the options.\n", error);
        return 2;
    }
    if (options.help || options.version) {
        std::fputs(options.help ? OPTIONS_HELP : OPTIONS_VERSION, stdout);
        return 0;
    }
    sdl_view_configure(options, settings_load());
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "0"); // Ctrl+C and SIGTERM close the game like the close box
    if (SDL_Init(0) != 0) return 1;
    const StartupResult result = run_program();
    // The tune's device is closed before SDL goes, so nothing plays on
    // while the program ends.
    sorvel_Shutdown();
    SDL_Quit();
    return result == StartupResult::Failed ? 1 : 0;
}
