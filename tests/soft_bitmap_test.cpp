// Our bitmap reader on its own, as every backend's tests run it: every
// form it takes is refused once cut anywhere short; files that lie about
// themselves and run-length streams that leave the picture are refused;
// indices past a short palette, like pixels a stream never sets, are
// black; 16-bit colours reach full brightness. (That it sees what SDL's
// reader sees is in sdl_test.cpp.)
#include "support/bmp.h"

#include <gtest/gtest.h>

namespace {

TEST(SoftBitmap, EveryFormCutShortIsRefused)
{
    for (const BmpForm& f : bmp_forms()) {
        SCOPED_TRACE(f.what);
        for (size_t n = 0; n <= f.bytes.size(); ++n)
            ASSERT_EQ(bmp_decoded(std::span(f.bytes).first(n)).empty(), n < f.bytes.size()) << "cut to " << n;
    }
}

TEST(SoftBitmap, OddFilesAndFilesThatLie)
{
    // 4 x 2 pictures at 8 bits whose every palette entry is grey, as rows
    // or as a run-length stream; 4 x 1 ones with other palettes and masks.
    constexpr uint32_t G = 0x808080;
    const std::vector<uint32_t> grey(256, G), two{0x123456, 0xABCDEF};
    auto coded = [&](std::vector<uint8_t> stream, int32_t height = 2) {
        return bmp_from_parts({40, 4, height, 8, 1, grey, {}, std::move(stream)});
    };
    auto masked = [](int bits, std::vector<uint32_t> masks, std::vector<uint32_t> v) {
        return bmp_from_parts({40, 4, 1, bits, 3, {}, masks, bmp_rows(4, 1, bits, [&](int x, int) { return v[x]; })});
    };
    auto plain = [&](uint32_t header, int32_t width, int bits, uint32_t compression, size_t colours = 256) {
        return bmp_from_parts(
            {header, width, 2, bits, compression, std::vector(colours, G), {}, std::vector<uint8_t>(8, 1)});
    };
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        std::vector<uint32_t> seen; // nothing: refused
    } cases[] = {
        {"rows", plain(40, 4, 8, 0), {4, 2, G, G, G, G, G, G, G, G}},
        {"a run, a line's end, a jump, the end", coded({4, 1, 0, 0, 0, 2, 2, 0, 0, 1}), {4, 2, 0, 0, 0, 0, G, G, G, G}},
        {"indices past a short palette",
         bmp_from_parts({40, 4, 1, 8, 0, two, {}, {0, 1, 2, 255}}),
         {4, 1, 0x123456, 0xABCDEF, 0, 0}},
        {"and in a stream", bmp_from_parts({40, 4, 1, 8, 1, two, {}, {1, 1, 1, 7, 0, 1}}), {4, 1, 0xABCDEF, 0, 0, 0}},
        // A step of a 5- or 6-bit channel is a 31st or a 63rd of 255, rounded down.
        {"5-6-5",
         masked(16, {0xF800, 0x07E0, 0x001F}, {0xFFFF, 0xF800, 0x07E0, 0x0821}),
         {4, 1, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x080408}},
        {"a run past the end of its row", coded({5, 1, 0, 1}), {}},
        {"indices as they are past the end of their row", coded({0, 5, 1, 2, 3, 4, 5, 0, 0, 1}), {}},
        {"lines past the top", coded({0, 0, 0, 0, 0, 0, 0, 1}), {}},
        {"a jump past the top", coded({0, 2, 0, 3, 0, 1}), {}},
        {"a jump past the right", coded({0, 2, 5, 0, 0, 1}), {}},
        {"no end of bitmap", coded({4, 1, 0, 0}), {}},
        {"run-length rows from the top down", coded({0, 1}, -2), {}},
        {"run-length at 4 bits in an 8-bit picture", plain(40, 4, 8, 2), {}},
        {"more colours than 8 bits hold", plain(40, 4, 8, 0, 257), {}},
        {"8 bits without a palette, the pixels where it should be", plain(40, 4, 8, 0, 0), {}},
        {"masks at 24 bits", masked(24, {0xFF0000, 0xFF00, 0xFF}, {1, 2, 3, 4}), {}},
        {"a mask in two pieces", masked(16, {0x7C00, 0x03E0, 0x001D}, {1, 2, 3, 4}), {}},
        {"OS/2's 64-byte header", plain(64, 4, 8, 0), {}},
        {"no width", plain(40, 0, 8, 0), {}},
        {"a depth no bitmap has", plain(40, 4, 7, 0), {}},
        {"JPEG inside", plain(40, 4, 8, 4), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(bmp_decoded(c.bytes), c.seen);
    }
}

} // namespace
