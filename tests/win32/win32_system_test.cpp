// The Win32 system services that only a real Windows (or Wine) can show
// and the end-to-end run does not: the folder a program runs from, the work
// area a window is centred on and the timer it holds, where the picture
// goes on desktops of several monitors, and the scale of a monitor's DPI.
#include "platform/win32/win32_platform.h"

#include "platform/win32/win32_display.h"

#include "platform/files.h"
#include "platform/system.h"
#include "sys/window_centre.h"
#include "win32_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <tuple>
#include <utility>

namespace {

TEST(Win32ExecutableDir, IsTheProgramsFolderNotTheWorkingOne)
{
    const children::Folder elsewhere("cwd");
    const std::filesystem::path old = std::filesystem::current_path();
    std::filesystem::current_path(elsewhere.path);
    char here[platform::PATH_LIMIT];
    const int found = platform::executable_dir(here, sizeof here);
    std::filesystem::current_path(old);
    ASSERT_EQ(found, 1);
    const std::string program = children::self();
    EXPECT_EQ(_stricmp(here, program.substr(0, program.find_last_of('\\')).c_str()), 0) << here;

    // It fits with its terminating zero, and not without.
    const size_t n = std::strlen(here);
    char exact[platform::PATH_LIMIT];
    EXPECT_EQ(platform::executable_dir(exact, n), 0);
    EXPECT_EQ(platform::executable_dir(exact, n + 1), 1);
    EXPECT_STREQ(exact, here);
}

// The centring arithmetic is the game's own; the work area and the window's
// place are Windows'. Windows keeps the work area the system's, Wine per
// process; either way the test puts back what it found. And Windows 10 and
// 11 give a program that asks for nothing a 15.6 ms timer, where a 1 ms
// sleep lasts 15.6 ms: the window holds a 1 ms period for as long as it
// lives.
TEST(Win32WindowCentre, LandsWhereTheWorkAreaSaysAndTheWindowHoldsAFineTimer)
{
    ::RECT saved{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &saved, 0));
    const int periods = win32_timer_periods();
    platform::Window* window = platform::window_create(nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(win32_timer_periods(), periods + 1);
    const HWND hwnd = win32_hwnd(window);
    SetWindowPos(hwnd, nullptr, 0, 0, 648, 526, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_FALSE(IsWindowVisible(hwnd));
    ::RECT area{120, 30, 1000, 740}; // panels on the left and at the top
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETWORKAREA, 0, &area, 0));
    window_centre(window);
    children::pump();
    EXPECT_TRUE(IsWindowVisible(hwnd));
    ::RECT placed{};
    GetWindowRect(hwnd, &placed);
    EXPECT_EQ(std::tuple(placed.left, placed.top, placed.right), std::tuple(120 + 116, 30 + 92, 120 + 116 + 648));
    platform::window_destroy(window);
    EXPECT_EQ(win32_timer_periods(), periods);
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &saved, 0);
}

// Where the picture goes on a desktop of several monitors (the desktop is
// their bounding box; the primary's top-left corner is 0, 0). Wine shows
// one monitor only, so the layouts are the table's.
TEST(Win32PresentCut, ShowsWhateverLiesOnAnyMonitor)
{
    const ::RECT left_of{-1920, 0, 1920, 1080}, above{0, -1080, 1920, 1080}, right_of{0, 0, 3840, 1080};
    const ::RECT one{0, 0, 1920, 1080}, whole{0, 0, 640, 480};
    const struct {
        const char* what;
        ::RECT desktop;
        POINT corner;
        ::RECT shown; // on the screen, nothing when empty
        ::RECT from;  // of the picture
    } cases[] = {
        {"on a monitor left of the primary", left_of, {-1500, 100}, {-1500, 100, -860, 580}, whole},
        {"on a monitor above it", above, {200, -900}, {200, -900, 840, -420}, whole},
        {"on a monitor right of it", right_of, {2500, 300}, {2500, 300, 3140, 780}, whole},
        {"across two monitors", left_of, {-300, 200}, {-300, 200, 340, 680}, whole},
        {"partly off the desktop's left", left_of, {-2000, 0}, {-1920, 0, -1360, 480}, {80, 0, 640, 480}},
        {"partly off its top", above, {0, -1200}, {0, -1080, 640, -720}, {0, 120, 640, 480}},
        {"partly off its bottom right", one, {1600, 900}, {1600, 900, 1920, 1080}, {0, 0, 320, 180}},
        {"wholly above it", one, {100, -1000}, {}, {}},
    };
    const auto edges = [](const ::RECT& r) { return std::tuple(r.left, r.top, r.right, r.bottom); };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ::RECT dest{c.corner.x, c.corner.y, c.corner.x + 640, c.corner.y + 480}, src = whole;
        const bool shown = c.shown.right > c.shown.left;
        ASSERT_EQ(win32_present_cut(&dest, &src, c.desktop), shown);
        if (!shown) continue;
        EXPECT_EQ(std::pair(edges(dest), edges(src)), std::pair(edges(c.shown), edges(c.from)));
    }
}

} // namespace
