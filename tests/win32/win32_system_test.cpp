// The Win32 system services that only a real Windows (or Wine) can show
// and the end-to-end run does not: the folder a program runs from, where
// the picture goes on desktops of several monitors, and the scale of a
// monitor's DPI.
#include "platform/win32/win32_platform.h"

#include "platform/win32/win32_display.h"

#include "platform/files.h"
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

// The whole scale of a monitor's DPI, lowered until the picture fits its
// work area: dpi, work area, scale.
TEST(Win32Scale, TheLargestWholeScaleOfTheDpiThatFits)
{
    for (const auto& [dpi, w, h, scale] : {std::tuple(144u, 5000, 5000, 1),
                                           {192u, 5000, 5000, 2},
                                           {288u, 5000, 5000, 3},
                                           {192u, 1280, 5000, 1},
                                           {288u, 5000, 1440, 2},
                                           {72u, 600, 400, 1}})
        EXPECT_EQ(win32_scale_for(dpi, w, h, 640, 480), scale) << dpi << " dpi, " << w << "x" << h;
}

} // namespace
