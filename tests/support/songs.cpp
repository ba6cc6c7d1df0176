#include "support/songs.h"

#include "res_files.h"
#include "sorvel/song.h"
#include "support/waves.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

using namespace sorvel;

songc::SongSource small_song()
{
    songc::SongSource s;
    s.voices = 2;
    s.rows_per_pattern = 4;
    s.loop_order = 1;
    sorvel::Instrument sample{};
    sample.kind = KIND_SAMPLE;
    sample.volume = 255;
    sample.pan = 128;
    sample.sustain = 255;
    sample.base_note = 60;
    std::strcpy(sample.sample, "WAVE_TEST");
    s.instruments = {songc::song_oscillator(KIND_PULSE, 200, 1, 100, 128, 50), sample};
    s.patterns = {
        {{60, 1, 0, 0}, {0, 0, FX_ARPEGGIO, 0x47}, {NOTE_OFF, 0, 0, 0}, {}},
        {{48, 2, FX_VOLUME, 40}, {}, {}, {72, 1, FX_SLIDE_DOWN, 8}},
    };
    s.order = {{0, 1}, {1, 0}};
    return s;
}

std::vector<uint8_t> small_song_bytes()
{
    return songc::song_write(small_song());
}

const std::vector<uint8_t>& real_song_bytes()
{
    static std::vector<uint8_t> bytes;
    if (bytes.empty()) {
        std::string error;
        songc::res_files_load(QUOBBIN_RES_DIR, &error);
        const std::span<const uint8_t> found = songc::res_files_find("QUOBBIN", "SNGPK");
        bytes.assign(found.begin(), found.end());
    }
    return bytes;
}

std::vector<uint8_t> unrolled(const std::vector<uint8_t>& song_bytes, int passes)
{
    Song song;
    if (song_parse(song_bytes, &song) != SONG_OK) return {};
    songc::SongSource s;
    s.bpm = song.bpm;
    s.rows_per_beat = song.rows_per_beat;
    s.ticks_per_row = song.ticks_per_row;
    s.voices = song.voices;
    s.rows_per_pattern = song.rows_per_pattern;
    s.master_volume = song.master_volume;
    s.instruments.assign(song.instruments.begin(), song.instruments.begin() + song.instrument_count);
    for (int p = 0; p < song.pattern_count; ++p) {
        s.patterns.emplace_back();
        for (int r = 0; r < song.rows_per_pattern; ++r) {
            const Row row = song_row(song, p, r);
            s.patterns.back().push_back({row.note, row.instrument, row.effect, row.param});
        }
    }
    auto entry = [&](int o) {
        return std::vector<uint8_t>(song.order + o * song.voices, song.order + (o + 1) * song.voices);
    };
    for (int o = 0; o < song.loop_order; ++o) s.order.push_back(entry(o));
    for (int k = 0; k < passes; ++k)
        for (int o = song.loop_order; o < song.order_length; ++o) s.order.push_back(entry(o));
    s.loop_order = static_cast<uint8_t>(s.order.size() - 1);
    return songc::song_write(s);
}

std::vector<uint8_t> wave_8bit(const std::vector<uint8_t>& samples, uint32_t rate)
{
    return riff({fmt_chunk(1, 8, rate, 16), chunk("data", samples)});
}
