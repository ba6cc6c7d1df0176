// Parsing WAVE resources: the accepted layout, every refusal, and resources
// malformed on purpose, none of which may read or allocate out of bounds.
#include "platform/headless/headless.h"
#include "sound/wave_read.h"
#include "support/allocation.h"
#include "support/waves.h"

#include <gtest/gtest.h>

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

class WaveRead : public ::testing::Test {
protected:
    void SetUp() override { headless::reset(); }
};

TEST_F(WaveRead, TakesTheGameLayoutAndTheSixteenByteFormat)
{
    const Bytes samples{1, 2, 3, 4, 5};
    Parsed p = parse(pcm_wave(1, 8, 22050, samples));
    ASSERT_EQ(p.ok, 1);
    EXPECT_EQ(p.format.format_tag, 1);
    EXPECT_EQ(p.format.channels, 1);
    EXPECT_EQ(p.format.samples_per_second, 22050u);
    EXPECT_EQ(p.format.bits_per_sample, 8);
    EXPECT_EQ(p.format.extra_size, 0);
    EXPECT_EQ(p.data, samples);

    // A 16-byte format chunk lends "da" of the next identifier as the extra size.
    p = parse(riff({fmt_chunk(2, 16, 44100, 16), chunk("data", constant16(-5, 4))}));
    ASSERT_EQ(p.ok, 1);
    EXPECT_EQ(p.format.channels, 2);
    EXPECT_EQ(p.format.bits_per_sample, 16);
    EXPECT_EQ(p.format.extra_size, 'd' | ('a' << 8));
    EXPECT_EQ(p.data, constant16(-5, 4));

    // An empty "data" chunk parses; the device refuses it later.
    p = parse(riff({fmt_chunk(1, 8, 22050), chunk("data", {}), chunk("pad ", Bytes(30))}));
    EXPECT_EQ(p.ok, 1);
    EXPECT_EQ(p.size, 0u);
}

TEST_F(WaveRead, RefusesOtherTagsAndFormats)
{
    const Bytes good = pcm_wave(1, 8, 22050, Bytes(64, 128));
    for (size_t at : {0, 8, 12}) {
        Bytes bad = good;
        bad[at + 1] ^= 0x20; // "RIFF" -> "RiFF", and so on
        EXPECT_EQ(parse(bad).ok, 0) << at;
    }
    // A valid file whose format chunk comes second.
    Bytes fact;
    put32(fact, 64);
    EXPECT_EQ(parse(riff({chunk("fact", fact), fmt_chunk(1, 8, 22050), chunk("data", Bytes(64, 128))})).ok, 0);

    struct Format {
        int channels, bits, tag, ok;
    } formats[] = {{1, 8, 1, 1}, {2, 8, 1, 1},  {1, 16, 1, 1}, {2, 16, 1, 1}, {0, 8, 1, 0},
                   {3, 8, 1, 0}, {1, 24, 1, 0}, {1, 12, 1, 0}, {1, 0, 1, 0},  {1, 8, 3, 0}};
    for (const Format& f : formats) {
        const Parsed p = parse(riff({fmt_chunk(f.channels, f.bits, 22050, 18, f.tag), chunk("data", Bytes(16))}));
        EXPECT_EQ(p.ok, f.ok) << f.channels << " " << f.bits << " " << f.tag;
        EXPECT_EQ(p.data_null, !f.ok);
    }
}

TEST_F(WaveRead, EveryTruncationFailsCleanly)
{
    const Bytes good = pcm_wave(1, 8, 22050, sine8(440, 22050, 100, 90));
    EXPECT_EQ(parse(good).ok, 1);
    for (size_t n = 0; n < good.size(); ++n) { // an empty resource too
        const Parsed p = parse(Bytes(good.begin(), good.begin() + long(n)));
        EXPECT_EQ(p.ok, 0) << n;
        EXPECT_TRUE(p.data_null) << n;
    }
    uint8_t* data = reinterpret_cast<uint8_t*>(1);
    platform::WaveFormat f{};
    uint32_t size = 0;
    EXPECT_EQ(wave_read("MISSING", "WAVE", &f, &size, &data), 0);
    EXPECT_EQ(data, nullptr);
}

TEST_F(WaveRead, DataLargerThanTheRestFailsBeforeAllocating)
{
    for (uint32_t claim : {101u, 1000u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) {
        const Parsed p = parse(riff({fmt_chunk(1, 8, 22050), chunk("data", Bytes(100, 128), claim)}));
        EXPECT_EQ(p.ok, 0) << claim;
        EXPECT_EQ(p.allocations, 0u) << claim;
        EXPECT_TRUE(p.data_null) << claim;
    }
    // A claim of exactly the rest reads up to the last byte.
    EXPECT_EQ(parse(riff({fmt_chunk(1, 8, 22050), chunk("data", Bytes(100, 7))})).data, Bytes(100, 7));
    // No memory for the samples.
    const Parsed p = parse(pcm_wave(1, 8, 22050, Bytes(100, 128)), true);
    EXPECT_EQ(p.ok, 0);
    EXPECT_TRUE(p.data_null);
}

TEST_F(WaveRead, ChunksAreSkippedByTheirStatedSizeOnly)
{
    // An odd chunk is followed directly by the next one: no pad byte.
    const Bytes data = chunk("data", Bytes{9, 8, 7});
    EXPECT_EQ(parse(riff({fmt_chunk(1, 8, 22050), chunk("odd ", Bytes{1, 2, 3}), data})).data, (Bytes{9, 8, 7}));
    // With a pad byte the walk lands one byte early and never meets "data".
    EXPECT_EQ(parse(riff({fmt_chunk(1, 8, 22050), chunk("odd ", Bytes{1, 2, 3, 0}, 3), data})).ok, 0);

    // Sizes near 2^32 are unsigned: they point past the end, the skip is
    // refused and the walk reads on, never backwards (0xFFFFFFF8 read as
    // signed would step back onto the same header for ever).
    for (uint32_t huge : {0xFFFFFFF8u, 0xFFFFFFFFu, 0x80000000u, 0xFFFFFFF4u}) {
        const Parsed p = parse(riff({fmt_chunk(1, 8, 22050), chunk("LIST", {}, huge), data}));
        EXPECT_EQ(p.ok, 1) << huge;
        EXPECT_EQ(p.data, (Bytes{9, 8, 7})) << huge;
        EXPECT_EQ(parse(riff({fmt_chunk(1, 8, 22050), chunk("LIST", Bytes(20), huge)})).ok, 0) << huge;
    }
    // A chunk that ends exactly at the end cannot be skipped past, and no
    // "data" follows: the walk fails at the next header.
    EXPECT_EQ(parse(riff({fmt_chunk(1, 8, 22050), chunk("fact", Bytes(4))})).ok, 0);
}

} // namespace
