#include "app/startup_logo.h"

#include "gfx/blit.h"
#include "gfx/display.h"
#include "gfx/surfaces.h"

void draw_startup_logo()
{
    const uint32_t light = native_colour(LOGO_LIGHT);
    const uint32_t blue = native_colour(LOGO_BLUE);
    const uint32_t black = native_colour(0);
    surface_create_blank(LOGO_RECT.right - LOGO_RECT.left, LOGO_RECT.bottom - LOGO_RECT.top, LOGO_SLOT, false);
    fill_rect(screen_clip, black);
    fill_surface(&LOGO_RECT, black, LOGO_SLOT);
    for (const RECT& r : LOGO_STROKES) {
        const RECT glow{r.left - LOGO_GLOW, r.top, r.right + LOGO_GLOW, r.bottom};
        fill_surface(&glow, blue, LOGO_SLOT);
    }
    for (const RECT& r : LOGO_STROKES) fill_surface(&r, light, LOGO_SLOT);
    blit_clipped(screen_clip, screen_clip.right / 2 - LOGO_RECT.right / 2,
                 screen_clip.bottom / 2 - LOGO_RECT.bottom / 2, LOGO_RECT, LOGO_SLOT);
    display_present();
}
