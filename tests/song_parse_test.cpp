// The song parser takes nothing on trust: every prefix of the real song,
// every header field pushed past its limit, sections pointing outside the
// bytes, and every kind of bad row or instrument is refused with its own
// status, and never read out of bounds (the sanitizer build watches that).
#include "sorvel/song.h"
#include "support/songs.h"

#include <gtest/gtest.h>

#include <functional>

using namespace sorvel;

namespace {

SongStatus parse(const std::vector<uint8_t>& bytes)
{
    Song song;
    return song_parse(bytes, &song);
}

uint32_t section(const std::vector<uint8_t>& b, size_t field)
{
    return read_u32(b.data() + field);
}

uint8_t* instrument_field(std::vector<uint8_t>& b, int instrument, size_t field)
{
    return b.data() + section(b, H_INSTRUMENT_OFFSET) + instrument * INSTRUMENT_SIZE + field;
}

uint8_t* row_field(std::vector<uint8_t>& b, int pattern, int row, size_t field)
{
    return b.data() + section(b, H_PATTERN_OFFSET) + (pattern * b[H_ROWS_PER_PATTERN] + row) * ROW_SIZE + field;
}

TEST(SongParse, TheRealSongAndTheSmallSongAreAccepted)
{
    Song song;
    ASSERT_EQ(song_parse(real_song_bytes(), &song), SONG_OK);
    EXPECT_GE(song.voices, 4);
    EXPECT_EQ(song.order + song.order_length * song.voices, song.patterns);
    const std::vector<uint8_t> small = small_song_bytes(); // the song points into it
    ASSERT_EQ(song_parse(small, &song), SONG_OK);
    EXPECT_EQ(song.instrument_count, 2);
    EXPECT_STREQ(song.instruments[1].sample, "WAVE_TEST");
    EXPECT_EQ(song_row(song, 0, 1).param, 0x47);
}

TEST(SongParse, EveryPrefixOfTheRealSongIsRefused)
{
    const std::vector<uint8_t>& whole = real_song_bytes();
    ASSERT_GT(whole.size(), HEADER_SIZE);
    for (size_t n = 0; n < whole.size(); ++n) {
        // Copied so that the sanitizer sees the end of the prefix.
        std::vector<uint8_t> prefix(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(n));
        EXPECT_EQ(parse(prefix), n < HEADER_SIZE ? SONG_TOO_SHORT : SONG_SIZE_MISMATCH) << n;
        // Even when the header is made to agree with the cut, the sections
        // it names no longer fit.
        if (n >= HEADER_SIZE) {
            write_u32(prefix.data() + H_FILE_SIZE, static_cast<uint32_t>(n));
            EXPECT_EQ(parse(prefix), SONG_SECTION_OUTSIDE) << n;
        }
    }
}

struct Damage {
    const char* what;
    std::function<void(std::vector<uint8_t>&)> apply;
    SongStatus expected;
};

TEST(SongParse, EachDamageIsRefusedWithItsOwnStatus)
{
    using B = std::vector<uint8_t>&;
    const Damage damages[] = {
        {"magic", [](B b) { b[H_MAGIC + 3] = 'X'; }, SONG_BAD_MAGIC},
        {"version", [](B b) { write_u16(&b[H_VERSION], 2); }, SONG_BAD_VERSION},
        {"header size", [](B b) { write_u16(&b[H_HEADER_SIZE], 44); }, SONG_BAD_HEADER},
        {"reserved byte", [](B b) { b[H_RESERVED_2 + 2] = 1; }, SONG_BAD_HEADER},
        {"size field", [](B b) { write_u32(&b[H_FILE_SIZE], static_cast<uint32_t>(b.size() + 1)); },
         SONG_SIZE_MISMATCH},
        {"padding", [](B b) { b.push_back(0); }, SONG_SIZE_MISMATCH},
        {"bpm low", [](B b) { write_u16(&b[H_BPM], BPM_MIN - 1); }, SONG_BAD_TEMPO},
        {"bpm high", [](B b) { write_u16(&b[H_BPM], BPM_MAX + 1); }, SONG_BAD_TEMPO},
        {"rows per beat", [](B b) { b[H_ROWS_PER_BEAT] = 0; }, SONG_BAD_TEMPO},
        {"ticks per row", [](B b) { b[H_TICKS_PER_ROW] = TICKS_PER_ROW_MAX + 1; }, SONG_BAD_TEMPO},
        {"no voices", [](B b) { b[H_VOICES] = 0; }, SONG_BAD_COUNTS},
        {"nine voices", [](B b) { b[H_VOICES] = MAX_VOICES + 1; }, SONG_BAD_COUNTS},
        {"no instruments", [](B b) { b[H_INSTRUMENTS] = 0; }, SONG_BAD_COUNTS},
        {"too many instruments", [](B b) { b[H_INSTRUMENTS] = MAX_INSTRUMENTS + 1; }, SONG_BAD_COUNTS},
        {"no patterns", [](B b) { b[H_PATTERNS] = 0; }, SONG_BAD_COUNTS},
        {"long patterns", [](B b) { b[H_ROWS_PER_PATTERN] = MAX_ROWS_PER_PATTERN + 1; }, SONG_BAD_COUNTS},
        {"empty order", [](B b) { b[H_ORDER_LENGTH] = 0; }, SONG_BAD_COUNTS},
        {"loop past the end", [](B b) { b[H_LOOP_ORDER] = b[H_ORDER_LENGTH]; }, SONG_BAD_LOOP},
        {"silent master", [](B b) { b[H_MASTER_VOLUME] = 0; }, SONG_BAD_MASTER_VOLUME},
        // Counts larger than the bytes behind them.
        {"instrument count past the end", [](B b) { b[H_INSTRUMENTS] = 30; }, SONG_SECTION_OUTSIDE},
        {"pattern count past the end", [](B b) { b[H_PATTERNS] = 3; }, SONG_SECTION_OUTSIDE},
        {"order length past the end", [](B b) { b[H_ORDER_LENGTH] = 100; }, SONG_SECTION_OUTSIDE},
        {"offset past the end", [](B b) { write_u32(&b[H_ORDER_OFFSET], static_cast<uint32_t>(b.size())); },
         SONG_SECTION_OUTSIDE},
        {"offset that wraps", [](B b) { write_u32(&b[H_PATTERN_OFFSET], 0xFFFFFFF0u); }, SONG_SECTION_OUTSIDE},
        {"offset inside the header", [](B b) { write_u32(&b[H_INSTRUMENT_OFFSET], HEADER_SIZE - 8); },
         SONG_SECTION_OUTSIDE},
        {"sections overlap",
         [](B b) { write_u32(&b[H_ORDER_OFFSET], read_u32(&b[H_INSTRUMENT_OFFSET]) + INSTRUMENT_SIZE); },
         SONG_SECTIONS_OVERLAP},
        // Instruments.
        {"unknown kind", [](B b) { *instrument_field(b, 0, I_KIND) = KIND_CYCLE + 1; }, SONG_BAD_INSTRUMENT},
        {"pulse without width", [](B b) { *instrument_field(b, 0, I_DUTY) = 0; }, SONG_BAD_INSTRUMENT},
        {"duty on a sample", [](B b) { *instrument_field(b, 1, I_DUTY) = 3; }, SONG_BAD_INSTRUMENT},
        {"endless attack", [](B b) { write_u16(instrument_field(b, 0, I_ATTACK), ENVELOPE_MS_MAX + 1); },
         SONG_BAD_INSTRUMENT},
        {"deep vibrato", [](B b) { *instrument_field(b, 0, I_VIBRATO_DEPTH) = VIBRATO_DEPTH_MAX + 1; },
         SONG_BAD_INSTRUMENT},
        {"sample base note", [](B b) { *instrument_field(b, 1, I_BASE_NOTE) = NOTE_MAX + 1; }, SONG_BAD_INSTRUMENT},
        {"base note on a pulse", [](B b) { *instrument_field(b, 0, I_BASE_NOTE) = 60; }, SONG_BAD_INSTRUMENT},
        {"sample without a name", [](B b) { *instrument_field(b, 1, I_SAMPLE_NAME) = 0; }, SONG_BAD_SAMPLE_NAME},
        {"name not ended", [](B b) { std::fill_n(instrument_field(b, 1, I_SAMPLE_NAME), SAMPLE_NAME_SIZE, 'A'); },
         SONG_BAD_SAMPLE_NAME},
        {"name with a slash", [](B b) { *instrument_field(b, 1, I_SAMPLE_NAME + 2) = '/'; }, SONG_BAD_SAMPLE_NAME},
        {"bytes after the name", [](B b) { *instrument_field(b, 1, I_SAMPLE_NAME + 15) = 'X'; }, SONG_BAD_SAMPLE_NAME},
        {"name on a pulse", [](B b) { *instrument_field(b, 0, I_SAMPLE_NAME) = 'X'; }, SONG_BAD_SAMPLE_NAME},
        // The order list and the rows.
        {"missing pattern", [](B b) { b[section(b, H_ORDER_OFFSET) + 3] = 2; }, SONG_BAD_ORDER},
        {"note too low", [](B b) { *row_field(b, 0, 0, R_NOTE) = NOTE_MIN - 1; }, SONG_BAD_NOTE},
        {"note too high", [](B b) { *row_field(b, 1, 3, R_NOTE) = NOTE_MAX + 1; }, SONG_BAD_NOTE},
        {"instrument past the table", [](B b) { *row_field(b, 0, 0, R_INSTRUMENT) = 3; }, SONG_UNKNOWN_INSTRUMENT},
        {"note without instrument", [](B b) { *row_field(b, 1, 0, R_INSTRUMENT) = 0; }, SONG_UNKNOWN_INSTRUMENT},
        {"instrument without note", [](B b) { *row_field(b, 1, 1, R_INSTRUMENT) = 1; }, SONG_BAD_ROW},
        {"instrument on a note-off", [](B b) { *row_field(b, 0, 2, R_INSTRUMENT) = 1; }, SONG_BAD_ROW},
        {"unknown effect", [](B b) { *row_field(b, 0, 1, R_EFFECT) = FX_LAST + 1; }, SONG_BAD_EFFECT},
        {"loud volume", [](B b) { *row_field(b, 1, 0, R_PARAM) = VOLUME_MAX + 1; }, SONG_BAD_EFFECT},
        {"parameter without effect", [](B b) { *row_field(b, 0, 3, R_PARAM) = 1; }, SONG_BAD_EFFECT},
        {"effect on a note-off", [](B b) { *row_field(b, 0, 2, R_EFFECT) = FX_ARPEGGIO; }, SONG_BAD_EFFECT},
    };
    for (const Damage& d : damages) {
        std::vector<uint8_t> bytes = small_song_bytes();
        d.apply(bytes);
        EXPECT_EQ(parse(bytes), d.expected) << d.what << ": " << song_status_text(parse(bytes));
    }
}

TEST(SongParse, ASongTooLargeForThePlayerIsRefusedButItsLimitsAreNot)
{
    songc::SongSource s = small_song();
    s.rows_per_pattern = MAX_ROWS_PER_PATTERN;
    s.patterns.resize(127); // 127 * 128 rows of 4 bytes: just under 64 KiB with the rest
    EXPECT_EQ(parse(songc::song_write(s)), SONG_OK);
    s.patterns.resize(128);
    EXPECT_EQ(parse(songc::song_write(s)), SONG_TOO_LARGE);

    s = small_song();
    s.voices = MAX_VOICES;
    s.order = {std::vector<uint8_t>(MAX_VOICES, 1)};
    s.loop_order = 0;
    s.instruments.resize(MAX_INSTRUMENTS, s.instruments[0]);
    s.patterns[0][0] = {NOTE_MAX, MAX_INSTRUMENTS, FX_VOLUME, VOLUME_MAX};
    s.patterns[0][1] = {NOTE_MIN, 1, FX_ARPEGGIO, 0xFF};
    EXPECT_EQ(parse(songc::song_write(s)), SONG_OK);
}

} // namespace
