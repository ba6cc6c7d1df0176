// The program's entry on Windows. WinMain's result follows the game's own
// rule: 1 when start-up got as far as the game (whatever happened there),
// 0 when it stopped early (a second copy, or a failure).
#include "app/startup.h"
#include "platform/win32/win32_platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return run_program() == StartupResult::Ran ? 1 : 0;
}
