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

    // The bounding box of the non-black pixels on the back buffer: left,
    // top, right, bottom.
    static std::tuple<int, int, int, int> drawn_box()
    {
        RECT box{1 << 20, 1 << 20, 0, 0};
        int w = 0, h = 0;
        headless::surface_size(display_back_buffer(), &w, &h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (back_pixel(x, y) != 0) {
                    box.left = std::min(box.left, x);
                    box.top = std::min(box.top, y);
                    box.right = std::max(box.right, x + 1);
                    box.bottom = std::max(box.bottom, y + 1);
                }
        return {box.left, box.top, box.right, box.bottom};
    }
};

// Each copy of the 32x16 sprite alone on black: where its trimmed box
// lands and which source pixel shows at one corner of it.
TEST_F(Blit, TrimmingAgainstTheClip)
{
    const struct {
        RECT clip;
        int x, y;
        std::tuple<int, int, int, int> box;
        int px, py, sx, sy; // back buffer (px, py) shows sprite pixel (sx, sy)
    } cases[] = {
        {screen_clip, -10, 470, {0, 470, 22, 480}, 0, 470, 10, 0}, // the bottom left corner
        {screen_clip, -10, 470, {0, 470, 22, 480}, 21, 479, 31, 9},
        {screen_clip, 608, 0, {608, 0, 640, 16}, 639, 15, 31, 15}, // flush with the right edge
        {screen_clip, 609, 0, {609, 0, 640, 16}, 639, 0, 30, 0},   // one column less
        {{100, 50, 540, 430}, 90, 44, {100, 50, 122, 60}, 100, 50, 10, 6},
        {{0, 0, 640, 480}, 300, 470, {300, 470, 332, 480}, 331, 479, 31, 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        fill_rect(screen_clip, 0);
        blit_clipped(c.clip, c.x, c.y, RECT{0, 0, 32, 16}, SPRITE);
        EXPECT_EQ(drawn_box(), c.box);
        EXPECT_EQ(back_pixel(c.px, c.py), sprite_pixel(c.sx, c.sy));
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
    EXPECT_EQ(std::get<2>(drawn_box()), 0) << "nothing was drawn";
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
    const auto back_buffer = [] {
        std::vector<uint32_t> pixels;
        for (int y = 0; y < SCREEN_HEIGHT; ++y)
            for (int x = 0; x < SCREEN_WIDTH; ++x) pixels.push_back(back_pixel(x, y));
        return pixels;
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
        const std::vector<uint32_t> shown = back_buffer();
        draw_list_reset();
        draw(c.both);
        EXPECT_EQ(shown, back_buffer());
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
    SoftSurface indexed, plain, dst;
    ASSERT_TRUE(soft_surface_init(&indexed, W, H) && soft_surface_init(&plain, W, H));
    ASSERT_TRUE(soft_surface_init(&dst, W + 2 * AT_X, H + 2 * AT_Y));
    for (SoftSurface* s : {&indexed, &plain}) {
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) s->pixels[size_t(y * W + x)] = picture(x, y);
        s->has_colour_key = true;
    }
    soft_surface_index_spans(&indexed);
    ASSERT_TRUE(indexed.spans_valid);

    const auto every_cut = [&](const SoftSurface& src, const char* name) {
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
    every_cut(indexed, "indexed");
    every_cut(plain, "plain");
    // Row 0 becomes key and row 1 opaque: stale stretches would show both.
    soft_fill(&indexed, RECT{0, 0, W, 1}, 0);
    soft_fill(&indexed, RECT{10, 1, 30, 2}, 0x777777u);
    every_cut(indexed, "filled");
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
