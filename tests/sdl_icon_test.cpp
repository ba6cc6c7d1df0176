// The window's icon from the real icon resource: the 32-pixel face, clear
// around it; and every cut or damaged copy refused without reading past it.
#include "platform/embedded_resources.h"
#include "platform/sdl/sdl_icon.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(SdlIcon, TheRealIconAndEveryDamagedCopy)
{
    const auto ico = platform::embedded_resource_find("0", "ICON");
    ASSERT_FALSE(ico.empty());
    IconImage icon;
    ASSERT_TRUE(icon_decode(ico, 32, &icon));
    EXPECT_EQ(icon.width, 32);
    EXPECT_EQ(icon.height, 32);
    EXPECT_EQ(icon.argb[0] >> 24, 0u) << "the corner is clear";
    EXPECT_EQ(icon.argb[16 * 32 + 16] >> 24, 255u) << "the face is solid";
    ASSERT_TRUE(icon_decode(ico, 100, &icon));
    EXPECT_EQ(icon.width, 48) << "the largest when none is as big";
    ASSERT_TRUE(icon_decode(ico, 20, &icon));
    EXPECT_EQ(icon.width, 16);

    // Every prefix that cuts the 32-pixel image (the second entry) short
    // is refused.
    const std::vector<uint8_t> bytes(ico.begin(), ico.end());
    auto le32 = [&](size_t at) { return size_t(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16); };
    const size_t end = le32(6 + 16 + 12) + le32(6 + 16 + 8);
    for (size_t n = 0; n < end; ++n)
        ASSERT_FALSE(icon_decode(std::span<const uint8_t>(bytes.data(), n), 32, &icon)) << n;
    EXPECT_TRUE(icon_decode(std::span<const uint8_t>(bytes.data(), end), 32, &icon));
    // A directory that points past the end, and a header that lies.
    std::vector<uint8_t> bad = bytes;
    bad[6 + 16 + 12] = 0xFF; // the 32-pixel entry's offset, far out
    bad[6 + 16 + 15] = 0x7F;
    EXPECT_FALSE(icon_decode(bad, 32, &icon));
    bad = bytes;
    const size_t at = bytes[6 + 16 + 12] | bytes[6 + 16 + 13] << 8;
    bad[at + 14] = 8; // not 32 bits
    EXPECT_FALSE(icon_decode(bad, 32, &icon));
}

} // namespace
