// Until the game itself lands, a frame shows the stage background and
// nothing moves.
#include "game/scene.h"

#include "gfx/blit.h"

namespace {

constexpr int BACKGROUND_SLOT = 5;

} // namespace

void step_scene(const ButtonState&)
{
    blit_clipped(screen_clip, 0, 0, RECT{0, 0, 640, 480}, BACKGROUND_SLOT);
}

void reset_game()
{
}
