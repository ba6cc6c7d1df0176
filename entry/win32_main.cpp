// The program's entry on Windows. WinMain's result follows the game's own
// rule: 1 when start-up got as far as the game (whatever happened there),
// 0 when it stopped early (a second copy, or a failure).
//
// The music library's thread is stopped and its device closed before the
// program ends: a process that ended with the thread inside DirectSound
// crashed on its way out now and then.
#include "app/startup.h"
#include "platform/win32/win32_platform.h"
#include "sorvel/sorvel.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const StartupResult result = run_program();
    sorvel_Shutdown();
    return result == StartupResult::Ran ? 1 : 0;
}
