// The start-up logo as presented: the maker's mark centred on black, light
// strokes with a blue glow at their sides, presented once.
#include "app/startup_logo.h"
#include "support/engine.h"

namespace {

constexpr uint32_t LIGHT = 0xF0F0F0;
constexpr uint32_t BLUE = 0x0000F0; // as XRGB

// Which strokes of the mark cover (x, y), widened by `glow` columns.
bool in_strokes(int x, int y, int glow)
{
    for (const RECT& r : LOGO_STROKES)
        if (x >= r.left - glow && x < r.right + glow && y >= r.top && y < r.bottom) return true;
    return false;
}

using Logo = EngineTest;

TEST_F(Logo, MarkCentredWithItsGlowOnBlack)
{
    fill_rect(screen_clip, 0x123456); // whatever the screen held before
    draw_startup_logo();
    EXPECT_EQ(headless::present_count(), 1u);
    // Where the presented mark lies, found from its lit pixels alone.
    RECT lit{640, 480, 0, 0};
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            if (screen_pixel(x, y) != 0) {
                lit = RECT{std::min(lit.left, x), std::min(lit.top, y), std::max(lit.right, x + 1),
                           std::max(lit.bottom, y + 1)};
            }
    // Centred on the screen, within a pixel each way.
    EXPECT_LE(std::abs(lit.left - (640 - lit.right)), 1) << lit.left << " " << lit.right;
    EXPECT_LE(std::abs(lit.top - (480 - lit.bottom)), 1) << lit.top << " " << lit.bottom;
    EXPECT_GT(lit.right - lit.left, 64) << "the whole mark, not a part of it";
    // Every pixel is a stroke, its glow or black, the strokes placed as
    // drawn in the 128 x 16 canvas centred on the screen.
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const int lx = x - (320 - 64), ly = y - (240 - 8);
            const uint32_t want = in_strokes(lx, ly, 0) ? LIGHT : in_strokes(lx, ly, LOGO_GLOW) ? BLUE : 0u;
            ASSERT_EQ(screen_pixel(x, y), want) << x << "," << y;
        }
    EXPECT_NE(surface_slot(LOGO_SLOT).surface, nullptr) << "its slot keeps the logo";
}

} // namespace
