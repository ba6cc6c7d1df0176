#include "platform/sdl/sdl_view.h"

#include <algorithm>
#include <cmath>

namespace {

Settings remembered;       // what the settings file holds
int scale = 0;             // the window's scale; 0 until the window is sized
bool scale_asked = false;  // the command line named the scale: it is kept even where it does not fit
bool scale_fitted = false; // no scale was asked for: the largest that fits
bool want_fullscreen = false;
bool fullscreen = false;
int picture_width = 640;
int picture_height = 480;
SDL_Rect windowed{};          // the window's client area before it went fullscreen
bool windowed_framed = false; // and whether it had a frame then

struct Borders {
    int top = 0, left = 0, bottom = 0, right = 0;
};

Borders borders_of(SDL_Window* window)
{
    Borders b;
    if (SDL_GetWindowBordersSize(window, &b.top, &b.left, &b.bottom, &b.right) != 0) b = Borders{};
    return b;
}

SDL_Rect work_area_of(SDL_Window* window)
{
    SDL_Rect r{0, 0, picture_width, picture_height};
    const int display = std::max(0, SDL_GetWindowDisplayIndex(window));
    if (SDL_GetDisplayUsableBounds(display, &r) != 0) SDL_GetDisplayBounds(display, &r);
    return r;
}

// On a desktop with a scale factor the window is measured in points, the
// picture in the screen's own pixels.
double pixels_per_point(SDL_Window* window)
{
    int w = 0, h = 0, pw = 0, ph = 0;
    SDL_GetWindowSize(window, &w, &h);
    SDL_GetWindowSizeInPixels(window, &pw, &ph);
    return w > 0 && pw > 0 ? double(pw) / w : 1.0;
}

// The client size, in points, whose pixels hold the picture at s.
SDL_Point client_size(SDL_Window* window, int s)
{
    const double density = pixels_per_point(window);
    return SDL_Point{int(std::ceil(picture_width * s / density)), int(std::ceil(picture_height * s / density))};
}

int fitting_scale(SDL_Window* window)
{
    const SDL_Rect work = work_area_of(window);
    const Borders b = borders_of(window);
    for (int s = SCALE_MAX; s > SCALE_MIN; --s) {
        const SDL_Point c = client_size(window, s);
        if (c.x + b.left + b.right <= work.w && c.y + b.top + b.bottom <= work.h) return s;
    }
    return SCALE_MIN;
}

// Gives the client area a new size around the centre (cx, cy), then keeps
// the framed window inside the work area as the first centring does: left
// and top first, then right and bottom.
void resize_around(SDL_Window* window, SDL_Point size, int cx, int cy)
{
    const SDL_Rect work = work_area_of(window);
    const Borders b = borders_of(window);
    int x = cx - size.x / 2;
    int y = cy - size.y / 2;
    if (x - b.left < work.x) x = work.x + b.left;
    if (y - b.top < work.y) y = work.y + b.top;
    if (x + size.x + b.right > work.x + work.w) x = work.x + work.w - size.x - b.right;
    if (y + size.y + b.bottom > work.y + work.h) y = work.y + work.h - size.y - b.bottom;
    SDL_SetWindowSize(window, size.x, size.y);
    SDL_SetWindowPosition(window, x, y);
}

// The framed window moved, keeping its size, just enough to lie inside the
// work area, where it fits there: window managers learn the frame only
// once the window is shown, so centring may have left its title bar out.
void keep_inside(SDL_Window* window)
{
    int x = 0, y = 0, w = 0, h = 0;
    SDL_GetWindowPosition(window, &x, &y);
    SDL_GetWindowSize(window, &w, &h);
    const SDL_Rect work = work_area_of(window);
    const Borders b = borders_of(window);
    if (w + b.left + b.right > work.w || h + b.top + b.bottom > work.h) return;
    const int inside_x = std::clamp(x, work.x + b.left, work.x + work.w - w - b.right);
    const int inside_y = std::clamp(y, work.y + b.top, work.y + work.h - h - b.bottom);
    if (inside_x != x || inside_y != y) SDL_SetWindowPosition(window, inside_x, inside_y);
}

void resize_in_place(SDL_Window* window)
{
    int x = 0, y = 0, w = 0, h = 0;
    SDL_GetWindowPosition(window, &x, &y);
    SDL_GetWindowSize(window, &w, &h);
    resize_around(window, client_size(window, scale), x + w / 2, y + h / 2);
}

bool framed(SDL_Window* window)
{
    const Borders b = borders_of(window);
    return b.top || b.left || b.bottom || b.right;
}

// How long a window waits for its frame to be told, in steps.
constexpr int FRAME_WAIT_STEPS = 20;
constexpr Uint32 FRAME_WAIT_STEP_MS = 10;

void set_fullscreen(SDL_Window* window, bool on)
{
    if (on == fullscreen) return;
    if (on) {
        SDL_GetWindowPosition(window, &windowed.x, &windowed.y);
        SDL_GetWindowSize(window, &windowed.w, &windowed.h);
        windowed_framed = framed(window);
        if (SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) return;
        fullscreen = true;
        return;
    }
    if (SDL_SetWindowFullscreen(window, 0) != 0) return;
    fullscreen = false;
    // A fullscreen window has no frame; a place given before the window
    // manager has told the frame again would put the frame's corner where
    // the client area's was, a title bar lower.
    for (int i = 0; i < FRAME_WAIT_STEPS && windowed_framed && !framed(window); ++i) {
        SDL_Delay(FRAME_WAIT_STEP_MS);
        SDL_PumpEvents();
    }
    // Back where it was; a scale changed meanwhile keeps its centre.
    const SDL_Point size = client_size(window, scale);
    if (size.x == windowed.w && size.y == windowed.h) {
        SDL_SetWindowSize(window, windowed.w, windowed.h);
        SDL_SetWindowPosition(window, windowed.x, windowed.y);
    } else {
        resize_around(window, size, windowed.x + windowed.w / 2, windowed.y + windowed.h / 2);
    }
}

// What counts as little room for a window whose frame is not told yet:
// more than any title bar takes.
constexpr int FRAME_ALLOWANCE = 64;

enum class ViewKey { None, Fullscreen, Larger, Smaller };

ViewKey view_key(const SDL_Keysym& key)
{
    const SDL_Keycode k = key.sym;
    if (k == SDLK_F11 || ((k == SDLK_RETURN || k == SDLK_KP_ENTER) && (key.mod & KMOD_ALT))) return ViewKey::Fullscreen;
    if (!(key.mod & KMOD_CTRL)) return ViewKey::None;
    if (k == SDLK_EQUALS || k == SDLK_PLUS || k == SDLK_KP_PLUS) return ViewKey::Larger;
    if (k == SDLK_MINUS || k == SDLK_KP_MINUS) return ViewKey::Smaller;
    return ViewKey::None;
}

// True when the window fits the work area by less than a frame could take.
bool tight(SDL_Window* window)
{
    const SDL_Rect work = work_area_of(window);
    const SDL_Point c = client_size(window, scale);
    return work.w - c.x < FRAME_ALLOWANCE || work.h - c.y < FRAME_ALLOWANCE;
}

} // namespace

void sdl_view_configure(const Options& options, const Settings& settings)
{
    remembered = settings;
    scale_asked = options.scale != 0;
    scale = options.scale ? options.scale : settings.scale;
    want_fullscreen = options.fullscreen >= 0 ? options.fullscreen == 1 : settings.fullscreen;
    fullscreen = false;
}

Uint32 sdl_view_window_flags()
{
    return SDL_WINDOW_ALLOW_HIGHDPI;
}

void sdl_view_size_window(SDL_Window* window, int width, int height)
{
    picture_width = std::max(1, width);
    picture_height = std::max(1, height);
    scale_fitted = scale == 0 || scale_fitted;
    // A remembered scale that no longer fits (a smaller screen today) gives
    // way to the largest that does; the file keeps it until the player
    // picks another.
    if (scale_fitted || !scale_asked)
        scale = scale_fitted ? fitting_scale(window) : std::min(scale, fitting_scale(window));
    const SDL_Point size = client_size(window, scale);
    SDL_SetWindowSize(window, size.x, size.y);
}

// Window managers tell the frame only once the window is mapped, and
// sometimes a moment later: where the frame could decide the scale, the
// window waits a little for it (SDL keeps the events meanwhile).
void sdl_view_shown(SDL_Window* window)
{
    if (!scale_asked && !fullscreen) {
        for (int i = 0; i < FRAME_WAIT_STEPS && tight(window) && !framed(window); ++i) {
            SDL_Delay(FRAME_WAIT_STEP_MS);
            SDL_PumpEvents();
        }
        const int fits = fitting_scale(window);
        if (fits < scale) {
            scale = fits;
            resize_in_place(window);
        }
    }
    if (!fullscreen) keep_inside(window);
    if (want_fullscreen) set_fullscreen(window, true);
    want_fullscreen = false;
}

// Both the press and the release are taken, so the game never sees half
// of the key; a held key does not repeat the change.
bool sdl_view_key(SDL_Window* window, const SDL_KeyboardEvent& key)
{
    const ViewKey what = view_key(key.keysym);
    if (what == ViewKey::None) return false;
    if (key.type != SDL_KEYDOWN || key.repeat || !window) return true;
    if (what == ViewKey::Fullscreen) {
        set_fullscreen(window, !fullscreen);
        remembered.fullscreen = fullscreen;
    } else {
        // Fullscreen shows the largest scale anyway: the window's stays.
        if (fullscreen) return true;
        // Larger stops at the largest scale whose window fits the work area.
        const int largest = std::max(scale, fitting_scale(window));
        const int next = std::clamp(scale + (what == ViewKey::Larger ? 1 : -1), SCALE_MIN, largest);
        if (next == scale && remembered.scale == scale) return true;
        scale = next;
        scale_fitted = false;
        remembered.scale = scale;
        if (!fullscreen) resize_in_place(window);
    }
    settings_save(remembered);
    return true;
}

SDL_Rect sdl_view_place(int ow, int oh, int pw, int ph)
{
    if (pw <= 0 || ph <= 0) return SDL_Rect{0, 0, 0, 0};
    const int s = std::max(1, std::min(ow / pw, oh / ph));
    const int w = pw * s, h = ph * s;
    return SDL_Rect{std::max(0, (ow - w) / 2), std::max(0, (oh - h) / 2), w, h};
}
