// A song held as plain tables, and the writer that lays it out in the
// library's binary format. The song compiler fills it from the text source;
// the tests fill it by hand to make small songs (and damage their bytes).
#pragma once

#include "sorvel/song.h"

#include <cstdint>
#include <vector>

namespace songc {

struct SourceRow {
    uint8_t note = 0;
    uint8_t instrument = 0; // 1-based, 0 with no note
    uint8_t effect = 0;
    uint8_t param = 0;
};

struct SongSource {
    uint16_t bpm = 120;
    uint8_t rows_per_beat = 4;
    uint8_t ticks_per_row = 6;
    uint8_t voices = 1;
    uint8_t rows_per_pattern = 16;
    uint8_t master_volume = 255;
    uint8_t loop_order = 0;
    std::vector<sorvel::Instrument> instruments;
    std::vector<std::vector<SourceRow>> patterns; // missing rows are empty
    std::vector<std::vector<uint8_t>> order;      // one pattern index per voice
};

// The song's bytes: header, instruments, order list, patterns, in that
// order. Empty when a count does not fit its field.
std::vector<uint8_t> song_write(const SongSource& song);

// An oscillator instrument with a plain envelope, for building songs.
sorvel::Instrument song_oscillator(uint8_t kind, uint8_t volume, uint16_t attack_ms, uint16_t decay_ms, uint8_t sustain,
                                   uint16_t release_ms);

} // namespace songc
