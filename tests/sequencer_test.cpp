// The sequencer and synthesizer together, rendering into a buffer with no
// device: notes start on the frame the tempo says at any rate and however
// the stream cuts its buffers, the loop joins exactly as if the song went
// on, and stopping fades instead of clicking.
#include "render.h"
#include "res_files.h"
#include "sorvel/samples.h"
#include "sorvel/sequencer.h"
#include "sorvel/synth.h"
#include "support/songs.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

using namespace sorvel;

namespace {

constexpr int RATE = 44100;

// A song parsed from bytes that must outlive it, with its samples loaded.
Song load(const std::vector<uint8_t>& bytes)
{
    Song song{};
    EXPECT_EQ(song_parse(bytes, &song), SONG_OK);
    real_song_bytes(); // makes res/ available to the lookup
    EXPECT_EQ(samples_load(song, songc::res_files_wave), 1);
    return song;
}

TEST(Sequencer, NotesStartAndEndOnTheFrameTheTempoGives)
{
    // 137 beats a minute, so no rate divides into whole frames per row.
    songc::SongSource s;
    s.bpm = 137;
    s.ticks_per_row = 5;
    s.rows_per_pattern = 8;
    s.instruments = {songc::song_oscillator(KIND_NOISE, 255, 0, 0, 255, 0)};
    const songc::SourceRow on{60, 1, 0, 0}, off{NOTE_OFF, 0, 0, 0};
    s.patterns = {{on, off, {}, on, off, {}, {}, on}, {off, {}, on, off}};
    s.order = {{0}, {1}};
    const int onsets[] = {0, 3, 7, 10, 16, 19, 23, 26, 32, 35, 39};
    const int offs[] = {1, 4, 8, 11, 17, 20, 24, 27, 33, 36}; // the last note is still on
    const std::vector<uint8_t> bytes = songc::song_write(s);
    const Song song = load(bytes);

    for (int rate : {44100, 48000, 22050}) {
        auto row_frame = [rate](int row) { return size_t(int64_t{row} * rate * 60 / (137 * 4)); };
        const std::vector<int32_t> mix = songc::song_render(song, rate, row_frame(40), 333);
        std::vector<size_t> starts, ends;
        for (size_t f = 0; f < mix.size() / 2; ++f) {
            const bool sounding = mix[2 * f] != 0;
            const bool before = f > 0 && mix[2 * (f - 1)] != 0;
            if (sounding && !before) starts.push_back(f);
            if (!sounding && before) ends.push_back(f);
        }
        ASSERT_EQ(starts.size(), std::size(onsets)) << rate;
        ASSERT_EQ(ends.size(), std::size(offs)) << rate;
        for (size_t k = 0; k < starts.size(); ++k) EXPECT_EQ(starts[k], row_frame(onsets[k])) << rate << " " << k;
        for (size_t k = 0; k < ends.size(); ++k) EXPECT_EQ(ends[k], row_frame(offs[k])) << rate << " " << k;
    }
}

TEST(Sequencer, TheTuneLoopsAsIfItWentStraightOnHoweverTheStreamCutsIt)
{
    const std::vector<uint8_t> unrolled = unrolled_real_song(2);
    const Song song = load(real_song_bytes()), straight = load(unrolled);
    ASSERT_GT(song.loop_order, 0);
    const uint64_t join =
        songc::song_tick_frame(song, RATE, songc::song_intro_ticks(song) + songc::song_loop_ticks(song));
    const uint64_t frames = join + 4 * RATE;

    // Rendered through the loop in buffers of any size, and with the loop
    // written out twice: the same frames, to the last bit, on both sides of
    // the join.
    const std::vector<int32_t> a = songc::song_render(straight, RATE, frames, 1024);
    for (int chunk : {1, 7, 1000, 4096}) EXPECT_TRUE(songc::song_render(song, RATE, frames, chunk) == a) << chunk;
    // The join itself is no rougher than the music around it.
    EXPECT_LE(songc::song_levels(a, join - 64, join + 64).largest_step,
              songc::song_levels(a, join - RATE, join + RATE).largest_step);
    // No DC. (Its loudness, with the effects on top, is in the game's sound tests.)
    const songc::Levels levels = songc::song_levels(a, 0, frames);
    EXPECT_LT(std::max(std::abs(levels.mean[0]), std::abs(levels.mean[1])), 16.0);
}

TEST(Sequencer, StopFadesOutInsteadOfClicking)
{
    const Song song = load(real_song_bytes());
    sequencer_halt();
    ASSERT_EQ(sequencer_start(&song, RATE, 0), 1);
    const int before = 5 * RATE;
    std::vector<int32_t> mix(2 * (before + 2000), 0);
    sequencer_render(mix.data(), before);
    const int32_t music_step = songc::song_levels(mix, 0, before).largest_step;

    sequencer_stop();
    EXPECT_FALSE(sequencer_playing());
    sequencer_render(mix.data() + 2 * before, 2000);
    // A fade, not a cut: nothing jumps, and then it is silent.
    EXPECT_LE(songc::song_levels(mix, before - 1, before + FADE_FRAMES).largest_step, music_step);
    for (int f = before + FADE_FRAMES; f < before + 2000; ++f) ASSERT_EQ(mix[2 * f], 0) << f;
    EXPECT_FALSE(sequencer_sounding());
    // Starts the entry points never ask for are refused all the same.
    EXPECT_EQ(sequencer_start(&song, 100, 0) + sequencer_start(nullptr, RATE, 0), 0);
}

} // namespace
