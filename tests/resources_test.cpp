// The resources: the table built into the executable holds exactly the
// files quobbin.rc lists, found by name and type in any case. Loading the
// list at the start of the game puts every picture into its slot, a
// missing one ends the loading, and a font file in the working directory
// takes the font's place. (The start-up tests load the real ones through
// the same code.)
#include "app/frame_loop.h"
#include "app/resource_list.h"
#include "platform/embedded_resources.h"
#include "support/bmp.h"
#include "support/engine.h"
#include "support/waves.h"

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

TEST(RealResources, TheTableHoldsEveryListedFile)
{
    std::ifstream rc(std::string(QUOBBIN_RES_DIR) + "/quobbin.rc");
    std::string line;
    int listed = 0;
    while (std::getline(rc, line)) {
        // A resource line is NAME TYPE "file", the name perhaps quoted; the
        // menu, the dialog and the version have other shapes.
        std::istringstream words(line);
        std::string name, type, file, more;
        if (!(words >> name >> type >> file) || (words >> more) || file.size() < 3 || file.front() != '"') continue;
        if (type.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ_") != std::string::npos) continue;
        if (name.front() == '"') name = name.substr(1, name.size() - 2);
        ++listed;
        const std::vector<uint8_t> want = res_file(file.substr(1, file.size() - 2));
        const auto got = platform::embedded_resource_find(name.c_str(), type.c_str());
        EXPECT_TRUE(std::vector<uint8_t>(got.begin(), got.end()) == want) << name;
    }
    EXPECT_EQ(size_t(listed), platform::embedded_resources().size());
    EXPECT_EQ(platform::embedded_resource_find("bmp_back1", "bitmap").size(),
              platform::embedded_resource_find("BMP_BACK1", "BITMAP").size());
    EXPECT_TRUE(platform::embedded_resource_find("BMP_BACK1", "WAVE").empty()) << "the type counts";
    EXPECT_TRUE(platform::embedded_resource_find("BMP_BACK", "BITMAP").empty()) << "no prefix match";
}

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

TEST_F(ResourceWalk, EveryPictureLandsInItsSlotWithTheFontFromAFileAndTheGameRuns)
{
    const ScratchDir scratch("font");
    write_file(FONT_FILE, make_solid_bmp(80, 80, 0x00FF00));
    EXPECT_EQ(run_game(), 1);
    for (const ResourceEntry& e : RESOURCE_LIST) {
        if (e.kind != ResourceKind::Bitmap) continue;
        const SurfaceSlot& slot = surface_slot(e.slot);
        ASSERT_NE(slot.surface, nullptr) << e.name;
        EXPECT_STREQ(slot.name, e.slot == FONT_SLOT ? FONT_FILE : e.name);
        EXPECT_EQ(headless::pixel(slot.surface, 5, 5), e.slot == FONT_SLOT ? 0x00FF00u : slot_colour(e.slot)) << e.name;
    }
    EXPECT_EQ(surface_slot(FONT_SLOT).flags, SLOT_FROM_FILE);
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

} // namespace
