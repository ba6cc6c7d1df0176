// Measures what the sound device itself adds to an effect's delay, for the
// end-to-end run under Wine: opens the device through sorvel.dll as the
// game does, on a window of its own, makes an effect buffer the game's way
// and plays a short click from it several times, printing the wall-clock
// time of each Play call (nanoseconds, as date +%s%N). The run's capture
// says when each click came out.
//
//   click_probe COUNT GAP_MS
#include "platform/audio.h"
#include "platform/win32/win32_window_record.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Ready = int (*)(platform::Window*, int, int, int, float, int, int);
using GetDirectSound = platform::AudioDevice* (*)();

// FILETIME counts 100 ns from 1601; the Unix clock counts from 1970.
long long unix_ns()
{
    FILETIME t{};
    GetSystemTimePreciseAsFileTime(&t);
    const long long ticks = (long long)t.dwHighDateTime << 32 | t.dwLowDateTime;
    return (ticks - 116444736000000000LL) * 100;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) return 2;
    const int count = std::atoi(argv[1]);
    const int gap = std::atoi(argv[2]);
    const HMODULE library = LoadLibraryA("sorvel.dll");
    if (!library) return 1;
    const auto ready = reinterpret_cast<Ready>(reinterpret_cast<void*>(GetProcAddress(library, "sorvel_Ready")));
    const auto get =
        reinterpret_cast<GetDirectSound>(reinterpret_cast<void*>(GetProcAddress(library, "sorvel_GetDirectSound")));
    platform::Window window;
    window.hwnd = CreateWindowExA(0, "STATIC", "click", WS_OVERLAPPED, 0, 0, 64, 64, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (!ready || !get || !window.hwnd || !ready(&window, 2, 44100, 16, 0.1f, 1, 0) || !get()) return 1;

    // Ten milliseconds of a full square wave at 441 Hz, 8-bit mono at
    // 22050 Hz like the game's effects.
    std::vector<uint8_t> click(220);
    for (size_t i = 0; i < click.size(); ++i) click[i] = (i / 25) % 2 ? 255 : 0;
    const platform::WaveFormat format{1, 1, 22050, 22050, 1, 8, 0};
    platform::AudioBuffer* buffer = platform::audio_buffer_create(get(), format, uint32_t(click.size()));
    void *part1 = nullptr, *part2 = nullptr;
    uint32_t bytes1 = 0, bytes2 = 0;
    if (!buffer || !platform::audio_buffer_lock(buffer, 0, uint32_t(click.size()), &part1, &bytes1, &part2, &bytes2))
        return 1;
    std::copy_n(click.data(), bytes1, static_cast<uint8_t*>(part1));
    platform::audio_buffer_unlock(buffer, part1, bytes1, part2, bytes2);

    Sleep(1000); // the device's stream is under way
    for (int k = 0; k < count; ++k) {
        // Each click a little later in the device's cycle than the last;
        // the gap is longer than the device's delay.
        Sleep(DWORD(gap + k * 7));
        platform::audio_buffer_stop(buffer);
        platform::audio_buffer_set_position(buffer, 0);
        std::printf("%lld\n", unix_ns());
        platform::audio_buffer_play(buffer);
    }
    std::fflush(stdout);
    Sleep(500);
    platform::audio_buffer_release(buffer);
    return 0;
}
