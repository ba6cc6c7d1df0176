// Starting a volume control. Which programs count as one is the platform's
// knowledge; the order of trying and the result are ours.
#include "sys/volume_control.h"

#include "platform/system.h"

// A command marked always is started whatever came before it; the rest are
// tried only until one starts. While one the game started is still open,
// the command brings up no other.
int open_volume_control(platform::Window* window)
{
    if (platform::launched_running()) return 1;
    int started = 0;
    for (const platform::VolumeCommand& command : platform::volume_control_commands())
        if (command.always || !started) started |= platform::launch(window, command.argv.data());
    return started;
}
