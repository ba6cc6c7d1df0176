// The 64 slots: loading, reloading, releasing, paths, and the repair of
// lost surfaces after a present.
#include "support/allocation.h"
#include "support/bmp.h"
#include "support/engine.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

constexpr uint32_t RED = 0xFF0000;
constexpr uint32_t GREEN = 0x00FF00;
constexpr uint32_t BLUE = 0x0000FF;

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
    EXPECT_STREQ(surface_slot(3).name, "red") << "the name as the caller gave it";
    EXPECT_FALSE(surface_load("BLUE_LARGE", 3, false, true));
    EXPECT_FALSE(surface_create_blank(8, 8, 3, false));
    EXPECT_EQ(surface_slot(3).width, 16) << "the occupied slot is left alone";
    EXPECT_EQ(surface_slot(3).flags, 0u);
    EXPECT_EQ(slot_pixel(3, 0, 0), RED);

    EXPECT_FALSE(surface_load("RED", -1, false, false));
    EXPECT_FALSE(surface_load("RED", 64, false, false));
    EXPECT_FALSE(surface_load("NO_SUCH_PICTURE", 4, false, false));
    EXPECT_FALSE(surface_reload("RED", 64, false));
    EXPECT_FALSE(surface_create_blank(8, 8, 64, false));
    surface_release(-1);
    surface_release(64);
    for (int id = 0; id <= SURFACE_SLOT_COUNT; ++id) {
        if (id == 3) continue;
        EXPECT_EQ(surface_slot(id).surface, nullptr) << id << ": out of range reads as free";
    }

    // Released (twice is harmless), the slot is free and can be loaded again.
    surface_release(3);
    surface_release(3);
    EXPECT_EQ(surface_slot(3).surface, nullptr);
    EXPECT_EQ(surface_slot(3).name, nullptr);
    EXPECT_EQ(headless::live_surfaces(), 2) << "only the display's own";
    EXPECT_TRUE(surface_load("GREEN_SMALL", 3, false, false));
}

TEST_F(Slots, ReloadKeepsTheSurfaceAndItsSize)
{
    EXPECT_FALSE(surface_reload("RED", 5, false)) << "a free slot cannot be reloaded";
    ASSERT_TRUE(surface_load("RED", 5, false, false));
    platform::Surface* before = surface_slot(5).surface;
    ASSERT_TRUE(surface_reload("GREEN_SMALL", 5, false));
    EXPECT_EQ(surface_slot(5).surface, before);
    EXPECT_EQ(surface_slot(5).width, 16);
    EXPECT_EQ(surface_slot(5).height, 8);
    EXPECT_STREQ(surface_slot(5).name, "GREEN_SMALL");
    EXPECT_EQ(slot_pixel(5, 3, 3), GREEN) << "the smaller picture covers the top-left";
    EXPECT_EQ(slot_pixel(5, 4, 4), RED) << "the rest stays";
    ASSERT_TRUE(surface_reload("BLUE_LARGE", 5, false));
    EXPECT_EQ(slot_pixel(5, 15, 7), BLUE) << "the larger picture is cut at the edge";
    EXPECT_EQ(surface_slot(5).width, 16);
    EXPECT_FALSE(surface_reload("NO_SUCH_PICTURE", 5, false));
    EXPECT_STREQ(surface_slot(5).name, "BLUE_LARGE");
}

TEST_F(Slots, FilesAreReadFromTheWorkingDirectoryAndAgainAfterALoss)
{
    const auto dir = std::filesystem::temp_directory_path() / ("quobbin-slots-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto old = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    write_file("picture.bmp", make_solid_bmp(6, 6, GREEN));
    EXPECT_TRUE(surface_load("picture.bmp", 9, true, false));
    EXPECT_EQ(surface_slot(9).flags, SLOT_FROM_FILE);
    EXPECT_EQ(slot_pixel(9, 5, 5), GREEN);
    EXPECT_FALSE(surface_load("missing.bmp", 10, true, false));
    // A reload from a resource drops the file flag; from a file it sets it.
    EXPECT_TRUE(surface_reload("RED", 9, false));
    EXPECT_EQ(surface_slot(9).flags, 0u);
    EXPECT_TRUE(surface_reload("picture.bmp", 9, true));
    EXPECT_EQ(surface_slot(9).flags, SLOT_FROM_FILE);
    // A path longer than the platform's limit is refused, not cut short.
    EXPECT_FALSE(surface_load(std::string(300, 'x').c_str(), 11, true, false));
    // Lost, the slot reads its file again.
    write_file("picture.bmp", make_solid_bmp(6, 6, RED));
    headless::mark_lost(surface_slot(9).surface);
    EXPECT_EQ(display_restore_lost(), 1);
    EXPECT_EQ(slot_pixel(9, 0, 0), RED);
    std::filesystem::current_path(old);
    std::filesystem::remove_all(dir);
}

TEST_F(Slots, NoMemoryForTheNameReleasesTheSlotAndFails)
{
    // The copy of the name is the last thing a load or a reload allocates:
    // count what one takes, then let every allocation but that last succeed.
    ASSERT_TRUE(surface_load("RED", 13, false, false));
    for (const int slot : {12, 13}) { // a load into a free slot, a reload of a full one
        SCOPED_TRACE(slot);
        const auto attempt = [slot] {
            return slot == 12 ? surface_load("RED", 12, false, false) : surface_reload("GREEN_SMALL", 13, false);
        };
        const uint64_t before = allocation_count();
        ASSERT_TRUE(attempt());
        const int allocations = int(allocation_count() - before);
        ASSERT_GE(allocations, 2);
        surface_release(12);
        fail_allocations_after(allocations - 1);
        const int result = attempt();
        fail_allocations_after(-1);
        EXPECT_EQ(result, 0);
        EXPECT_EQ(surface_slot(slot).surface, nullptr) << "released, not left without a name";
    }
}

TEST_F(Slots, LostSlotsComeBackAfterThePresent)
{
    ASSERT_TRUE(surface_load("RED", 5, false, false));
    ASSERT_TRUE(surface_create_blank(8, 8, 0, false));
    fill_surface(nullptr, GREEN, 0);
    ASSERT_TRUE(surface_create_blank(8, 8, 40, true));
    fill_surface(nullptr, GREEN, 40);
    ASSERT_TRUE(surface_load("BLUE_LARGE", 41, false, true));
    for (int id : {0, 5, 40, 41}) headless::mark_lost(surface_slot(id).surface);
    headless::mark_lost(display_primary());

    // While lost, drawing from a slot draws nothing.
    fill_rect(screen_clip, 0);
    blit(0, 0, RECT{0, 0, 16, 8}, 5);
    EXPECT_EQ(back_pixel(0, 0), 0u);

    display_present();
    EXPECT_EQ(slot_pixel(5, 0, 0), RED) << "a named slot gets its picture back";
    EXPECT_EQ(slot_pixel(0, 7, 7), 0u) << "a blank slot comes back black";
    EXPECT_NE(slot_pixel(40, 0, 0), GREEN) << "system memory is restored, not refilled";
    EXPECT_NE(slot_pixel(41, 0, 0), BLUE);
    for (int id : {0, 5, 40, 41}) EXPECT_FALSE(platform::surface_is_lost(surface_slot(id).surface));
    EXPECT_EQ(display_restore_lost(), 0);

    // The back buffer lost alone is restored, leaving the slots alone.
    headless::mark_lost(display_back_buffer());
    EXPECT_EQ(display_restore_lost(), 1);
    EXPECT_FALSE(platform::surface_is_lost(display_back_buffer()));
    EXPECT_EQ(slot_pixel(5, 0, 0), RED);
}

TEST_F(Slots, PresentBeforeSurfacesOrAfterShutdownDrawsNothing)
{
    display_shutdown(window);
    EXPECT_EQ(display_present(), 0);
    EXPECT_EQ(display_restore_lost(), 0);
    ASSERT_TRUE(display_init(window, ""));
    EXPECT_EQ(display_present(), 0);
    ASSERT_TRUE(display_create_surfaces(window, 640, 480, 1));
    EXPECT_EQ(display_present(), 1);
}

} // namespace
