// A song as the player uses it: the header's values and the instruments
// decoded, the order list and the patterns left in the song's own bytes.
// song_parse checks every byte before anything reads it.
#pragma once

#include "sorvel/song_format.h"

#include <array>
#include <cstdint>
#include <span>

namespace sorvel {

struct Instrument {
    uint8_t kind;
    uint8_t duty;
    uint8_t volume;
    uint8_t pan;
    uint16_t attack_ms;
    uint16_t decay_ms;
    uint8_t sustain;
    uint16_t release_ms;
    uint8_t vibrato_depth;
    uint8_t vibrato_speed;
    uint8_t vibrato_delay;
    uint8_t base_note;
    char sample[SAMPLE_NAME_SIZE]; // NUL-terminated; empty for oscillators
};

struct Song {
    uint16_t bpm;
    uint8_t rows_per_beat;
    uint8_t ticks_per_row;
    uint8_t voices;
    uint8_t instrument_count;
    uint8_t pattern_count;
    uint8_t rows_per_pattern;
    uint8_t order_length;
    uint8_t loop_order;
    uint8_t master_volume;
    std::array<Instrument, MAX_INSTRUMENTS> instruments;
    const uint8_t* order;    // order_length * voices pattern indices
    const uint8_t* patterns; // pattern_count * rows_per_pattern rows
};

struct Row {
    uint8_t note;
    uint8_t instrument; // 1-based; 0 on rows without a note
    uint8_t effect;
    uint8_t param;
};

// Why a song was refused; SONG_OK when it was accepted.
enum SongStatus : uint8_t {
    SONG_OK = 0,
    SONG_TOO_SHORT,          // shorter than the header
    SONG_BAD_MAGIC,          // not a song
    SONG_BAD_VERSION,        // a song of another version
    SONG_BAD_HEADER,         // header size or reserved bytes wrong
    SONG_SIZE_MISMATCH,      // the size in the header is not the size given (truncated or padded)
    SONG_TOO_LARGE,          // over SONG_MAX_BYTES
    SONG_BAD_TEMPO,          // bpm, rows per beat or ticks per row out of range
    SONG_BAD_COUNTS,         // voices, instruments, patterns, rows or order length zero or over a limit
    SONG_BAD_LOOP,           // the loop point is past the order list
    SONG_BAD_MASTER_VOLUME,  // zero
    SONG_SECTION_OUTSIDE,    // a section starts inside the header or runs past the end
    SONG_SECTIONS_OVERLAP,   // two sections share bytes
    SONG_BAD_INSTRUMENT,     // an instrument field out of range
    SONG_BAD_SAMPLE_NAME,    // a sample name missing, too long, not ASCII, or given to an oscillator
    SONG_BAD_ORDER,          // the order list names a pattern that does not exist
    SONG_BAD_NOTE,           // a note out of range
    SONG_UNKNOWN_INSTRUMENT, // a note without an instrument, or with one past the table
    SONG_BAD_ROW,            // an instrument without a note, or on a note-off
    SONG_BAD_EFFECT,         // an unknown effect, or a parameter out of its range
    SONG_STATUS_COUNT
};

// Checks `bytes` and fills `song`, whose pointers then point into `bytes`.
// On any status but SONG_OK `song` is left unspecified.
SongStatus song_parse(std::span<const uint8_t> bytes, Song* song);
// A short English phrase for the status, for tools and test messages.
const char* song_status_text(SongStatus status);

// The pattern a voice plays at an order entry, and one row of a pattern.
// Both expect indices already inside the song.
inline int song_pattern_at(const Song& song, int order, int voice)
{
    return song.order[order * song.voices + voice];
}

inline Row song_row(const Song& song, int pattern, int row)
{
    const uint8_t* p = song.patterns + (static_cast<size_t>(pattern) * song.rows_per_pattern + row) * ROW_SIZE;
    return Row{p[R_NOTE], p[R_INSTRUMENT], p[R_EFFECT], p[R_PARAM]};
}

} // namespace sorvel
