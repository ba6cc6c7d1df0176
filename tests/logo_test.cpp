// The start-up logo: the maker's mark centred on black, light strokes with
// a blue glow at their sides, presented once.
#include "app/startup_logo.h"
#include "gfx/blit.h"
#include "gfx/surfaces.h"
#include "support/engine.h"

namespace {

constexpr uint32_t LIGHT = 0xF0F0F0;
constexpr uint32_t BLUE = 0x0000F0; // as XRGB
constexpr int LEFT = 256;
constexpr int TOP = 232;

bool in_stroke(int x, int y)
{
    for (const RECT& r : LOGO_STROKES)
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
    return false;
}

bool in_glow(int x, int y)
{
    for (const RECT& r : LOGO_STROKES)
        if (x >= r.left - 2 && x < r.right + 2 && y >= r.top && y < r.bottom) return true;
    return false;
}

using Logo = EngineTest;

TEST_F(Logo, StrokesStayInsideTheMarkArea)
{
    for (const RECT& r : LOGO_STROKES) {
        EXPECT_GE(r.left, 28);
        EXPECT_LE(r.right, 103);
        EXPECT_GE(r.top, 3);
        EXPECT_LE(r.bottom, 15);
        EXPECT_LT(r.left, r.right) << "every stroke draws something";
        EXPECT_LT(r.top, r.bottom);
    }
}

TEST_F(Logo, MarkCentredWithItsGlowOnBlack)
{
    fill_rect(screen_clip, 0x123456); // whatever the screen held before
    draw_startup_logo();
    EXPECT_EQ(headless::present_count(), 1u);
    int light = 0, blue = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const int lx = x - LEFT, ly = y - TOP;
            const uint32_t p = screen_pixel(x, y);
            if (in_stroke(lx, ly)) {
                ASSERT_EQ(p, LIGHT) << x << "," << y;
                ++light;
            } else if (in_glow(lx, ly)) {
                ASSERT_EQ(p, BLUE) << x << "," << y;
                ++blue;
            } else {
                ASSERT_EQ(p, 0u) << x << "," << y;
            }
        }
    EXPECT_GT(light, 200);
    EXPECT_GT(blue, 100);
    // The mark is centred: as much room left of it as right of it, within a pixel.
    int min_x = 640, max_x = 0;
    for (const RECT& r : LOGO_STROKES) {
        min_x = std::min(min_x, int(r.left) - 2);
        max_x = std::max(max_x, int(r.right) + 2);
    }
    EXPECT_LE(std::abs((min_x - 0) - (128 - max_x)), 2);
    EXPECT_NE(surface_slot(LOGO_SLOT).surface, nullptr) << "slot 0 keeps the logo";
}

} // namespace
