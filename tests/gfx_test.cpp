// The drawing room on the BackBuffer, at the scale of 1 every program
// uses. Keyed copies and fills as pixels: the trimming arithmetic, the
// refusal of empty, inverted and outside rectangles, the colour key, the
// redraw of repeated frames. The 64 slots: loading, reloading, releasing,
// and the repair of lost surfaces at a present.
#include "gfx/draw_list.h"
#include "platform/soft/soft_surface.h"
#include "support/bmp.h"
#include "support/engine.h"

#include <tuple>
#include <vector>

namespace {

constexpr uint32_t RED = 0xFF0000;
constexpr uint32_t GREEN = 0x00FF00;
constexpr uint32_t BLUE = 0x0000FF;
constexpr int SPRITE = 20;

// A 32x16 sprite whose pixel (x, y) has the colour 0x01xxyy, so any pixel
// on screen tells which source pixel it came from.
uint32_t sprite_pixel(int x, int y)
{
    return 0x010000u | uint32_t(x) << 8 | uint32_t(y);
}

class Blit : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        headless::register_resource("SPRITE", "BITMAP", make_bmp(32, 16, sprite_pixel));
        ASSERT_TRUE(surface_load("SPRITE", SPRITE, false, false));
        fill_rect(screen_clip, 0);
    }

    // The back buffer shows the sprite copied to (at_x, at_y) where that
    // lies inside the clip, and black everywhere else.
    static void expect_sprite_at(const RECT& clip, int at_x, int at_y)
    {
        for (int y = 0; y < SCREEN_HEIGHT; ++y)
            for (int x = 0; x < SCREEN_WIDTH; ++x) {
                const bool shown = x >= std::max<int>(clip.left, at_x) && x < std::min<int>(clip.right, at_x + 32) &&
                                   y >= std::max<int>(clip.top, at_y) && y < std::min<int>(clip.bottom, at_y + 16);
                ASSERT_EQ(back_pixel(x, y), shown ? sprite_pixel(x - at_x, y - at_y) : 0u) << x << "," << y;
            }
    }
};

TEST_F(Blit, TrimmingAgainstTheClip)
{
    const struct {
        RECT clip;
        int x, y;
    } cases[] = {
        {screen_clip, -10, 470}, // the bottom left corner
        {screen_clip, 608, 0},   // flush with the right edge
        {screen_clip, 609, 0},   // one column less
        {{100, 50, 540, 430}, 90, 44}, {screen_clip, 300, 470},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        fill_rect(screen_clip, 0);
        blit_clipped(c.clip, c.x, c.y, RECT{0, 0, 32, 16}, SPRITE);
        expect_sprite_at(c.clip, c.x, c.y);
    }
}

TEST_F(Blit, WhollyOutsideOrBadDrawsNothing)
{
    blit_clipped(screen_clip, 650, 0, RECT{0, 0, 32, 16}, SPRITE); // right < left after trimming
    blit_clipped(screen_clip, -40, 0, RECT{0, 0, 32, 16}, SPRITE);
    blit_clipped(screen_clip, 0, 480, RECT{0, 0, 32, 16}, SPRITE);
    blit_clipped(screen_clip, 0, -16, RECT{0, 0, 32, 16}, SPRITE);
    blit_clipped(RECT{640, 0, 640, 480}, 300, 200, RECT{0, 0, 32, 16}, SPRITE); // an empty clip
    blit(10, 10, RECT{8, 0, 4, 16}, SPRITE);                                    // inverted source
    blit(630, 0, RECT{0, 0, 32, 16}, SPRITE); // unclipped and past the edge: refused whole
    blit(10, 10, RECT{0, 0, 33, 16}, SPRITE); // past the picture's edge
    fill_rect(RECT{10, 10, 5, 20}, RED);
    fill_rect(RECT{-1, 0, 10, 10}, RED);
    // Free slots and ids outside the table.
    for (int id : {-1, SPRITE + 1, SURFACE_SLOT_COUNT, 1000}) {
        blit(0, 0, RECT{0, 0, 8, 8}, id);
        blit_clipped(screen_clip, 0, 0, RECT{0, 0, 8, 8}, id);
        fill_surface(nullptr, RED, id);
    }
    expect_sprite_at(screen_clip, 1000, 1000); // nothing was drawn
}

// A frame whose commands repeat the last frame's leaves the back buffer as
// it is, and one that differs redraws only where the last frame's later
// commands drew. Each case changes something between such frames; the
// frames after must show what drawing them afresh shows.
int second_x = 300;
TEST_F(Blit, RepeatedFramesShowWhatDrawingThemAfreshShows)
{
    headless::register_resource("OTHER", "BITMAP", make_solid_bmp(32, 16, GREEN));
    const auto draw = [](bool both) {
        fill_rect(screen_clip, BLUE);
        blit(100, 100, RECT{0, 0, 32, 16}, SPRITE);
        if (both) blit_clipped(screen_clip, second_x, 200, RECT{0, 0, 32, 16}, SPRITE);
        display_present();
    };
    const struct {
        const char* change;
        void (*between)();
        bool both;
    } cases[] = {
        {"nothing", [] {}, true},
        {"the last copy left out", [] {}, false},
        {"the last copy moved half its width", [] { second_x = 316; }, true},
        {"the picture reloaded", [] { surface_reload("OTHER", SPRITE, false); }, true},
        {"the picture filled", [] { fill_surface(nullptr, RED, SPRITE); }, true},
        {"the picture released", [] { surface_release(SPRITE); }, true},
        {"the back buffer lost", [] { headless::mark_lost(display_back_buffer()); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change);
        second_x = 300;
        surface_release(SPRITE);
        ASSERT_TRUE(surface_load("SPRITE", SPRITE, false, false));
        draw(true);
        draw(true);
        c.between();
        draw(c.both);
        draw(c.both);
        const std::vector<uint32_t> shown = back_buffer_pixels();
        draw_list_reset();
        draw(c.both);
        EXPECT_EQ(shown, back_buffer_pixels());
        EXPECT_EQ(back_pixel(0, 0), BLUE);
    }
}

// Every cut through a picture of long runs, scattered key, wide gaps and
// lone pixels, copied keyed through its stretches and pixel by pixel, each
// against a plain loop; and again after a fill has changed the picture.
TEST(SoftSurface, KeyedCopyMatchesAPlainLoopAtEveryCut)
{
    constexpr int W = 70, H = 5, AT_X = 3, AT_Y = 1;
    constexpr uint32_t UNDER = 0xABCDEFu;
    // Rows: opaque throughout, key throughout, key every third pixel (at
    // both ends), runs and gaps of ten, lone pixels.
    const auto picture = [](int x, int y) -> uint32_t {
        const bool opaque[] = {true, false, x % 3 != 0, (x / 10) % 2 == 0, x == 5 || (x > 20 && x < 24) || x == W - 1};
        return opaque[y] ? 0x10000u * uint32_t(y + 1) + uint32_t(x) : 0;
    };
    SoftSurface src, dst;
    ASSERT_TRUE(soft_surface_init(&src, W, H) && soft_surface_init(&dst, W + 2 * AT_X, H + 2 * AT_Y));
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) src.pixels[size_t(y * W + x)] = picture(x, y);
    src.has_colour_key = true;

    const auto every_cut = [&](const char* name) {
        for (int left = 0; left < W; ++left)
            for (int right = left + 1; right <= W; ++right) {
                soft_fill(&dst, RECT{0, 0, dst.width, dst.height}, UNDER);
                const RECT to{AT_X, AT_Y, AT_X + right - left, AT_Y + H};
                ASSERT_EQ(soft_blit(&dst, to, src, RECT{left, 0, right, H}, true), 1);
                for (int y = 0; y < dst.height; ++y)
                    for (int x = 0; x < dst.width; ++x) {
                        const bool inside = x >= to.left && x < to.right && y >= to.top && y < to.bottom;
                        const uint32_t from = inside ? src.pixels[size_t((y - AT_Y) * W + x - AT_X + left)] : 0;
                        ASSERT_EQ(dst.pixels[size_t(y * dst.width + x)], from ? from : UNDER)
                            << name << " cut " << left << "-" << right << " at " << x << "," << y;
                    }
            }
    };
    every_cut("plain");
    soft_surface_index_spans(&src);
    ASSERT_TRUE(src.spans_valid);
    every_cut("indexed");
    // Row 0 becomes key and row 1 opaque: stale stretches would show both.
    soft_fill(&src, RECT{0, 0, W, 1}, 0);
    soft_fill(&src, RECT{10, 1, 30, 2}, 0x777777u);
    every_cut("filled");
}

class Slots : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        headless::register_resource("RED", "BITMAP", make_solid_bmp(16, 8, RED));
        headless::register_resource("GREEN_SMALL", "BITMAP", make_solid_bmp(4, 4, GREEN));
        headless::register_resource("BLUE_LARGE", "BITMAP", make_solid_bmp(40, 40, BLUE));
    }
    static uint32_t slot_pixel(int id, int x, int y) { return headless::pixel(surface_slot(id).surface, x, y); }
};

TEST_F(Slots, LoadsOnlyIntoAFreeSlotInRangeFromAResourceThatExists)
{
    ASSERT_TRUE(surface_load("red", 3, false, false)) << "names in any case";
    EXPECT_FALSE(surface_load("BLUE_LARGE", 3, false, true) || surface_create_blank(8, 8, 3, false));

    EXPECT_FALSE(surface_load("NO_SUCH_PICTURE", 4, false, false));
    for (int id : {-1, SURFACE_SLOT_COUNT}) {
        EXPECT_FALSE(surface_load("RED", id, false, false) || surface_reload("RED", id, false) ||
                     surface_create_blank(8, 8, id, false))
            << id;
        surface_release(id);
        EXPECT_EQ(surface_slot(id).surface, nullptr) << id << ": out of range reads as free";
    }

    // Released (twice is harmless), the slot is free and can be loaded again.
    surface_release(3);
    surface_release(3);
    EXPECT_EQ(headless::live_surfaces(), 2) << "only the display's own: nothing landed elsewhere";
    EXPECT_TRUE(surface_load("GREEN_SMALL", 3, false, false));
}

TEST_F(Slots, ReloadKeepsTheSurfaceAndItsSize)
{
    EXPECT_FALSE(surface_reload("RED", 5, false)) << "a free slot cannot be reloaded";
    ASSERT_TRUE(surface_load("RED", 5, false, false));
    platform::Surface* before = surface_slot(5).surface;
    ASSERT_TRUE(surface_reload("BLUE_LARGE", 5, false));
    EXPECT_EQ(surface_slot(5).surface, before);
    EXPECT_EQ(std::tuple(surface_slot(5).width, surface_slot(5).height), std::tuple(16, 8));
    EXPECT_EQ(slot_pixel(5, 15, 7), BLUE) << "the larger picture is cut at the edge";
    EXPECT_FALSE(surface_reload("NO_SUCH_PICTURE", 5, false));
}

// A present puts lost slots back. (What each kind of slot comes back with
// is the Win32 display test's business, where DirectDraw loses them.)
TEST_F(Slots, LostSlotsComeBackAtThePresent)
{
    ASSERT_TRUE(surface_load("RED", 5, false, false));
    headless::mark_lost(surface_slot(5).surface);
    headless::mark_lost(display_primary());
    display_present();
    EXPECT_EQ(slot_pixel(5, 0, 0), RED);
    EXPECT_EQ(display_restore_lost(), 0) << "nothing is lost any more";
}

} // namespace
