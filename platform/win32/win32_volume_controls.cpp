// The volume controls of Windows. The classic control, Sndvol32.exe, lived
// in the system directory on some versions and in the Windows directory on
// others, so both are tried every time. Since Vista neither exists and the
// control is SndVol.exe in the system directory: it is tried only when no
// classic one started, so the menu item does something on every Windows
// and still opens just one control where the old ones are.
#include "platform/win32/win32_platform.h"

#include "platform/system.h"

#include <shlwapi.h>

#include <cstdio>
#include <cstring>

namespace platform {

namespace {

constexpr size_t COMMAND_COUNT = 3;

struct VolumeControls {
    char paths[COMMAND_COUNT][MAX_PATH];
    std::array<VolumeCommand, COMMAND_COUNT> commands;
    size_t count;
};

// A command whose path would not fit in MAX_PATH is left out: Windows' own
// launching refuses longer paths, and a cut one would name another file.
void add_command(VolumeControls* controls, const char* dir, const char* program, bool always)
{
    char* path = controls->paths[controls->count];
    const int n = std::snprintf(path, MAX_PATH, "%s\\%s", dir, program);
    if (n < 0 || n >= int(MAX_PATH)) return;
    controls->commands[controls->count] = VolumeCommand{{path, nullptr}, always};
    ++controls->count;
}

// One separator between the directory and the program, also after a root
// such as "C:\".
void drop_trailing_separator(char* dir)
{
    const size_t n = std::strlen(dir);
    if (n > 0 && dir[n - 1] == '\\') dir[n - 1] = 0;
}

void compose(VolumeControls* controls)
{
    controls->count = 0;
    char system_dir[MAX_PATH];
    const UINT n = GetSystemDirectoryA(system_dir, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return; // no system directory, or too long for any of the paths
    drop_trailing_separator(system_dir);
    add_command(controls, system_dir, "Sndvol32.exe", true);
    char windows_dir[MAX_PATH];
    std::memcpy(windows_dir, system_dir, std::strlen(system_dir) + 1);
    if (PathRemoveFileSpecA(windows_dir)) {
        drop_trailing_separator(windows_dir);
        add_command(controls, windows_dir, "Sndvol32.exe", true);
    }
    add_command(controls, system_dir, "SndVol.exe", false);
}

} // namespace

// The directories do not change while the game runs: the paths are made
// once, on first use, and the list points into them from then on.
std::span<const VolumeCommand> volume_control_commands()
{
    static VolumeControls controls{};
    static const bool composed = (compose(&controls), true);
    (void)composed;
    return {controls.commands.data(), controls.count};
}

} // namespace platform
