// The game heard through the headless audio device: which effect plays in
// which frame, panned to which target, with the real waves loaded through
// the real sound slots.
#include "app/resource_list.h"
#include "platform/embedded_resources.h"
#include "platform/headless/headless_audio.h"
#include "sorvel/sorvel.h"
#include "sound/music.h"
#include "sound/sound.h"
#include "support/game.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

class GameSound : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        device = platform::audio_open(window, 2, 44100, 16);
        ASSERT_NE(device, nullptr);
        sound_attach_device(device);
        register_res_waves();
        ASSERT_EQ(load_effects(), 9);
        reset_game();
        headless::audio_clear_events();
    }
    void TearDown() override
    {
        GameTest::TearDown(); // releases the effects first
        platform::audio_close(device);
    }

    // The plays and pans of one frame, by slot, as play() and pan() write them.
    std::vector<std::string> heard(ButtonMask held = 0)
    {
        headless::audio_clear_events();
        frame(held);
        std::vector<std::string> out;
        for (int i = 0; i < headless::audio_event_count(); ++i) {
            const headless::AudioEvent& e = headless::audio_event(i);
            int id = -1;
            for (int s = 0; s < SOUND_SLOT_COUNT; ++s)
                if (sound_slot(s) && headless::audio_buffer_id(sound_slot(s)) == e.buffer) id = s;
            if (e.call == headless::AudioCall::Play) out.push_back(play(id));
            if (e.call == headless::AudioCall::SetPan) out.push_back(pan(id, e.value));
        }
        return out;
    }
    static std::string play(SoundId id) { return "play " + std::to_string(id); }
    static std::string pan(SoundId id, int value) { return "pan " + std::to_string(id) + " " + std::to_string(value); }
    static bool has_in_order(const std::vector<std::string>& got, const std::vector<std::string>& want)
    {
        auto it = got.begin();
        for (const std::string& w : want) {
            it = std::find(it, got.end(), w);
            if (it == got.end()) return false;
            ++it;
        }
        return true;
    }

    platform::AudioDevice* device = nullptr;
};

// The first seal released, caught at once for 200 and counted up by six a
// frame; the last left to fall out. (A hit and a catch, each heard where
// its seal hangs, are the Windows sound run's.)
TEST_F(GameSound, ReleaseAndOutArePannedToTheirTargetAndTheCountTicksEverySixthStep)
{
    new_game();
    std::vector<std::string> got;
    while (target_get(0).state != TargetState::Falling) got = heard();
    EXPECT_TRUE(has_in_order(got, {pan(SOUND_GO, -2000), play(SOUND_GO)}));
    std::vector<int> tick_frames;
    int steps = 0;
    for (int n = 0; n < 40; ++n) {
        got = heard(n == 0 ? BUTTON_1 : 0);
        if (std::count(got.begin(), got.end(), play(SOUND_COUNT_TICK))) tick_frames.push_back(n);
        ASSERT_LE(shown_score_get(), 200);
        if (n == 0) {
            EXPECT_EQ(shown_score_get(), 6) << "the count starts in the frame of the catch";
        }
        steps += shown_score_get() != 200;
    }
    EXPECT_EQ(steps, 33) << "33 steps of 6 to 198, then cut back to 200";
    EXPECT_EQ(tick_frames, (std::vector<int>{5, 11, 17, 23, 29})) << "the 6th, 12th, 18th, 24th and 30th step";
    while (target_get(2).state != TargetState::Out) got = heard();
    EXPECT_TRUE(has_in_order(got, {pan(SOUND_OUT, 2000), play(SOUND_OUT)}));
}

TEST_F(GameSound, ANewBestPlaysWhenTheStageCloses)
{
    new_game();
    for (int i = 0; i < TARGET_COUNT; ++i) heard(target_button_mask(i)); // all hit: 0 points
    press(BUTTON_SPACE);
    std::vector<std::string> all;
    while (view_transition_get() == VIEW_CLOSING)
        for (const std::string& s : heard()) all.push_back(s);
    // A total of 0 ties the best of 0, so it counts as a new best; the
    // next game is announced after it.
    EXPECT_TRUE(has_in_order(all, {play(SOUND_NEW_BEST), play(SOUND_READY)}));
    EXPECT_EQ(best_file_values().at(2), 0);
}

// The loudest the game can be: the tune, and over it at one moment a new
// best's fanfare with the sounds of three seals, one caught (its shot and
// its cheer), one hit, one falling out, each in its own place. Rendered
// through the real mixer with the real waves and song, again and again
// through the tune's loudest stretch, nothing may reach full scale; and
// the tune alone keeps its loudness (-18.8 dBFS before the effects made
// room) within 2 dB.
class Headroom : public EngineTest {};

TEST_F(Headroom, TheBusiestMomentStaysBelowFullScale)
{
    for (const platform::Resource& r : platform::embedded_resources())
        headless::register_resource(r.name, r.type, r.bytes);
    ASSERT_EQ(sorvel_Ready(window, MUSIC_CHANNELS, MUSIC_RATE, MUSIC_BITS, MUSIC_BUFFER_SECONDS, MUSIC_FLAG_FIRST,
                           MUSIC_FLAG_SECOND),
              1);
    sound_attach_device(sorvel_GetDirectSound());
    ASSERT_EQ(load_effects(), 9);
    ASSERT_EQ(sorvel_Tune_Load(TUNE_SLOT, SONG_TYPE, SONG_NAME), 1);
    ASSERT_EQ(sorvel_Tune_Start(TUNE_SLOT, TUNE_FROM_START), 1);

    // The tune alone for 40 s, then 30 moments 1.45 s apart over it (once round).
    constexpr int ALONE = 40 * MUSIC_RATE, APART = MUSIC_RATE * 145 / 100, MOMENTS = 30;
    std::vector<int16_t> tune(2 * size_t(ALONE)), busy(2 * size_t(APART) * MOMENTS);
    headless::audio_render(tune.data(), ALONE);
    double sum = 0;
    for (int16_t s : tune) sum += double(s) * s;
    const double tune_db = 10 * std::log10(sum / double(tune.size()) / (32768.0 * 32768.0));
    EXPECT_NEAR(tune_db, -18.8, 2.0);
    const struct {
        SoundId id;
        int column;
    } moment[] = {{SOUND_NEW_BEST, 1}, {SOUND_SHOT, 0}, {SOUND_SAFE, 0}, {SOUND_HIT, 1}, {SOUND_OUT, 2}};
    for (int m = 0; m < MOMENTS; ++m) {
        for (const auto& s : moment) {
            sound_set_pan(s.id, 56 + 200 * s.column);
            sound_play(s.id);
        }
        headless::audio_render(busy.data() + 2 * size_t(APART) * m, APART);
    }
    const int peak = std::abs(*std::max_element(
        busy.begin(), busy.end(), [](int16_t a, int16_t b) { return std::abs(int(a)) < std::abs(int(b)); }));
    EXPECT_LT(peak, 32767) << "the tune alone: " << tune_db << " dBFS RMS";
    sound_attach_device(nullptr);
}

} // namespace
