// The resources: the table built into the executable holds exactly the
// files quobbin.rc lists, found by name and type in any case, and every
// picture has the size and depth its slot is drawn with. Loading the list at
// the start of the game puts every picture into its slot, a missing one ends
// the loading, and a font file in the working directory takes the font's
// place. (The start-up tests load the real ones through the same code.)
#include "app/frame_loop.h"
#include "app/resource_list.h"
#include "platform/embedded_resources.h"
#include "support/bmp.h"
#include "support/engine.h"
#include "support/waves.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

uint32_t le(const std::span<const uint8_t> b, size_t at, int bytes)
{
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + size_t(i)];
    return v;
}

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
        ASSERT_EQ(got.size(), want.size()) << name;
        EXPECT_TRUE(std::equal(got.begin(), got.end(), want.begin())) << name;
    }
    EXPECT_EQ(size_t(listed), platform::embedded_resources().size());
    EXPECT_EQ(platform::embedded_resource_find("bmp_back1", "bitmap").size(),
              platform::embedded_resource_find("BMP_BACK1", "BITMAP").size());
    EXPECT_TRUE(platform::embedded_resource_find("BMP_BACK1", "WAVE").empty()) << "the type counts";
    EXPECT_TRUE(platform::embedded_resource_find("BMP_BACK", "BITMAP").empty()) << "no prefix match";
}

TEST(RealResources, EveryPictureHasItsSizeAndDepth)
{
    const struct {
        const char* name;
        int width;
        int height;
        int bits;
    } pictures[] = {
        {"BMP_AZARASHI", 584, 280, 8}, {"BMP_AME", 584, 192, 8},    {"BMP_CHAINE", 48, 168, 8},
        {"BMP_DART", 56, 72, 8},       {"BMP_TEXT", 240, 88, 4},    {"BMP_CHARACTOR", 80, 80, 4},
        {"BMP_ESCAPE", 80, 24, 4},     {"BMP_TITLE1", 488, 88, 4},  {"BMP_TITLE2", 320, 80, 4},
        {"BMP_BACK1", 640, 480, 24},   {"BMP_BACK2", 640, 480, 24}, {"BMP_BACK3", 640, 480, 24},
        {"BMP_ROGO", 200, 40, 4},      {"BMP_BLOOD1", 64, 16, 4},   {"BMP_BLOOD2", 64, 16, 4},
    };
    for (const auto& p : pictures) {
        SCOPED_TRACE(p.name);
        const auto b = platform::embedded_resource_find(p.name, "BITMAP");
        ASSERT_GE(b.size(), 54u);
        EXPECT_EQ(int32_t(le(b, 18, 4)), p.width);
        EXPECT_EQ(int32_t(le(b, 22, 4)), p.height);
        EXPECT_EQ(int(le(b, 28, 2)), p.bits);
    }
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
    const ScratchDir scratch("font");
    write_file(FONT_FILE, make_solid_bmp(80, 80, 0x00FF00));
    EXPECT_EQ(run_game(), 1) << "the game starts with the file's font";
    EXPECT_EQ(surface_slot(FONT_SLOT).flags, SLOT_FROM_FILE);
    EXPECT_EQ(headless::pixel(surface_slot(FONT_SLOT).surface, 5, 5), 0x00FF00u);
    EXPECT_NE(surface_slot(SURFACE_DROPS_LOVE).surface, nullptr) << "and the rest of the list still loads";
}

} // namespace
