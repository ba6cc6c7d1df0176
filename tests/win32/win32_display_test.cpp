// The Win32 display with a real window and DirectDraw, through the graphics
// room as the game drives it, on a 32-bit and on a 16-bit desktop (with
// QUOBBIN_SCREEN_BITS set, the surfaces must have that depth): refused
// rectangles, loss and repair, and bitmaps from files as the Linux game
// reads them. (The colour probe, keyed copies, the pictures from the
// resources and the present are the end-to-end run's: its screens are the
// golden frames.)
#include "gfx/blit.h"
#include "gfx/display.h"
#include "gfx/surfaces.h"
#include "platform/graphics.h"
#include "platform/window.h"
#include "support/bmp.h"
#include "win32_support.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// A COLORREF, as GDI and native_colour take it.
constexpr uint32_t rgb(uint32_t r, uint32_t g, uint32_t b)
{
    return r | g << 8 | b << 16;
}

Picture slot_picture(int id)
{
    return picture_of(surface_slot(id).surface);
}

class Win32Display : public ::testing::Test {
protected:
    // In start-up's order: the display comes while the window is hidden and
    // has no size yet.
    void SetUp() override
    {
        window = platform::window_create(nullptr);
        ASSERT_NE(window, nullptr);
        ASSERT_EQ(display_init(window, folder.path.c_str()), 1);
        ASSERT_EQ(display_create_surfaces(window, SCREEN_WIDTH, SCREEN_HEIGHT, 1), 1);
        platform::SurfaceLock format{};
        if (platform::surface_lock(display_back_buffer(), &format)) platform::surface_unlock(display_back_buffer());
        if (const char* bits = std::getenv("QUOBBIN_SCREEN_BITS")) {
            ASSERT_EQ(format.bits_per_pixel, std::atoi(bits));
        }
    }
    // As the game ends: the window goes first, the display after it.
    void TearDown() override
    {
        platform::window_destroy(window);
        display_shutdown();
    }
    std::string path(const std::string& name) const { return folder.path + "\\" + name; }

    const children::Folder folder{"display"};
    platform::Window* window = nullptr;
};

// Rectangles refused on the screen's side or on the picture's (where the
// place on the screen is good: a player's picture may be smaller than the
// game's) draw nothing.
TEST_F(Win32Display, RefusedRectanglesDrawNothing)
{
    const uint32_t white = native_colour(rgb(255, 255, 255));
    ASSERT_EQ(surface_create_blank(4, 4, 20, false), 1);
    fill_surface(nullptr, white, 20);
    platform::Surface* back = display_back_buffer();
    platform::Surface* sprite = surface_slot(20).surface;
    const Picture before = picture_of(back);
    const RECT on_screen[] = {
        {10, 10, 10, 14}, {14, 10, 10, 14}, {-1, 10, 3, 14}, {638, 10, 642, 14}, {10, 478, 14, 482}};
    const RECT in_picture[] = {{2, 0, 2, 4}, {4, 4, 0, 0}, {2, 0, 6, 4}, {0, -2, 4, 2}, {0, 0, 2, 4}};
    for (const RECT& r : on_screen) {
        EXPECT_EQ(platform::surface_blit(back, r, sprite, RECT{0, 0, r.right - r.left, r.bottom - r.top}, true), 0);
        EXPECT_EQ(platform::surface_fill(back, r, white), 0);
    }
    for (const RECT& r : in_picture) EXPECT_EQ(platform::surface_blit(back, RECT{10, 10, 14, 14}, sprite, r, false), 0);
    EXPECT_TRUE(picture_of(back) == before);
}

TEST_F(Win32Display, LostSlotsComeBackWithTheirPictures)
{
    write_file(path("swap.bmp"), make_solid_bmp(8, 8, 0x20C040));
    ASSERT_EQ(surface_load("BMP_DART", 1, false, false), 1);
    ASSERT_EQ(surface_load("swap.bmp", 2, true, false), 1);
    ASSERT_EQ(surface_create_blank(8, 8, 3, false), 1);
    ASSERT_EQ(surface_create_blank(8, 8, 4, true), 1);
    // The file changes on disk; a lost slot reads it again.
    write_file(path("swap.bmp"), make_bmp(8, 8, [](int x, int y) { return x == y ? 0 : 0xC02080u; }));
    ASSERT_EQ(surface_load("swap.bmp", 5, true, false), 1);
    const Picture resource = slot_picture(1), file_now = slot_picture(5);
    for (int id = 1; id <= 4; ++id) fill_surface(nullptr, native_colour(rgb(0, 255, 0)), id);
    const Picture system_memory = slot_picture(4);

    ASSERT_TRUE(change_display_mode(display_device()));
    // The primary, the back buffer and the four slots in video memory; a
    // slot in system memory is never lost.
    EXPECT_EQ(display_restore_lost(), 6);
    EXPECT_TRUE(slot_picture(1) == resource);
    EXPECT_TRUE(slot_picture(2) == file_now);
    EXPECT_TRUE(slot_picture(5) == file_now);
    EXPECT_EQ(slot_picture(3).pixels, std::vector<uint32_t>(64, 0));
    EXPECT_TRUE(slot_picture(4) == system_memory);
    EXPECT_EQ(display_restore_lost(), 0);
}

// Every form of file the Linux game reads, the Windows game reads the same.
// GDI widens 4-, 5- and 6-bit channels with its own rounding, so a channel
// may be one step off; a wrong palette, a picture upside down or a black
// one are not, and black stays exactly the colour key. (Files that are no
// picture are refused by the reader's judge, which every build's tests
// hold, and by the files' own tests.)
TEST_F(Win32Display, FilesReadAsTheLinuxGameReadsThem)
{
    int form_number = 0;
    for (const BmpForm& form : bmp_forms()) {
        SCOPED_TRACE(form.what);
        const std::vector<uint32_t> linux_reading = bmp_decoded(form.bytes);
        const std::string name = "form" + std::to_string(form_number++) + ".bmp";
        write_file(path(name), form.bytes);
        ASSERT_EQ(surface_load(name.c_str(), 9, true, false), 1);
        const Picture ours = slot_picture(9);
        ASSERT_EQ(std::vector<uint32_t>(linux_reading.begin(), linux_reading.begin() + 2),
                  (std::vector{uint32_t(ours.width), uint32_t(ours.height)}));
        for (int y = 0; y < ours.height; ++y)
            for (int x = 0; x < ours.width; ++x) {
                const uint32_t seen = linux_reading[2 + size_t(y) * size_t(ours.width) + size_t(x)];
                const uint32_t want = native_colour(rgb(seen >> 16, seen >> 8 & 0xFF, seen & 0xFF));
                for (uint32_t mask : ours.masks) {
                    const int step = std::countr_zero(mask);
                    const int a = int((ours.at(x, y) & mask) >> step), b = int((want & mask) >> step);
                    EXPECT_LE(std::abs(a - b), seen == 0 ? 0 : 1) << x << "," << y << " of " << std::hex << seen;
                }
            }
        surface_release(9);
    }
}

} // namespace
