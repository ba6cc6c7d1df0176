// The music library on the real software mixer: the start-up calls in their
// order, the embedded song found by lower-case type and name, the tune in
// the mix once started and gone once stopped, and the effects sharing the
// library's device.
#include "app/resource_list.h"
#include "platform/embedded_resources.h"
#include "platform/headless/headless_audio.h"
#include "sorvel/sorvel.h"
#include "sound/sound.h"
#include "support/engine.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

using SorvelDevice = EngineTest;

int peak(int frames)
{
    std::vector<int16_t> out(size_t(frames) * 2);
    headless::audio_render(out.data(), frames);
    int p = 0;
    for (int16_t v : out) p = std::max(p, std::abs(int(v)));
    return p;
}

TEST_F(SorvelDevice, TheTunePlaysOnTheDeviceTheEffectsShare)
{
    for (const platform::EmbeddedResource& r : platform::embedded_resources())
        headless::register_resource(r.name, r.type, std::span<const uint8_t>(r.data, r.size));
    sorvel_Ready(window, 2, 44100, 16, 0.1f, 1, 0);
    platform::AudioDevice* device = sorvel_GetDirectSound();
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(platform::audio_rate(device), 44100);
    sound_attach_device(device);
    EXPECT_EQ(sorvel_Tune_Load(0, "sngpk", "quobbin"), 1) << "found ignoring case";

    EXPECT_EQ(peak(4410), 0) << "silent until started";
    EXPECT_EQ(sorvel_Tune_Start(0, 0), 1);
    const int playing = peak(44100);
    EXPECT_GT(playing, 3000) << "the tune is in the mix";
    EXPECT_LT(playing, 32767) << "and not clipped";
    EXPECT_EQ(sorvel_Tune_Stop(), 1);
    peak(441); // the stop fades out over a few milliseconds
    EXPECT_EQ(peak(4410), 0) << "silent once stopped";

    // An effect on the same device while the tune plays.
    ASSERT_EQ(sound_load_wave("WAVE_SHOT", 3), 1);
    sound_play(3);
    EXPECT_GT(peak(2000), 1000);
    sound_release_all();
    sound_attach_device(nullptr);
}

} // namespace
