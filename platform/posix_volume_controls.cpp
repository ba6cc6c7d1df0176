// The volume controls of POSIX desktops, shared by the SDL and the headless
// backends. There is no one mixer everywhere, so the usual ones are tried in
// order: the PulseAudio and PipeWire mixers first (they work under most
// desktops), then the desktops' own, and last ALSA's mixer in a terminal.
#include "platform/system.h"

namespace platform {

namespace {

// The first that starts is the one.
constexpr std::array<VolumeCommand, 7> VOLUME_COMMANDS = {{
    {{"pavucontrol"}, false},
    {{"pavucontrol-qt"}, false},
    {{"pwvucontrol"}, false},
    {{"gnome-control-center", "sound"}, false},
    {{"mate-volume-control"}, false},
    {{"kmix"}, false},
    {{"x-terminal-emulator", "-e", "alsamixer"}, false},
}};

constexpr bool every_command_ends_with_null()
{
    for (const VolumeCommand& command : VOLUME_COMMANDS)
        if (!command.argv[0] || command.argv[VOLUME_COMMAND_ARGS - 1]) return false;
    return true;
}
static_assert(every_command_ends_with_null(), "each command names a program and leaves room for its null");

} // namespace

std::span<const VolumeCommand> volume_control_commands()
{
    return VOLUME_COMMANDS;
}

} // namespace platform
