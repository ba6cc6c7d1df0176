// The music library's song and samples. The song parser takes nothing on
// trust: every prefix of the real song, and a damage of each kind it
// refuses (header, counts, sections, instruments, order, rows), is refused
// with its own status and never read out of bounds (the sanitizer build
// watches that; the fuzz targets play whatever else it takes). The instrument waves (the real ones
// load with the real song in the sequencer's tests): the RIFF reader takes
// what our tools and others write and refuses the rest without reading past
// the bytes, and a recording cut off by its next note fades instead of
// clicking. (A song missing a wave is refused in the entry tests. Every
// wave of ours is 8-bit: the 16-bit path is not checked here.)
#include "render.h"
#include "res_files.h"
#include "sorvel/samples.h"
#include "sorvel/song.h"
#include "sorvel/synth.h"
#include "support/songs.h"
#include "support/waves.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <tuple>

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
        {"reserved byte", [](B b) { b[H_RESERVED_2 + 2] = 1; }, SONG_BAD_HEADER},
        {"padding", [](B b) { b.push_back(0); }, SONG_SIZE_MISMATCH},
        {"bpm high", [](B b) { write_u16(&b[H_BPM], BPM_MAX + 1); }, SONG_BAD_TEMPO},
        {"nine voices", [](B b) { b[H_VOICES] = MAX_VOICES + 1; }, SONG_BAD_COUNTS},
        {"too many instruments", [](B b) { b[H_INSTRUMENTS] = MAX_INSTRUMENTS + 1; }, SONG_BAD_COUNTS},
        {"loop past the end", [](B b) { b[H_LOOP_ORDER] = b[H_ORDER_LENGTH]; }, SONG_BAD_LOOP},
        {"silent master", [](B b) { b[H_MASTER_VOLUME] = 0; }, SONG_BAD_MASTER_VOLUME},
        {"offset that wraps", [](B b) { write_u32(&b[H_PATTERN_OFFSET], 0xFFFFFFF0u); }, SONG_SECTION_OUTSIDE},
        {"sections overlap",
         [](B b) { write_u32(&b[H_ORDER_OFFSET], read_u32(&b[H_INSTRUMENT_OFFSET]) + INSTRUMENT_SIZE); },
         SONG_SECTIONS_OVERLAP},
        {"unknown kind", [](B b) { *instrument_field(b, 0, I_KIND) = KIND_CYCLE + 1; }, SONG_BAD_INSTRUMENT},
        {"name not ended", [](B b) { std::fill_n(instrument_field(b, 1, I_SAMPLE_NAME), SAMPLE_NAME_SIZE, 'A'); },
         SONG_BAD_SAMPLE_NAME},
        {"missing pattern", [](B b) { b[section(b, H_ORDER_OFFSET) + 3] = 2; }, SONG_BAD_ORDER},
        {"note too high", [](B b) { *row_field(b, 1, 3, R_NOTE) = NOTE_MAX + 1; }, SONG_BAD_NOTE},
        {"instrument past the table", [](B b) { *row_field(b, 0, 0, R_INSTRUMENT) = 3; }, SONG_UNKNOWN_INSTRUMENT},
        {"instrument without note", [](B b) { *row_field(b, 1, 1, R_INSTRUMENT) = 1; }, SONG_BAD_ROW},
        {"loud volume", [](B b) { *row_field(b, 1, 0, R_PARAM) = VOLUME_MAX + 1; }, SONG_BAD_EFFECT},
    };
    for (const Damage& d : damages) {
        std::vector<uint8_t> bytes = small_song_bytes();
        d.apply(bytes);
        EXPECT_EQ(parse(bytes), d.expected) << d.what << ": " << song_status_text(parse(bytes));
    }
}

TEST(SongParse, ASongTooLargeForThePlayerIsRefusedAndRowsReadBack)
{
    songc::SongSource s = small_song();
    s.rows_per_pattern = MAX_ROWS_PER_PATTERN;
    s.patterns.resize(127); // 127 * 128 rows of 4 bytes: just under 64 KiB with the rest
    EXPECT_EQ(parse(songc::song_write(s)), SONG_OK);
    s.patterns.resize(128);
    EXPECT_EQ(parse(songc::song_write(s)), SONG_TOO_LARGE);

    // A row's fields read back where they were written.
    const std::vector<uint8_t> bytes = small_song_bytes();
    Song song;
    ASSERT_EQ(song_parse(bytes, &song), SONG_OK);
    const Row row = song_row(song, 1, 0);
    EXPECT_EQ(std::tuple(row.note, row.instrument, row.effect, row.param), std::tuple(48, 2, FX_VOLUME, 40));
}

std::array<float, 4096> out;

int decode(const std::vector<uint8_t>& bytes, uint32_t* frames, uint32_t* rate, uint32_t capacity = 4096)
{
    return sample_wave_decode(bytes, out.data(), capacity, frames, rate);
}

TEST(SorvelSamples, TheReaderIsTolerantButNeverReadsPastTheBytes)
{
    uint32_t frames = 0, rate = 0;
    const std::vector<uint8_t> plain = riff({fmt_chunk(1, 8, 11025, 16), chunk("data", {128, 255, 0, 192})});
    ASSERT_EQ(decode(plain, &frames, &rate), 1);
    EXPECT_EQ(std::tuple(frames, rate), std::tuple(4u, 11025u));
    EXPECT_EQ(std::vector(out.begin(), out.begin() + 3), (std::vector{0.0f, 127.0f / 128.0f, -1.0f}));

    // An odd-sized chunk of its own before "fmt " (with its pad byte), and a
    // data chunk claiming more than there is: the frames that are there.
    const Bytes odd = riff(
        {chunk("junk", Bytes{1, 2, 3, 0}, 3), fmt_chunk(1, 8, 11025, 16), chunk("data", Bytes{128, 255, 0, 192}, 200)});
    ASSERT_EQ(decode(odd, &frames, &rate), 1);
    EXPECT_EQ(frames, 4u);

    // Each byte damaged: not RIFF, not WAVE, no fmt, no data, float, three
    // channels, 24 bits, 100 frames a second, a fmt too short for the bits.
    const size_t at[] = {0, 8, 12, 36, 20, 22, 34, 25, 16};
    const uint8_t value[] = {'X', 'X', 'X', 'X', 3, 3, 24, 0, 14};
    for (size_t k = 0; k < std::size(at); ++k) {
        std::vector<uint8_t> bytes = plain;
        bytes[at[k]] = value[k];
        if (at[k] == 25) bytes[24] = 100;
        EXPECT_EQ(decode(bytes, &frames, &rate), 0) << at[k];
    }
    EXPECT_EQ(decode(riff({fmt_chunk(1, 8, 22050, 16), chunk("data", {128})}), &frames, &rate), 0); // a single frame
    EXPECT_EQ(decode(plain, &frames, &rate, 3), 0); // too long for the room
}

std::vector<uint8_t> test_wave;
std::span<const uint8_t> lookup_test_wave(const char* name)
{
    return std::strcmp(name, "WAVE_TEST") == 0 ? std::span<const uint8_t>(test_wave) : std::span<const uint8_t>();
}

TEST(SorvelSamples, ARecordingCutByItsNextNoteFadesOut)
{
    // A slow ramp from silence to full, struck again every row: cut off
    // outright, each new stroke would drop the output by half of full scale
    // in one frame.
    std::vector<uint8_t> ramp(6000);
    for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<uint8_t>(128 + i * 127 / ramp.size());
    test_wave = riff({fmt_chunk(1, 8, 22050, 16), chunk("data", ramp)});
    songc::SongSource s = small_song();
    s.bpm = 150;
    s.voices = 1;
    s.instruments[1].release_ms = 0;
    const songc::SourceRow strike{60, 2, 0, 0};
    s.patterns = {{strike, strike, strike, strike}};
    s.order = {{0}};
    s.loop_order = 0;
    const std::vector<uint8_t> bytes = songc::song_write(s);
    Song song;
    ASSERT_EQ(song_parse(bytes, &song), SONG_OK);
    ASSERT_EQ(samples_load(song, lookup_test_wave), 1);

    const std::vector<int32_t> mix = songc::song_render(song, 44100, 4 * 4410, 512);
    const int32_t before_cut = mix[2 * (4410 - 1)];
    EXPECT_GT(before_cut, static_cast<int32_t>(VOICE_FULL_SCALE * 0.3f)); // well into the ramp
    const songc::Levels levels = songc::song_levels(mix, 0, 4 * 4410);
    EXPECT_LT(levels.largest_step, before_cut / 16);
}

} // namespace
