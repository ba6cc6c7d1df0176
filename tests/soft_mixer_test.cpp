// The software mixer through the headless device: the pan law, the rate,
// sample formats, one voice per buffer, clamping and the music stream, with
// figures measured on rendered output.
#include "platform/headless/headless.h"
#include "platform/headless/headless_audio.h"
#include "sound/sound.h"
#include "support/allocation.h"
#include "support/waves.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace {

using Samples = std::vector<int16_t>;

class Mixer : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::reset();
        device = platform::audio_open(nullptr, 2, 44100, 16);
        ASSERT_NE(device, nullptr);
        sound_attach_device(device);
    }
    void TearDown() override
    {
        sound_release_all();
        sound_attach_device(nullptr);
        platform::audio_close(device);
    }
    // The samples at 22050 frames a second, loaded into the next sound slot.
    platform::AudioBuffer* buffer(int channels, int bits, const Bytes& samples)
    {
        headless::register_resource("W", "WAVE", pcm_wave(channels, bits, 22050, samples));
        EXPECT_EQ(sound_load_wave("W", next_slot), 1);
        return sound_slot(next_slot++);
    }
    static Samples render(int frames)
    {
        Samples out(size_t(frames) * 2);
        headless::audio_render(out.data(), frames);
        return out;
    }

    platform::AudioDevice* device = nullptr;
    int next_slot = 0;
};

TEST_F(Mixer, DirectSoundPanLaw)
{
    platform::AudioBuffer* b = buffer(1, 16, constant16(16000, 4000));
    struct {
        int32_t pan;
        double left_db, right_db;
    } cases[] = {{0, 0, 0}, {-2000, 0, -20}, {2000, -20, 0}, {2560, -25.6, 0}, {-2560, 0, -25.6}, {-600, 0, -6}};
    for (const auto& c : cases) {
        platform::audio_buffer_set_pan(b, c.pan);
        platform::audio_buffer_set_position(b, 0);
        platform::audio_buffer_play(b);
        const Samples out = render(100);
        EXPECT_NEAR(20 * std::log10(out[100] / 16000.0), c.left_db, 0.01) << c.pan;
        EXPECT_NEAR(20 * std::log10(out[101] / 16000.0), c.right_db, 0.01) << c.pan;
    }
}

TEST_F(Mixer, SourceFormatsPlayOnceAndStop)
{
    // 8-bit silence is 128 and renders as 0, mono and stereo alike.
    platform::audio_buffer_play(buffer(1, 8, Bytes(1000, 128)));
    platform::audio_buffer_play(buffer(2, 8, Bytes(1000, 128)));
    for (int16_t s : render(2000)) ASSERT_EQ(s, 0);

    // Stereo keeps its sides apart: 16-bit left 1000, right -3000, 50 frames.
    Bytes lr;
    for (int i = 0; i < 100; ++i) put16(lr, i % 2 ? uint16_t(-3000) : 1000);
    platform::AudioBuffer* stereo = buffer(2, 16, lr);
    platform::audio_buffer_play(stereo);
    const Samples out = render(120);
    // 50 frames at half the rate: 100 output frames, then silence.
    EXPECT_EQ(std::tuple(out[0], out[1], out[2 * 99], out[2 * 100]), std::tuple(1000, -3000, 1000, 0));
    EXPECT_TRUE(headless::audio_playing().empty());
    // Played out, it starts over from the beginning.
    platform::audio_buffer_play(stereo);
    EXPECT_EQ(render(1)[0], 1000);
}

TEST_F(Mixer, ClampsOnceAfterAddingTheStream)
{
    // The music stream adds into the same accumulators as the effects that
    // play meanwhile, before the one clamp: 30000 + 30000 - 40000 on the
    // left, 30000 + 30000 + 1000 on the right.
    for (int k = 0; k < 2; ++k) platform::audio_buffer_play(buffer(1, 16, constant16(30000, 100)));
    platform::audio_set_stream(
        device,
        [](void*, int32_t* mix, int frames) {
            for (int i = 0; i < frames; ++i) {
                mix[2 * i] -= 40000;
                mix[2 * i + 1] += 1000;
            }
        },
        nullptr);
    Samples out(2 * 5000);
    const uint64_t before = allocation_count();
    headless::audio_render(out.data(), 5000);
    EXPECT_EQ(allocation_count(), before);
    EXPECT_EQ(std::tuple(out[0], out[1]), std::tuple(20000, 32767));
    EXPECT_EQ(out[2 * 4999], -32768) << "the effects played out";
    platform::audio_set_stream(device, nullptr, nullptr);
    EXPECT_EQ(render(1), Samples(2, 0));
}

// Buffers outlive a closed device, silent; releasing them later is safe.
// (The formats a buffer refuses are the WAVE reader's refusals too.)
TEST_F(Mixer, ABufferOutlivesItsClosedDevice)
{
    platform::AudioBuffer* b = buffer(1, 8, Bytes(10, 128));
    platform::audio_buffer_play(b);
    platform::audio_close(device);
    platform::audio_buffer_play(b);
    EXPECT_FALSE(headless::audio_is_playing(b));
    Samples out(4, 7);
    headless::audio_render(out.data(), 2);
    EXPECT_EQ(out, Samples(4, 0));
    device = nullptr;
}

} // namespace
