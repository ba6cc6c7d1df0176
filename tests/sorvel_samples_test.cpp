// The instrument waves (the real ones load with the real song in the
// sequencer's tests): the RIFF reader takes what our tools and others write
// and refuses the rest without reading past the bytes; a song's
// sample instruments find their waves by name or the song is not loaded;
// and a recording cut off by its next note fades instead of clicking.
#include "render.h"
#include "res_files.h"
#include "sorvel/samples.h"
#include "sorvel/synth.h"
#include "support/songs.h"
#include "support/waves.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>

using namespace sorvel;

namespace {

std::array<float, 4096> out;

int decode(const std::vector<uint8_t>& bytes, uint32_t* frames, uint32_t* rate, uint32_t capacity = 4096)
{
    return sample_wave_decode(bytes, out.data(), capacity, frames, rate);
}

TEST(SorvelSamples, TheReaderIsTolerantButNeverReadsPastTheBytes)
{
    uint32_t frames = 0, rate = 0;
    const std::vector<uint8_t> plain = wave_8bit({128, 255, 0, 192}, 11025);
    ASSERT_EQ(decode(plain, &frames, &rate), 1);
    EXPECT_EQ(frames, 4u);
    EXPECT_EQ(rate, 11025u);
    EXPECT_FLOAT_EQ(out[0], 0.0f);
    EXPECT_FLOAT_EQ(out[1], 127.0f / 128.0f);
    EXPECT_FLOAT_EQ(out[2], -1.0f);

    // An odd-sized chunk of its own before "fmt " (with its pad byte), and a
    // data chunk claiming more than there is: the frames that are there.
    const Bytes odd = riff(
        {chunk("junk", Bytes{1, 2, 3, 0}, 3), fmt_chunk(1, 8, 11025, 16), chunk("data", Bytes{128, 255, 0, 192}, 200)});
    ASSERT_EQ(decode(odd, &frames, &rate), 1);
    EXPECT_EQ(frames, 4u);

    // 16-bit stereo, mixed down to mono.
    Bytes samples;
    for (int v : {16384, -16384, 16384, 16384}) put16(samples, uint16_t(v));
    ASSERT_EQ(decode(riff({fmt_chunk(2, 16, 44100, 16), chunk("data", samples)}), &frames, &rate), 1);
    EXPECT_EQ(frames, 2u);
    EXPECT_FLOAT_EQ(out[0], 0.0f);
    EXPECT_FLOAT_EQ(out[1], 0.5f);

    struct Bad {
        const char* what;
        size_t at;
        uint8_t value;
    };
    const Bad bads[] = {
        {"not RIFF", 0, 'X'}, {"not WAVE", 8, 'X'},      {"no fmt", 12, 'X'}, {"no data", 36, 'X'},
        {"float", 20, 3},     {"three channels", 22, 3}, {"24 bits", 34, 24}, {"slow rate", 25, 0},
    };
    for (const Bad& bad : bads) {
        std::vector<uint8_t> bytes = plain;
        bytes[bad.at] = bad.value;
        if (bad.at == 25) bytes[24] = 100; // 100 frames a second
        EXPECT_EQ(decode(bytes, &frames, &rate), 0) << bad.what;
    }
    EXPECT_EQ(decode(wave_8bit({128}, 22050), &frames, &rate), 0); // a single frame
    EXPECT_EQ(decode(plain, &frames, &rate, 3), 0);                // too long for the room
    std::vector<uint8_t> short_format = plain;
    short_format[16] = 14; // an "fmt " chunk too short to hold the bits
    EXPECT_EQ(decode(short_format, &frames, &rate), 0);

    // Every prefix of a real wave, each in a buffer of its own size.
    const std::span<const uint8_t> kick = songc::res_files_wave("WAVE_BASS02");
    for (size_t n = 0; n < kick.size(); n += n < 64 ? 1 : 97) {
        const std::vector<uint8_t> prefix(kick.begin(), kick.begin() + static_cast<ptrdiff_t>(n));
        static std::array<float, SAMPLE_POOL_FRAMES> pool;
        if (sample_wave_decode(prefix, pool.data(), SAMPLE_POOL_FRAMES, &frames, &rate)) {
            EXPECT_LE(frames, n);
        }
    }
}

std::vector<uint8_t> test_wave;
std::span<const uint8_t> lookup_test_wave(const char* name)
{
    return std::strcmp(name, "WAVE_TEST") == 0 ? std::span<const uint8_t>(test_wave) : std::span<const uint8_t>();
}

TEST(SorvelSamples, ASongLoadsOnlyWithAllItsWaves)
{
    songc::SongSource s = small_song();
    s.instruments.push_back(s.instruments[1]); // a second instrument on the same wave
    const std::vector<uint8_t> bytes = songc::song_write(s);
    Song song;
    ASSERT_EQ(song_parse(bytes, &song), SONG_OK);

    test_wave.clear();
    EXPECT_EQ(samples_load(song, lookup_test_wave), 0);
    EXPECT_EQ(samples_of(1), nullptr);
    test_wave = wave_8bit({1, 2}, 22050);
    test_wave[4] = 'X'; // the RIFF size is not looked at, the "RIFF" tag is
    test_wave[0] = 'X';
    EXPECT_EQ(samples_load(song, lookup_test_wave), 0);

    test_wave = wave_8bit({128, 200, 56, 128}, 22050);
    ASSERT_EQ(samples_load(song, lookup_test_wave), 1);
    EXPECT_EQ(samples_of(0), nullptr); // the pulse
    ASSERT_NE(samples_of(1), nullptr);
    EXPECT_EQ(samples_of(1)->frames, 4u);
    EXPECT_EQ(samples_of(2)->data, samples_of(1)->data);
    EXPECT_EQ(samples_of(-1), nullptr);
    EXPECT_EQ(samples_of(MAX_INSTRUMENTS), nullptr);
}

TEST(SorvelSamples, ARecordingCutByItsNextNoteFadesOut)
{
    // A slow ramp from silence to full, struck again every row: cut off
    // outright, each new stroke would drop the output by half of full scale
    // in one frame.
    std::vector<uint8_t> ramp(6000);
    for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<uint8_t>(128 + i * 127 / ramp.size());
    test_wave = wave_8bit(ramp, 22050);
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
