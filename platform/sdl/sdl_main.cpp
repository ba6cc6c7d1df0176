// The program's entry on SDL. The exit status follows the convention of
// the platform: 0 for a normal end and for a second copy that handed over
// to the first, 1 when start-up failed.
#include "app/startup.h"
#include "sorvel/sorvel.h"

#include <SDL.h>

int main(int, char**)
{
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "0"); // Ctrl+C and SIGTERM close the game like the close box
    if (SDL_Init(0) != 0) return 1;
    const StartupResult result = run_program();
    // The tune's device is closed before SDL goes, so nothing plays on
    // while the program ends.
    sorvel_Shutdown();
    SDL_Quit();
    return result == StartupResult::Failed ? 1 : 0;
}
