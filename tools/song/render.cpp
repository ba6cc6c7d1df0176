#include "render.h"

#include "sorvel/sequencer.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace songc {

uint64_t song_intro_ticks(const sorvel::Song& song)
{
    return uint64_t{song.loop_order} * song.rows_per_pattern * song.ticks_per_row;
}

uint64_t song_loop_ticks(const sorvel::Song& song)
{
    return uint64_t(song.order_length - song.loop_order) * song.rows_per_pattern * song.ticks_per_row;
}

uint64_t song_tick_frame(const sorvel::Song& song, int rate, uint64_t tick)
{
    const uint64_t per_minute = uint64_t{song.bpm} * song.rows_per_beat * song.ticks_per_row;
    return tick * uint64_t(rate) * 60 / per_minute;
}

std::vector<int32_t> song_render(const sorvel::Song& song, int rate, uint64_t frames, int chunk)
{
    std::vector<int32_t> out(frames * 2, 0);
    sorvel::sequencer_halt();
    if (!sorvel::sequencer_start(&song, rate, 0)) return {};
    for (uint64_t done = 0; done < frames;) {
        const int n = static_cast<int>(std::min<uint64_t>(uint64_t(chunk), frames - done));
        sorvel::sequencer_render(out.data() + 2 * done, n);
        done += uint64_t(n);
    }
    return out;
}

Levels song_levels(std::span<const int32_t> stereo, uint64_t from, uint64_t to)
{
    Levels l{};
    double sum[2] = {0.0, 0.0};
    for (uint64_t f = from; f < to && 2 * f + 1 < stereo.size(); ++f) {
        for (int c = 0; c < 2; ++c) {
            const int32_t x = stereo[2 * f + c];
            l.peak = std::max(l.peak, std::abs(x));
            sum[c] += x;
            if (f > from) {
                const int32_t step = std::abs(x - stereo[2 * (f - 1) + c]);
                if (step > l.largest_step) {
                    l.largest_step = step;
                    l.largest_step_frame = f;
                }
            }
        }
    }
    for (int c = 0; c < 2; ++c) l.mean[c] = to > from ? sum[c] / double(to - from) : 0.0;
    return l;
}

int wav_write_16(const std::string& path, std::span<const int32_t> stereo, int rate)
{
    const uint32_t data = static_cast<uint32_t>(stereo.size() * 2);
    std::vector<uint8_t> out;
    auto put = [&out](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    auto tag = [&out](const char* t) { out.insert(out.end(), t, t + 4); };
    tag("RIFF");
    put(36 + data, 4);
    tag("WAVE");
    tag("fmt ");
    put(16, 4);
    put(1, 2); // PCM
    put(2, 2);
    put(uint32_t(rate), 4);
    put(uint32_t(rate) * 4, 4);
    put(4, 2);
    put(16, 2);
    tag("data");
    put(data, 4);
    for (int32_t x : stereo) put(static_cast<uint16_t>(std::clamp(x, -32768, 32767)), 2);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return file ? 1 : 0;
}

} // namespace songc
