// The sound room. Parsing WAVE resources: the accepted layout, every
// refusal, and resources malformed on purpose, none of which may read or
// allocate out of bounds. The effect slots over the headless device:
// loading the real effects, every way a load fails, and the calls a play
// and a pan make, in order. (Without a device every load succeeds and
// nothing sounds: the resource walk and every game test run that way.)
#include "app/resource_list.h"
#include "platform/embedded_resources.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_audio.h"
#include "sound/sound.h"
#include "sound/wave_read.h"
#include "support/allocation.h"
#include "support/engine.h"
#include "support/waves.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

struct Parsed {
    int ok = 0;
    platform::WaveFormat format{};
    uint32_t size = 0;
    Bytes data;
    bool data_null = true;
    uint64_t allocations = 0;
};

// The bytes as a resource, read back by the game's parser; with no_memory
// every allocation fails meanwhile.
Parsed parse(const Bytes& bytes, bool no_memory = false)
{
    headless::reset();
    headless::register_resource("W", "WAVE", bytes);
    Parsed p;
    uint8_t* data = nullptr;
    const uint64_t before = allocation_count();
    fail_allocations_after(no_memory ? 0 : -1);
    p.ok = wave_read("w", "wave", &p.format, &p.size, &data);
    fail_allocations_after(-1);
    p.allocations = allocation_count() - before;
    p.data_null = data == nullptr;
    if (data) p.data.assign(data, data + p.size);
    delete[] data;
    return p;
}

// The format's tag, channels, rate, bits and extra size.
auto fields(const platform::WaveFormat& f)
{
    return std::tuple(f.format_tag, f.channels, f.samples_per_second, f.bits_per_sample, f.extra_size);
}

// A 16-byte format chunk lends "da" of the next identifier as the extra
// size. (The samples of each are the next test's business.)
TEST(WaveRead, TakesTheGameLayoutAndTheSixteenByteFormat)
{
    EXPECT_EQ(fields(parse(pcm_wave(1, 8, 22050, {1, 2, 3})).format), fields({1, 1, 22050, 0, 0, 8, 0}));
    EXPECT_EQ(fields(parse(riff({fmt_chunk(2, 16, 44100, 16), chunk("data", constant16(-5, 4))})).format),
              fields({1, 2, 44100, 0, 0, 16, 'd' | ('a' << 8)}));
}

// Each file read back: its samples, or (refused) nothing, nothing left
// allocated and no block asked for on the strength of a claim.
TEST(WaveRead, RefusesWhatItCannotPlayAndWalksChunksByTheirStatedSizeOnly)
{
    const Bytes fmt = fmt_chunk(1, 8, 22050), data = chunk("data", Bytes{9, 8, 7}), refused{};
    Bytes fact;
    put32(fact, 64);
    struct Case {
        const char* what;
        Bytes file, samples; // no samples: refused
    };
    std::vector<Case> cases = {
        {"the format chunk second", riff({chunk("fact", fact), fmt, data}), refused},
        {"a 16-byte format", riff({fmt_chunk(2, 16, 44100, 16), chunk("data", constant16(-5, 4))}), constant16(-5, 4)},
        // A claim of exactly the rest reads up to the last byte.
        {"data to the last byte", riff({fmt, chunk("data", Bytes(100, 7))}), Bytes(100, 7)},
        // An odd chunk is followed directly by the next one: no pad byte.
        {"an odd chunk", riff({fmt, chunk("odd ", Bytes{1, 2, 3}), data}), Bytes{9, 8, 7}},
        // With a pad byte the walk lands one byte early and never meets "data".
        {"an odd chunk padded", riff({fmt, chunk("odd ", Bytes{1, 2, 3, 0}, 3), data}), refused},
        // A chunk that ends exactly at the end: the walk fails at the next header.
        {"no data after the last chunk", riff({fmt, chunk("fact", Bytes(4))}), refused},
    };
    const struct {
        int channels, bits, tag;
        bool ok;
    } formats[] = {{1, 8, 1, true},  {2, 8, 1, true},   {1, 16, 1, true},  {2, 16, 1, true}, {0, 8, 1, false},
                   {3, 8, 1, false}, {1, 24, 1, false}, {1, 12, 1, false}, {1, 0, 1, false}, {1, 8, 3, false}};
    for (const auto& f : formats)
        cases.push_back({"a format",
                         riff({fmt_chunk(f.channels, f.bits, 22050, 18, f.tag), chunk("data", Bytes(16, 5))}),
                         f.ok ? Bytes(16, 5) : refused});
    for (uint32_t claim : {101u, 1000u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu})
        cases.push_back({"data claims more", riff({fmt, chunk("data", Bytes(100, 128), claim)}), refused});
    // Sizes near 2^32 are unsigned: they point past the end, the skip is
    // refused and the walk reads on, never backwards (0xFFFFFFF8 read as
    // signed would step back onto the same header for ever).
    for (uint32_t huge : {0xFFFFFFF8u, 0xFFFFFFFFu, 0x80000000u, 0xFFFFFFF4u}) {
        cases.push_back({"an empty LIST", riff({fmt, chunk("LIST", {}, huge), data}), Bytes{9, 8, 7}});
        cases.push_back({"a LIST", riff({fmt, chunk("LIST", Bytes(20), huge)}), refused});
    }
    for (size_t k = 0; k < cases.size(); ++k) {
        SCOPED_TRACE(std::to_string(k) + ": " + cases[k].what);
        const Parsed p = parse(cases[k].file);
        EXPECT_EQ(p.ok, cases[k].samples.empty() ? 0 : 1);
        EXPECT_EQ(p.data, cases[k].samples);
        EXPECT_TRUE(!cases[k].samples.empty() || (p.data_null && p.allocations == 0));
    }

    // A missing resource; no memory for the samples. (A file cut short
    // claims more than there is, as above.)
    const Bytes sine = pcm_wave(1, 8, 22050, sine8(440, 22050, 100, 90));
    uint8_t* samples = reinterpret_cast<uint8_t*>(1);
    platform::WaveFormat f{};
    uint32_t size = 0;
    EXPECT_EQ(wave_read("MISSING", "WAVE", &f, &size, &samples), 0);
    EXPECT_EQ(samples, nullptr);
    const Parsed p = parse(sine, true);
    EXPECT_TRUE(!p.ok && p.data_null);
}

using Log = std::vector<std::string>;

class SoundSlots : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        ASSERT_EQ(register_res_waves(), 15);
        device = platform::audio_open(nullptr, 2, 44100, 16);
        ASSERT_NE(device, nullptr);
        sound_attach_device(device);
    }
    void TearDown() override
    {
        fail_allocations_after(-1);
        EngineTest::TearDown(); // releases the effects first
        platform::audio_close(device);
        EXPECT_EQ(headless::audio_live_buffers(), 0);
    }
    static std::string id(int slot)
    {
        return std::string("#") += std::to_string(headless::audio_buffer_id(sound_slot(slot)));
    }

    platform::AudioDevice* device = nullptr;
};

// Each effect's buffer holds the samples of its wave as the executable
// carries it, no more and no less.
TEST_F(SoundSlots, LoadsTheRealEffectsByteForByte)
{
    ASSERT_EQ(load_effects(), 9);
    for (const ResourceEntry& e : RESOURCE_LIST) {
        if (e.kind != ResourceKind::Wave) continue;
        const auto file = platform::resource_table_find(platform::embedded_resources(), e.name, "WAVE");
        const Bytes samples = data_of(Bytes(file.begin(), file.end()));
        const auto size = uint32_t(samples.size());
        void *part1 = nullptr, *part2 = nullptr;
        uint32_t bytes1 = 0, bytes2 = 0;
        ASSERT_EQ(platform::audio_buffer_lock(sound_slot(e.slot), 0, size, &part1, &bytes1, &part2, &bytes2), 1);
        EXPECT_EQ(Bytes(static_cast<uint8_t*>(part1), static_cast<uint8_t*>(part1) + bytes1), samples) << e.name;
        platform::audio_buffer_unlock(sound_slot(e.slot), part1, bytes1, part2, bytes2);
        EXPECT_EQ(platform::audio_buffer_lock(sound_slot(e.slot), 0, size + 1, &part1, &bytes1, &part2, &bytes2), 0);
    }
}

TEST_F(SoundSlots, AFailedLoadLeavesTheSlotEmpty)
{
    headless::register_resource("EMPTY_DATA", "WAVE",
                                riff({fmt_chunk(1, 8, 22050), chunk("data", {}), chunk("pad ", Bytes(8))}));
    headless::audio_clear_events();
    EXPECT_EQ(sound_load_wave("EMPTY_DATA", SOUND_GO), 0);
    EXPECT_EQ(headless::audio_log(), (Log{"create refused 0B"}));
    EXPECT_EQ(sound_load_wave("NO_SUCH_WAVE", SOUND_GO), 0);

    // Slots outside the table are refused before anything is read.
    headless::audio_clear_events();
    EXPECT_EQ(sound_load_wave("WAVE_GO", -1), 0);
    EXPECT_EQ(sound_load_wave("WAVE_GO", SOUND_SLOT_COUNT), 0);
    EXPECT_TRUE(headless::audio_log().empty());

    headless::audio_fail_buffer_create_after(0);
    EXPECT_EQ(sound_load_wave("WAVE_GO", SOUND_GO), 0);
    headless::audio_fail_buffer_create_after(-1);
    // A buffer that cannot be filled is released again.
    headless::audio_fail_buffer_lock(true);
    EXPECT_EQ(sound_load_wave("WAVE_GO", SOUND_GO), 0);
    headless::audio_fail_buffer_lock(false);
    EXPECT_EQ(headless::audio_live_buffers(), 0);

    fail_allocations_after(0); // no memory for the samples
    EXPECT_EQ(sound_load_wave("WAVE_GO", SOUND_GO), 0);
    fail_allocations_after(-1);

    for (int slot = 0; slot < SOUND_SLOT_COUNT; ++slot) EXPECT_EQ(sound_slot(slot), nullptr);
    EXPECT_EQ(headless::audio_live_buffers(), 0);

    // Loading a slot twice replaces its buffer instead of losing it (the
    // TearDown counts the buffers).
    EXPECT_EQ(sound_load_wave("WAVE_GO", SOUND_GO) + sound_load_wave("WAVE_HIT", SOUND_GO), 2);
}

// A catch: its effect and the throw, and a second throw in the same frame;
// then the pan scale's centre and ends, and free and bad slots, which do
// nothing. (The game's own pans are heard in the game sound tests.)
TEST_F(SoundSlots, EachPlayRestartsItsOneVoiceAndPlaysAndPansAllocateNothing)
{
    ASSERT_EQ(load_effects(), 9);
    headless::audio_clear_events();
    const uint64_t before = allocation_count();
    sound_play(SOUND_SAFE);
    sound_play(SOUND_SHOT);
    sound_play(SOUND_SHOT);
    for (int pan : {256, 0, 512}) sound_set_pan(SOUND_GO, pan);
    sound_play(SOUND_COUNT_TICK + 1);
    sound_set_pan(SOUND_COUNT_TICK + 1, 100);
    sound_play(-1);
    sound_set_pan(SOUND_SLOT_COUNT, 100);
    EXPECT_EQ(allocation_count(), before);

    Log want;
    for (const std::string& b : {id(SOUND_SAFE), id(SOUND_SHOT), id(SOUND_SHOT)})
        want.insert(want.end(), {"stop " + b, "position " + b + " 0", "play " + b});
    for (const char* pan : {" 0", " -2560", " 2560"}) want.push_back("pan " + id(SOUND_GO) + pan);
    EXPECT_EQ(headless::audio_log(), want);
    EXPECT_EQ(headless::audio_playing().size(), 2u) << "one voice each";
}

} // namespace
