// Centring the main window: the work area is the reference even when it does
// not start at (0, 0), odd differences lose their half, a window larger than
// the area meets its right and bottom edges, and the window keeps its size
// and becomes visible.
#include "platform/headless/headless.h"
#include "platform/headless/headless_system.h"
#include "platform/system.h"
#include "sys/window_centre.h"

#include <gtest/gtest.h>

namespace {

// Where a hidden window with a frame of width x height lands on the area.
RECT centred(RECT area, int width, int height)
{
    headless::reset();
    headless::set_work_area(area);
    platform::Window* window = platform::window_create(nullptr);
    platform::window_set_client_size(window, 0, 0);
    const RECT frame = platform::window_rect(window);
    platform::window_set_client_size(window, width - (frame.right - frame.left), height - (frame.bottom - frame.top));
    EXPECT_FALSE(headless::window_visible());
    window_centre(window);
    EXPECT_TRUE(headless::window_visible());
    const RECT placed = platform::window_rect(window);
    EXPECT_EQ(placed.right - placed.left, width);
    EXPECT_EQ(placed.bottom - placed.top, height);
    platform::window_destroy(window);
    return placed;
}

void expect_at(RECT placed, int x, int y)
{
    EXPECT_EQ(placed.left, x);
    EXPECT_EQ(placed.top, y);
}

TEST(WindowCentre, CentresOnTheWorkArea)
{
    // The whole desktop unless a panel takes some of it.
    headless::reset();
    const RECT desktop = platform::work_area();
    EXPECT_EQ(desktop.left, 0);
    EXPECT_EQ(desktop.top, 0);
    EXPECT_EQ(desktop.right, headless::DESKTOP_WIDTH);
    EXPECT_EQ(desktop.bottom, headless::DESKTOP_HEIGHT);
    expect_at(centred(desktop, 648, 526), (1400 - 648) / 2, (1100 - 526) / 2);
    // Panels on the left and at the top.
    expect_at(centred(RECT{120, 30, 1400, 1060}, 648, 526), 120 + 316, 30 + 252);
    // A monitor left of the primary one has negative coordinates.
    expect_at(centred(RECT{-1280, 0, 0, 1024}, 648, 526), -1280 + 316, 249);
    // Exactly the size of the area.
    expect_at(centred(RECT{7, 9, 655, 535}, 648, 526), 7, 9);
}

TEST(WindowCentre, OddDifferencesLoseTheirHalf)
{
    expect_at(centred(RECT{10, 20, 10 + 648 + 101, 20 + 526 + 53}, 648, 526), 10 + 50, 20 + 26);
    expect_at(centred(RECT{0, 0, 649, 527}, 648, 526), 0, 0);
}

TEST(WindowCentre, LargerThanTheAreaMeetsItsRightAndBottomEdges)
{
    expect_at(centred(RECT{10, 20, 610, 420}, 648, 526), 610 - 648, 420 - 526);
    // Too wide only: centred vertically still.
    expect_at(centred(RECT{100, 0, 700, 1100}, 648, 526), 700 - 648, 287);
    // Too tall only, with the area starting off the origin.
    expect_at(centred(RECT{50, 300, 1050, 700}, 648, 526), 50 + 176, 700 - 526);
}

} // namespace
