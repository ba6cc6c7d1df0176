// Frames allocate nothing: a stage of the real game in the real loop,
// played and paused, without a single call to operator new. (Only the
// background swap between stages reloads a picture.)
#include "app/frame_loop.h"
#include "app/resource_list.h"
#include "game/scene.h"
#include "gfx/surfaces.h"
#include "support/allocation.h"
#include "support/engine.h"

namespace {

using Allocation = EngineTest;

uint64_t counted_from = 0;

void player(void*)
{
    const uint64_t f = headless::present_count();
    if (f == 30) headless::key_down(VK_SPACE); // a new game: its background loads
    if (f == 32) headless::key_up(VK_SPACE);
    if (f == 100) counted_from = allocation_count();
    if (f == 300) headless::key_down(VK_ESCAPE); // some frames on the pause screen
    if (f == 400) headless::key_down(VK_F1);
    if (f == 402) {
        headless::key_up(VK_F1);
        headless::key_up(VK_ESCAPE);
    }
    if (f == 600) headless::key_down('1');
    if (f == 700) headless::key_down('2');
    if (f == 1000) headless::post(WM_CLOSE);
}

TEST_F(Allocation, AThousandFramesAllocateNothing)
{
    register_all_bitmaps();
    for (const ResourceEntry& e : RESOURCE_LIST) {
        if (e.kind == ResourceKind::Bitmap) {
            ASSERT_TRUE(surface_load(e.name, e.slot, false, false));
        }
    }
    reset_game();
    headless::on_present(player, nullptr);
    EXPECT_EQ(run_scene_loop(), 0);
    EXPECT_EQ(scene_get(), SCENE_PLAY);
    EXPECT_EQ(allocation_count() - counted_from, 0u);
    EXPECT_EQ(headless::present_count(), 1000u);
}

} // namespace
