// The desktop services of sys/. Centring the main window: the work area is
// the reference even when it does not start at (0, 0), odd differences lose
// their half, a window larger than the area meets its right and bottom
// edges, and the window keeps its size and becomes visible. The volume
// command tries the platform's volume controls in their order and stops at
// the first that starts; none starting is reported as 0.
#include "platform/headless/headless.h"
#include "platform/headless/headless_system.h"
#include "platform/system.h"
#include "sys/volume_control.h"
#include "sys/window_centre.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

TEST(WindowCentre, CentresOnTheWorkArea)
{
    // Where a hidden window with a frame of 648 x 526 lands on each area.
    const struct {
        RECT area;
        int x, y;
    } cases[] = {
        {{0, 0, 1400, 1100}, (1400 - 648) / 2, (1100 - 526) / 2},    // the whole desktop
        {{120, 30, 1400, 1060}, 120 + 316, 30 + 252},                // panels on the left and at the top
        {{-1280, 0, 0, 1024}, -1280 + 316, 249},                     // a monitor left of the primary one
        {{10, 20, 10 + 648 + 101, 20 + 526 + 53}, 10 + 50, 20 + 26}, // odd differences lose their half
        {{10, 20, 610, 420}, 610 - 648, 420 - 526},                  // larger: meets the right and bottom edges
        {{50, 300, 1050, 700}, 50 + 176, 700 - 526},                 // too tall only, off the origin
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.area.left << "," << c.area.top << " " << c.area.right);
        headless::reset();
        headless::set_work_area(c.area);
        platform::Window* window = platform::window_create(nullptr);
        platform::window_set_client_size(window, 0, 0);
        const RECT frame = platform::window_rect(window);
        platform::window_set_client_size(window, 648 - (frame.right - frame.left), 526 - (frame.bottom - frame.top));
        EXPECT_FALSE(headless::window_visible());
        window_centre(window);
        EXPECT_TRUE(headless::window_visible());
        const RECT placed = platform::window_rect(window);
        EXPECT_EQ(std::tuple(placed.left, placed.top, placed.right, placed.bottom),
                  std::tuple(c.x, c.y, c.x + 648, c.y + 526));
        platform::window_destroy(window);
    }
}

std::vector<std::string> argv_of(const platform::VolumeCommand& command)
{
    std::vector<std::string> argv;
    for (const char* arg : command.argv)
        if (arg) argv.emplace_back(arg);
    return argv;
}

TEST(VolumeControl, TriesEachInOrderAndStopsAtTheFirstThatStarts)
{
    const auto commands = platform::volume_control_commands();
    ASSERT_GE(commands.size(), 3u);

    // (None starting, each tried, is the menu command's test.)
    headless::reset();
    headless::set_launchable(commands[2].argv[0]);
    headless::set_launchable(commands.back().argv[0]);
    EXPECT_EQ(open_volume_control(nullptr), 1);
    ASSERT_EQ(headless::launches().size(), 3u);
    EXPECT_EQ(headless::launches()[2], argv_of(commands[2]));

    headless::set_launchable(commands[0].argv[0]);
    EXPECT_EQ(open_volume_control(nullptr), 1);
    EXPECT_EQ(headless::launches().size(), 3u) << "one is still open: no other starts";
    headless::end_launched();
    EXPECT_EQ(open_volume_control(nullptr), 1);
    EXPECT_EQ(headless::launches().back(), argv_of(commands[0]));
}

} // namespace
