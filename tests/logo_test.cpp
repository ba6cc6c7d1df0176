// The start-up logo as presented: the maker's mark centred on black, light
// strokes with a blue glow at their sides, presented once.
#include "app/startup_logo.h"
#include "support/engine.h"

#include <set>

namespace {

constexpr uint32_t LIGHT = 0xF0F0F0;
constexpr uint32_t BLUE = 0x0000F0; // as XRGB

using Logo = EngineTest;

TEST_F(Logo, MarkCentredWithItsGlowOnBlack)
{
    fill_rect(screen_clip, 0x123456); // whatever the screen held before
    draw_startup_logo();
    EXPECT_EQ(headless::present_count(), 1u);
    // Where the presented mark lies, found from its lit pixels alone, and
    // its colours; no light pixel meets black at its sides.
    RECT lit{640, 480, 0, 0};
    std::set<uint32_t> colours;
    for (int y = 0; y < 480; ++y)
        for (int x = 1; x < 639; ++x) {
            const uint32_t c = screen_pixel(x, y);
            colours.insert(c);
            if (c != 0)
                lit = RECT{std::min(lit.left, x), std::min(lit.top, y), std::max(lit.right, x + 1),
                           std::max(lit.bottom, y + 1)};
            ASSERT_TRUE(c != LIGHT || (screen_pixel(x - 1, y) && screen_pixel(x + 1, y))) << x << "," << y;
        }
    EXPECT_EQ(colours, (std::set<uint32_t>{0, BLUE, LIGHT}));
    // Centred on the screen, within a pixel each way.
    EXPECT_LE(std::abs(lit.left - (640 - lit.right)), 1) << lit.left << " " << lit.right;
    EXPECT_LE(std::abs(lit.top - (480 - lit.bottom)), 1) << lit.top << " " << lit.bottom;
    EXPECT_GT(lit.right - lit.left, 64) << "the whole mark, not a part of it";
    EXPECT_NE(surface_slot(LOGO_SLOT).surface, nullptr) << "its slot keeps the logo";
}

} // namespace
