// The program's entry in a browser. A second tab of the page does not
// start the game: it says so and waits for the first to close, then
// starts. When the game ends (Escape on the pause screen), the page says so.
#include "app/startup.h"
#include "platform/web/web_platform.h"
#include "sorvel/sorvel.h"

int main()
{
    StartupResult result;
    while ((result = run_program()) == StartupResult::SecondCopy) {
        web_page_line("Quobbin is already open in another tab");
        web_lock_wait(INSTANCE_MUTEX_NAME);
        web_page_line("");
    }
    sorvel_Shutdown();
    if (result == StartupResult::Ran) web_page_line("The game has ended. Reload the page to play again.");
    return result == StartupResult::Failed ? 1 : 0;
}
