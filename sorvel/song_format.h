// The binary layout of a song (resource type SNGPK), the one place that
// says where every field lives. The parser reads with these offsets and the
// song compiler writes with them. Everything is little-endian; README.md
// draws the same layout as a table.
#pragma once

#include <cstddef>
#include <cstdint>

namespace sorvel {

inline constexpr char SONG_MAGIC[4] = {'S', 'R', 'V', 'L'};
inline constexpr uint16_t SONG_VERSION = 1;
// A song is copied into a static buffer of this size when it is loaded.
inline constexpr uint32_t SONG_MAX_BYTES = 65536;

// The header.
inline constexpr size_t HEADER_SIZE = 40;
inline constexpr size_t H_MAGIC = 0;              // 4 bytes
inline constexpr size_t H_VERSION = 4;            // u16
inline constexpr size_t H_HEADER_SIZE = 6;        // u16, HEADER_SIZE
inline constexpr size_t H_FILE_SIZE = 8;          // u32, the whole song
inline constexpr size_t H_BPM = 12;               // u16
inline constexpr size_t H_ROWS_PER_BEAT = 14;     // u8
inline constexpr size_t H_TICKS_PER_ROW = 15;     // u8
inline constexpr size_t H_VOICES = 16;            // u8
inline constexpr size_t H_INSTRUMENTS = 17;       // u8
inline constexpr size_t H_PATTERNS = 18;          // u8
inline constexpr size_t H_ROWS_PER_PATTERN = 19;  // u8
inline constexpr size_t H_ORDER_LENGTH = 20;      // u8
inline constexpr size_t H_LOOP_ORDER = 21;        // u8
inline constexpr size_t H_RESERVED_1 = 22;        // u16, zero
inline constexpr size_t H_INSTRUMENT_OFFSET = 24; // u32
inline constexpr size_t H_ORDER_OFFSET = 28;      // u32
inline constexpr size_t H_PATTERN_OFFSET = 32;    // u32
inline constexpr size_t H_MASTER_VOLUME = 36;     // u8
inline constexpr size_t H_RESERVED_2 = 37;        // 3 bytes, zero

// Limits of the header's values.
inline constexpr int BPM_MIN = 30;
inline constexpr int BPM_MAX = 300;
inline constexpr int ROWS_PER_BEAT_MAX = 16;
inline constexpr int TICKS_PER_ROW_MAX = 32;
inline constexpr int MAX_VOICES = 8;
inline constexpr int MAX_INSTRUMENTS = 32;
inline constexpr int MAX_ROWS_PER_PATTERN = 128;

// One instrument record.
inline constexpr size_t INSTRUMENT_SIZE = 32;
inline constexpr size_t I_KIND = 0;            // u8, InstrumentKind
inline constexpr size_t I_DUTY = 1;            // u8: pulse width /256; noise: 1 = short loop
inline constexpr size_t I_VOLUME = 2;          // u8
inline constexpr size_t I_PAN = 3;             // u8, 0 left, 128 centre, 255 right
inline constexpr size_t I_ATTACK = 4;          // u16, milliseconds from silence to full
inline constexpr size_t I_DECAY = 6;           // u16, milliseconds from full to silence
inline constexpr size_t I_SUSTAIN = 8;         // u8, level held /255
inline constexpr size_t I_VIBRATO_DEPTH = 9;   // u8, sixteenths of a semitone
inline constexpr size_t I_RELEASE = 10;        // u16, milliseconds from full to silence
inline constexpr size_t I_VIBRATO_SPEED = 12;  // u8, quarters of a hertz
inline constexpr size_t I_VIBRATO_DELAY = 13;  // u8, ticks after the note starts
inline constexpr size_t I_BASE_NOTE = 14;      // u8, one-shot samples: the note at the recorded pitch
inline constexpr size_t I_RESERVED = 15;       // u8, zero
inline constexpr size_t I_SAMPLE_NAME = 16;    // 16 bytes, NUL-padded WAVE resource name
inline constexpr size_t SAMPLE_NAME_SIZE = 16; // the name itself is at most 15 characters

inline constexpr int ENVELOPE_MS_MAX = 10000;
inline constexpr int VIBRATO_DEPTH_MAX = 48;
inline constexpr int VIBRATO_SPEED_MAX = 80;

enum InstrumentKind : uint8_t {
    KIND_PULSE = 1,
    KIND_TRIANGLE = 2,
    KIND_SAW = 3,
    KIND_NOISE = 4,
    KIND_SAMPLE = 5, // a recording played once, pitched against its base note
    KIND_CYCLE = 6,  // a recording that is exactly one cycle, looped at the note's pitch
};

// The order list: for each entry, one pattern index per voice.
// The patterns: pattern_count * rows_per_pattern rows of ROW_SIZE bytes;
// each pattern is one voice's line of notes.
inline constexpr size_t ROW_SIZE = 4;
inline constexpr size_t R_NOTE = 0;       // u8: 0 nothing, NOTE_OFF, or NOTE_MIN..NOTE_MAX
inline constexpr size_t R_INSTRUMENT = 1; // u8: 1-based with a note, 0 without
inline constexpr size_t R_EFFECT = 2;     // u8, Effect
inline constexpr size_t R_PARAM = 3;      // u8

// Notes are MIDI numbers: 60 is middle C, 69 the A of 440 Hz.
inline constexpr uint8_t NOTE_NONE = 0;
inline constexpr uint8_t NOTE_MIN = 12;
inline constexpr uint8_t NOTE_MAX = 119;
inline constexpr uint8_t NOTE_OFF = 0xFF;

// Effects belong to the note: they start with it (or on a later row of the
// same note) and end when the next note starts.
enum Effect : uint8_t {
    FX_NONE = 0,
    FX_ARPEGGIO = 1, // param 0xXY: cycle note, +X, +Y semitones each tick
    FX_VOLUME = 2,   // param 0..64: the note's volume
    FX_SLIDE_UP = 3, // param: sixteenths of a semitone per tick
    FX_SLIDE_DOWN = 4,
};
inline constexpr uint8_t FX_LAST = FX_SLIDE_DOWN;
inline constexpr uint8_t VOLUME_MAX = 64;

inline uint16_t read_u16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline uint32_t read_u32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

inline void write_u16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

inline void write_u32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

} // namespace sorvel
