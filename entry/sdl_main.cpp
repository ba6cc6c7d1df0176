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

int main(int argc, char** argv)
{
    Options options;
    char error[160];
    if (!options_parse(argc, argv, &options, error, sizeof error)) {
        std::fprintf(stderr, "quobbin: %s\nTry 'quobbin --help' for the options.\n", error);
        return 2;
    }
    if (options.help) {
        std::fputs(OPTIONS_HELP, stdout);
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
