// Loading the resource list at the start of the game: every picture into
// its slot, a missing one ends the loading, and a font file in the working
// directory takes the font's place.
#include "app/frame_loop.h"
#include "app/resource_list.h"
#include "gfx/surfaces.h"
#include "support/bmp.h"
#include "support/engine.h"

#include <filesystem>
#include <string>

namespace {

class ResourceWalk : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        register_all_bitmaps();
        // Leave the first frame's wait at once.
        each_present([](uint64_t) { headless::post(WM_CLOSE); });
    }
};

TEST_F(ResourceWalk, EveryPictureLandsInItsSlotAndTheGameRuns)
{
    EXPECT_EQ(run_game(), 1);
    for (const ResourceEntry& e : RESOURCE_LIST) {
        if (e.kind != ResourceKind::Bitmap) continue;
        const SurfaceSlot& slot = surface_slot(e.slot);
        ASSERT_NE(slot.surface, nullptr) << e.name;
        EXPECT_STREQ(slot.name, e.name);
        EXPECT_EQ(headless::pixel(slot.surface, 5, 5), slot_colour(e.slot)) << e.name;
    }
    for (int id = SURFACE_DROPS_LOVE + 1; id < SURFACE_SLOT_COUNT; ++id) EXPECT_EQ(surface_slot(id).surface, nullptr);
    EXPECT_EQ(headless::present_count(), 1u);
}

TEST_F(ResourceWalk, AMissingPictureStopsTheWalkAndTheGame)
{
    headless::register_resource("BMP_TEXT", "BITMAP", {});
    EXPECT_EQ(run_game(), 0);
    EXPECT_NE(surface_slot(SURFACE_DART).surface, nullptr) << "loaded before the text sheet";
    EXPECT_EQ(surface_slot(SURFACE_TEXT).surface, nullptr);
    EXPECT_EQ(surface_slot(SURFACE_MAKER).surface, nullptr) << "nothing after it is loaded";
    EXPECT_EQ(surface_slot(SURFACE_DROPS_LOVE).surface, nullptr);
    EXPECT_EQ(headless::present_count(), 0u) << "the game never ran";
}

TEST_F(ResourceWalk, AFontFileInTheWorkingDirectoryIsUsed)
{
    const auto dir = std::filesystem::temp_directory_path() / ("quobbin-font-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto old = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    write_file(FONT_FILE, make_solid_bmp(80, 80, 0x00FF00));
    const int result = run_game();
    std::filesystem::current_path(old);
    std::filesystem::remove_all(dir);

    EXPECT_EQ(result, 1) << "the game starts with the file's font";
    EXPECT_EQ(surface_slot(FONT_SLOT).flags, SLOT_FROM_FILE);
    EXPECT_EQ(headless::pixel(surface_slot(FONT_SLOT).surface, 5, 5), 0x00FF00u);
    EXPECT_NE(surface_slot(SURFACE_DROPS_LOVE).surface, nullptr) << "and the rest of the list still loads";
}

} // namespace
