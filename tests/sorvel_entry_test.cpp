// The five entry points over a fake device: harmless with no device or no
// song, the device opened once with the game's format, the song found by
// lower-case type and name, the player's state changed only under the
// device lock, and the tune heard through the installed stream exactly as
// the sequencer renders it, at the pace of the rate the device really runs.
// Each test starts from a library shut down.
#include "render.h"
#include "res_files.h"
#include "sorvel/sequencer.h"
#include "sorvel/sorvel.h"
#include "support/allocation.h"
#include "support/fake_audio.h"
#include "support/songs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

namespace {

constexpr int RATE = 44100;
constexpr const char* INSTRUMENT_WAVES[] = {"WAVE100",      "WAVE_WAVE100", "WAVE_BASS02",
                                            "WAVE_HICLOSE", "WAVE_HIOPEN",  "WAVE_SNARE01"};

void register_real_resources(bool with_waves = true)
{
    fake_audio_add_resource("QUOBBIN", "SNGPK", real_song_bytes());
    if (with_waves)
        for (const char* name : INSTRUMENT_WAVES) fake_audio_add_resource(name, "WAVE", songc::res_files_wave(name));
}

std::vector<int32_t> pull(int frames)
{
    std::vector<int32_t> mix(2 * static_cast<size_t>(frames), 0);
    fake_audio_render(mix.data(), frames);
    return mix;
}

bool silent(const std::vector<int32_t>& mix)
{
    return std::all_of(mix.begin(), mix.end(), [](int32_t x) { return x == 0; });
}

TEST(SorvelEntry, WithoutADeviceEveryCallIsHarmless)
{
    sorvel_Shutdown();
    fake_audio_reset();
    EXPECT_EQ(sorvel_Tune_Start(0, 0), 0); // nothing loaded, no device
    fake_audio().fail_open = true;
    EXPECT_EQ(sorvel_Ready(nullptr, 2, RATE, 16, 0.1f, 1, 0), 0);
    EXPECT_TRUE(sorvel_GetDirectSound() == nullptr && fake_audio().stream == nullptr);

    register_real_resources();
    EXPECT_EQ(sorvel_Tune_Load(0, "sngpk", "quobbin"), 1); // a song loads without a device
    EXPECT_EQ(sorvel_Tune_Start(0, 0), 0);
    EXPECT_EQ(sorvel_Tune_Stop(), 1);
    EXPECT_EQ(fake_audio().locks, 0);
}

TEST(SorvelEntry, TheTunePlaysThroughTheDeviceStreamUnderItsLock)
{
    sorvel_Shutdown();
    fake_audio_reset();
    register_real_resources();
    ASSERT_EQ(sorvel_Ready(nullptr, 2, RATE, 16, 0.1f, 1, 0), 1);
    EXPECT_EQ(std::tuple(fake_audio().channels, fake_audio().rate, fake_audio().bits), std::tuple(2, RATE, 16));
    ASSERT_NE(fake_audio().stream, nullptr);
    platform::AudioDevice* device = sorvel_GetDirectSound();
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(sorvel_Ready(nullptr, 2, RATE, 16, 0.1f, 1, 0), 1); // the same device again
    EXPECT_TRUE(fake_audio().opens == 1 && sorvel_GetDirectSound() == device);

    ASSERT_EQ(sorvel_Tune_Load(0, "sngpk", "quobbin"), 1);
    EXPECT_TRUE(silent(pull(RATE))); // loaded, not started
    // What the sequencer renders for the song (this takes the player over
    // until the entry points start it again).
    sorvel::Song song;
    ASSERT_EQ(sorvel::song_parse(real_song_bytes(), &song), sorvel::SONG_OK);
    const std::vector<int32_t> rendered = songc::song_render(song, RATE, 2 * RATE, 4096);
    sorvel::sequencer_halt();

    const int locks = fake_audio().locks;
    ASSERT_EQ(sorvel_Tune_Start(0, 0), 1);
    EXPECT_EQ(std::tuple(fake_audio().playing_at_lock, fake_audio().playing_at_unlock, fake_audio().locks,
                         fake_audio().unlocks),
              std::tuple(false, true, locks + 1, locks + 1));
    // What the stream gives is exactly that.
    const std::vector<int32_t> heard = pull(2 * RATE);
    EXPECT_TRUE(heard == rendered && !silent(heard));

    EXPECT_EQ(sorvel_Tune_Stop(), 1);
    EXPECT_EQ(std::pair(fake_audio().playing_at_lock, fake_audio().playing_at_unlock), std::pair(true, false));
    const std::vector<int32_t> after = pull(RATE);
    EXPECT_TRUE(silent(std::vector<int32_t>(after.begin() + 2 * 1000, after.end())));

    // Started again after a stop: from the top, the same notes.
    ASSERT_EQ(sorvel_Tune_Start(0, 0), 1);
    EXPECT_TRUE(pull(2 * RATE) == heard);

    // Nothing the game does per frame allocates.
    std::vector<int32_t> mix(2 * 512);
    const uint64_t before = allocation_count();
    for (int k = 0; k < 100; ++k) {
        if (k % 10 == 0) sorvel_Tune_Stop();
        if (k % 10 == 5) sorvel_Tune_Start(0, 0);
        fake_audio_render(mix.data(), 512);
    }
    EXPECT_EQ(allocation_count() - before, 0u);

    // Refusals, each leaving the player silent rather than half-loaded.
    EXPECT_FALSE(sorvel_Tune_Start(1, 0) || sorvel_Tune_Start(0, 255) || sorvel_Tune_Load(1, "sngpk", "quobbin") ||
                 sorvel_Tune_Load(0, nullptr, "quobbin") || sorvel_Tune_Load(0, "sngpk", "missing") ||
                 sorvel_Tune_Start(0, 0));
    EXPECT_TRUE(silent(pull(RATE)));

    std::vector<uint8_t> damaged = real_song_bytes();
    damaged[sorvel::H_VOICES] = 0;
    fake_audio_add_resource("DAMAGED", "SNGPK", damaged);
    EXPECT_FALSE(sorvel_Tune_Load(0, "sngpk", "damaged") || sorvel_Tune_Start(0, 0));

    fake_audio_reset(); // the song without its instrument waves
    register_real_resources(false);
    EXPECT_FALSE(sorvel_Tune_Load(0, "SNGPK", "QUOBBIN") || sorvel_Tune_Start(0, 0));
    register_real_resources();
    EXPECT_EQ(sorvel_Tune_Load(0, "SNGPK", "QUOBBIN"), 1);

    // The tempo follows the rate the device really runs: a bar of 150 beats
    // a minute is 1.6 seconds at any rate, so at 48000 a second the second
    // bar is due one frame after 76799 frames.
    fake_audio().device_rate = 48000;
    ASSERT_EQ(sorvel_Tune_Start(0, 0), 1);
    EXPECT_FALSE(silent(pull(76799)));
    const sorvel::SequencerPosition p = sorvel::sequencer_position();
    EXPECT_EQ(std::tuple(p.order, p.row, p.tick, p.frames_to_tick), std::tuple(1, 0, 0, 1u));
}

} // namespace
