#include "support/songs.h"

#include "res_files.h"
#include "song_text.h"
#include "sorvel/song.h"

#include <cstring>
#include <fstream>
#include <sstream>
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

std::vector<uint8_t> unrolled_real_song(int passes)
{
    std::ifstream in(std::string(QUOBBIN_RES_DIR) + "/../tools/song/quobbin.song");
    std::stringstream text;
    text << in.rdbuf();
    songc::SongSource s;
    std::string error;
    if (!songc::song_text_parse(text.str(), "quobbin.song", &s, &error)) return {};
    const std::vector<std::vector<uint8_t>> body(s.order.begin() + s.loop_order, s.order.end());
    for (int k = 1; k < passes; ++k) s.order.insert(s.order.end(), body.begin(), body.end());
    s.loop_order = static_cast<uint8_t>(s.order.size() - 1);
    return songc::song_write(s);
}
