// Frames allocate nothing: a thousand frames of the real loop, playing and
// paused, without a single call to operator new.
#include "app/frame_loop.h"
#include "app/resource_list.h"
#include "gfx/surfaces.h"
#include "support/allocation.h"
#include "support/engine.h"

namespace {

using Allocation = EngineTest;

void player(void*)
{
    const uint64_t f = headless::present_count();
    if (f == 300) headless::key_down(VK_ESCAPE); // some frames on the pause screen
    if (f == 400) headless::key_down(VK_F1);
    if (f == 402) {
        headless::key_up(VK_F1);
        headless::key_up(VK_ESCAPE);
    }
    if (f == 600) headless::key_down('1');
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
    headless::on_present(player, nullptr);
    const uint64_t before = allocation_count();
    EXPECT_EQ(run_scene_loop(), 0);
    EXPECT_EQ(allocation_count() - before, 0u);
    EXPECT_EQ(headless::present_count(), 1000u);
}

} // namespace
