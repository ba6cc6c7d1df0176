// The resources: the one reader of quobbin.rc takes exactly the resource
// lines and the files they name, the table built into the executable holds
// exactly what it read, and lookups go by name and type in any case.
// Loading the list at the start of the game puts every picture into its
// slot, a missing one ends the loading, and a font file in the working
// directory takes the font's place. (The start-up tests load the real ones
// through the same code.)
#include "app/frame_loop.h"
#include "app/resource_list.h"
#include "platform/embedded_resources.h"
#include "resource_script.h"
#include "support/bmp.h"
#include "support/engine.h"
#include "support/waves.h"

#include <fstream>
#include <string>
#include <vector>

namespace {

using platform::resource_table_find;

Bytes bytes_of(std::span<const uint8_t> span)
{
    return Bytes(span.begin(), span.end());
}

TEST(ResourceScript, TakesOnlyResourceLinesAndNamesWhatIsMissing)
{
    const ScratchDir scratch("script");
    write_file("a.bmp", {1, 2, 3});
    std::filesystem::create_directory("sub");
    write_file("sub/b.wav", {4, 5});
    write_file("empty.wav", {});
    const struct {
        const char* line;
        const char* name; // null: not a resource
        const char* type;
    } lines[] = {
        {"BMP_A BITMAP \"a.bmp\"", "BMP_A", "BITMAP"},
        {"\"0\" ICON \"a.bmp\"", "0", "ICON"},
        {"  WAVE_B   WAVE\t\"sub/b.wav\"\r", "WAVE_B", "WAVE"},
        {"// BMP_C BITMAP \"a.bmp\"", nullptr, nullptr},
        {"#include \"a.bmp\"", nullptr, nullptr},
        {"BMP_D BITMAP a.bmp", nullptr, nullptr},
        {"BMP_E BITMAP \"a.bmp\" 1", nullptr, nullptr},
        {"MENUITEM \"Reset\", 40011", nullptr, nullptr},
        {"VALUE \"CompanyName\", \"a.bmp\"", nullptr, nullptr},
        {"LTEXT \"-\", 1003, 7, 7, 49, 14, SS_CENTERIMAGE", nullptr, nullptr},
        {"WAVE_GONE WAVE \"gone.wav\"", nullptr, nullptr},
        {"WAVE_EMPTY WAVE \"empty.wav\"", nullptr, nullptr},
    };
    std::ofstream script("test.rc");
    for (const auto& l : lines) script << l.line << "\n";
    script.close();

    platform::ResourceStore store;
    std::vector<std::string> missing;
    ASSERT_TRUE(resource_script_load((scratch.path / "test.rc").string(), &store, &missing));
    std::vector<std::string> read;
    for (const platform::Resource& r : store.table) read.push_back(std::string(r.name) + " " + r.type);
    std::vector<std::string> want;
    for (const auto& l : lines)
        if (l.name) want.push_back(std::string(l.name) + " " + l.type);
    EXPECT_EQ(read, want);
    EXPECT_EQ(bytes_of(resource_table_find(store.table, "wave_b", "wave")), (Bytes{4, 5}));
    ASSERT_EQ(missing.size(), 2u);
    EXPECT_NE(missing[0].find("gone.wav"), std::string::npos);
    EXPECT_NE(missing[1].find("empty.wav"), std::string::npos);
    EXPECT_FALSE(resource_script_load((scratch.path / "none.rc").string(), &store, &missing));
}

TEST(RealResources, TheTableHoldsEveryListedFile)
{
    platform::ResourceStore listed;
    std::vector<std::string> missing;
    ASSERT_TRUE(resource_script_load(std::string(QUOBBIN_RES_DIR) + "/quobbin.rc", &listed, &missing));
    EXPECT_TRUE(missing.empty());
    const auto built_in = platform::embedded_resources();
    EXPECT_EQ(listed.table.size(), built_in.size());
    for (const platform::Resource& r : listed.table)
        EXPECT_TRUE(bytes_of(resource_table_find(built_in, r.name, r.type)) == bytes_of(r.bytes)) << r.name;
    EXPECT_EQ(resource_table_find(built_in, "bmp_back1", "bitmap").size(),
              resource_table_find(built_in, "BMP_BACK1", "BITMAP").size());
    EXPECT_TRUE(resource_table_find(built_in, "BMP_BACK1", "WAVE").empty()) << "the type counts";
    EXPECT_TRUE(resource_table_find(built_in, "BMP_BACK", "BITMAP").empty()) << "no prefix match";
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
