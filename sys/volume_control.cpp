// Starting a volume control. Which programs count as one is the platform's
// knowledge; the order of trying and the result are ours.
#include "sys/volume_control.h"

#include "platform/system.h"

// The window is the owner on systems whose launcher wants one; launching on
// ours needs none.
int open_volume_control(platform::Window*)
{
    for (const platform::VolumeCommand& command : platform::volume_control_commands())
        if (platform::launch(command.data())) return 1;
    return 0;
}
