// The resources: the one reader of quobbin.rc takes exactly the resource
// lines and the files they name, and lookups go by name and type in any
// case. At the start of the game a font file in the working directory takes
// the font's place, and a missing picture ends the loading. (The table built
// into the executable is what the start-up tests and the golden frames run on.)
#include "app/frame_loop.h"
#include "app/resource_list.h"
#include "resource_script.h"
#include "support/bmp.h"
#include "support/engine.h"
#include "support/waves.h"

#include <fstream>
#include <string>
#include <vector>

namespace {

using platform::resource_table_find;

// (A line taken that is no resource names a file that is not there, and a
// missing file stops the build; the real lines are every test's resources.)
TEST(ResourceScript, TakesOnlyResourceLinesAndNamesWhatIsMissing)
{
    const ScratchDir scratch("script");
    write_file("b.wav", {4, 5});
    std::ofstream("test.rc") << "  WAVE_B   WAVE\t\"b.wav\"\r\n// BMP_C BITMAP \"b.wav\"\nBMP_E BITMAP \"b.wav\" 1\n"
                                "BMP_D BITMAP b.wav\nWAVE_GONE WAVE \"gone.wav\"\n";
    platform::ResourceStore store;
    std::vector<std::string> missing;
    ASSERT_TRUE(resource_script_load((scratch.path / "test.rc").string(), &store, &missing));
    ASSERT_EQ(store.table.size(), 1u);
    const std::span<const uint8_t> b = resource_table_find(store.table, "wave_b", "wave");
    EXPECT_EQ(Bytes(b.begin(), b.end()), (Bytes{4, 5}));
    EXPECT_TRUE(resource_table_find(store.table, "WAVE_B", "BITMAP").empty()) << "the type counts";
    EXPECT_TRUE(resource_table_find(store.table, "WAVE_", "WAVE").empty()) << "no prefix match";
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_NE(missing[0].find("gone.wav"), std::string::npos);
    EXPECT_FALSE(resource_script_load((scratch.path / "none.rc").string(), &store, &missing));
}

TEST_F(EngineTest, AFontFileTakesTheFontsPlaceAndAMissingPictureStopsTheWalkAndTheGame)
{
    const ScratchDir scratch("font");
    write_file(FONT_FILE, make_solid_bmp(80, 80, 0x00FF00));
    register_all_bitmaps();
    each_present([](uint64_t) { headless::post(WM_CLOSE); }); // should it run, one frame
    headless::register_resource("BMP_TEXT", "BITMAP", {});
    EXPECT_EQ(run_game(), 0);
    EXPECT_NE(surface_slot(SURFACE_DART).surface, nullptr) << "loaded before the text sheet";
    EXPECT_EQ(surface_slot(SURFACE_TEXT).surface, nullptr);
    EXPECT_EQ(headless::pixel(surface_slot(FONT_SLOT).surface, 5, 5), 0x00FF00u) << "the font from the file";
    EXPECT_EQ(surface_slot(SURFACE_DROPS_LOVE).surface, nullptr) << "nothing after it is loaded";
    EXPECT_EQ(headless::present_count(), 0u) << "the game never ran";
}

} // namespace
