// The message box on SDL: a small window of our own over the game's, the
// text in the game's own 8x8 font, one OK button, and a modal loop in the
// game thread. SDL's ready-made box is not used: on X11 it forks a child
// to show itself, and the child inherited the single-instance lock, the
// raise socket and the X connection. A game killed with the About box open
// left that child behind holding the claim, and every later start ended
// quietly as a "second copy".
#include "platform/resource.h"
#include "platform/sdl/sdl_icon.h"
#include "platform/sdl/sdl_window.h"
#include "platform/soft/soft_bitmap.h"
#include "platform/window.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

namespace {

// The font sheet: 8x8 cells, ten to a row, from the space to the tilde.
constexpr int CELL = 8;
constexpr int SHEET_COLUMNS = 10;
constexpr unsigned char FIRST_GLYPH = ' ';
constexpr unsigned char LAST_GLYPH = '~';

// The layout in font pixels; the box is drawn twice that size, or at the
// font's own size where the screen is too small for that.
constexpr int SCALE = 2;
constexpr int MAX_COLUMNS = 40; // longer lines wrap
constexpr int MAX_LINES = 12;   // the rest is only on the standard error
constexpr int PAD = 12;         // the window's edge to the text
constexpr int LINE = CELL + 2;
constexpr int GAP = 10; // the text to the button
constexpr int MIN_TEXT_WIDTH = 88;
constexpr int BUTTON_WIDTH = 36;
constexpr int BUTTON_HEIGHT = 14;
constexpr char BUTTON_LABEL[] = "OK";

struct TextLine {
    const char* start = nullptr;
    int length = 0;
};

struct BoxLayout {
    int scale = 1;
    int width = 0; // the client area, in screen pixels
    int height = 0;
    int line_count = 0;
    std::array<TextLine, MAX_LINES> lines{};
    int text_top = 0;
    SDL_Rect button{};
};

// Lines break at the text's newlines and after MAX_COLUMNS characters.
BoxLayout box_layout(const char* text, int room_width, int room_height)
{
    BoxLayout layout;
    int columns = 0;
    for (const char* at = text; layout.line_count < MAX_LINES;) {
        const int length = int(std::min(std::strcspn(at, "\n"), size_t(MAX_COLUMNS)));
        layout.lines[size_t(layout.line_count++)] = TextLine{at, length};
        columns = std::max(columns, length);
        at += length;
        if (*at == '\n') ++at;
        if (!*at) break;
    }
    const int width = 2 * PAD + std::max(MIN_TEXT_WIDTH, columns * CELL);
    const int height = 2 * PAD + layout.line_count * LINE - (LINE - CELL) + GAP + BUTTON_HEIGHT;
    layout.scale = width * SCALE <= room_width && height * SCALE <= room_height ? SCALE : 1;
    const int s = layout.scale;
    layout.width = width * s;
    layout.height = height * s;
    layout.text_top = PAD * s;
    layout.button = SDL_Rect{(width - BUTTON_WIDTH) / 2 * s, (height - PAD - BUTTON_HEIGHT) * s, BUTTON_WIDTH * s,
                             BUTTON_HEIGHT * s};
    return layout;
}

// The colours of the game's polar sky, by night.
struct Rgb {
    Uint8 r, g, b;
};
constexpr Rgb SKY_TOP{38, 78, 140};
constexpr Rgb SKY_BOTTOM{10, 24, 56};
constexpr Rgb EDGE_LIGHT{186, 222, 252};
constexpr Rgb EDGE_DARK{4, 10, 26};
constexpr Rgb BEVEL_LIGHT{104, 156, 222};
constexpr Rgb BEVEL_DARK{16, 34, 72};
constexpr Rgb BUTTON_FACE{62, 118, 194};
constexpr Rgb BUTTON_FACE_HELD{42, 86, 152};

struct Box {
    SDL_Window* window = nullptr;
    SoftSurface font_pixels;
    SDL_Surface* font = nullptr;
    BoxLayout layout;
    bool held = false; // the mouse went down on OK and is still down
    bool over_button = false;
};

void fill(SDL_Surface* screen, int x, int y, int w, int h, Rgb c)
{
    const SDL_Rect r{x, y, w, h};
    SDL_FillRect(screen, &r, SDL_MapRGB(screen->format, c.r, c.g, c.b));
}

// A raised rim t pixels thick, lit from the top left; pressed, it sinks.
void bevel(SDL_Surface* screen, const SDL_Rect& r, int t, Rgb light, Rgb dark)
{
    fill(screen, r.x, r.y, r.w, t, light);
    fill(screen, r.x, r.y, t, r.h, light);
    fill(screen, r.x, r.y + r.h - t, r.w, t, dark);
    fill(screen, r.x + r.w - t, r.y, t, r.h, dark);
}

// Black in the sheet is see-through; the glyphs bring their own shadow.
void draw_text(const Box& box, SDL_Surface* screen, const char* text, int length, int x, int y)
{
    const int side = CELL * box.layout.scale;
    for (int i = 0; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < FIRST_GLYPH || c > LAST_GLYPH) c = '?';
        const int index = c - FIRST_GLYPH;
        SDL_Rect from{index % SHEET_COLUMNS * CELL, index / SHEET_COLUMNS * CELL, CELL, CELL};
        SDL_Rect to{x + i * side, y, side, side};
        SDL_BlitScaled(box.font, &from, screen, &to);
    }
}

void draw(const Box& box)
{
    SDL_Surface* screen = SDL_GetWindowSurface(box.window);
    if (!screen) return;
    const BoxLayout& l = box.layout;
    const int s = l.scale;
    for (int row = 0; row < l.height; row += s) {
        const int k = row * 255 / std::max(1, l.height - s);
        const Rgb c{Uint8(SKY_TOP.r + (SKY_BOTTOM.r - SKY_TOP.r) * k / 255),
                    Uint8(SKY_TOP.g + (SKY_BOTTOM.g - SKY_TOP.g) * k / 255),
                    Uint8(SKY_TOP.b + (SKY_BOTTOM.b - SKY_TOP.b) * k / 255)};
        fill(screen, 0, row, l.width, s, c);
    }
    bevel(screen, SDL_Rect{0, 0, l.width, l.height}, s, EDGE_LIGHT, EDGE_DARK);
    bevel(screen, SDL_Rect{s, s, l.width - 2 * s, l.height - 2 * s}, s, BEVEL_LIGHT, BEVEL_DARK);

    for (int i = 0; i < l.line_count; ++i) {
        const TextLine& line = l.lines[size_t(i)];
        draw_text(box, screen, line.start, line.length, (l.width - line.length * CELL * s) / 2,
                  l.text_top + i * LINE * s);
    }

    // The default button: a dark outline, then its own rim.
    const bool pressed = box.held && box.over_button;
    const SDL_Rect& b = l.button;
    bevel(screen, b, s, EDGE_DARK, EDGE_DARK);
    const SDL_Rect face{b.x + s, b.y + s, b.w - 2 * s, b.h - 2 * s};
    fill(screen, face.x, face.y, face.w, face.h, pressed ? BUTTON_FACE_HELD : BUTTON_FACE);
    if (pressed)
        bevel(screen, face, s, BEVEL_DARK, BEVEL_LIGHT);
    else
        bevel(screen, face, s, EDGE_LIGHT, BEVEL_DARK);
    const int label = int(sizeof BUTTON_LABEL - 1);
    const int sink = pressed ? s : 0;
    draw_text(box, screen, BUTTON_LABEL, label, b.x + (b.w - label * CELL * s) / 2 + sink,
              b.y + (b.h - CELL * s) / 2 + sink);
    SDL_UpdateWindowSurface(box.window);
}

bool inside(const SDL_Rect& r, int x, int y)
{
    const SDL_Point p{x, y};
    return SDL_PointInRect(&p, &r);
}

// The part of the screen a box may take: the work area of the game's
// display, or of the first one.
SDL_Rect box_room(SDL_Window* owner)
{
    const int display = owner ? std::max(0, SDL_GetWindowDisplayIndex(owner)) : 0;
    SDL_Rect room{0, 0, 640, 480};
    if (SDL_GetDisplayUsableBounds(display, &room) != 0) SDL_GetDisplayBounds(display, &room);
    return room;
}

// Centred over the game's window when it is on the screen, else in the
// room; kept on the screen either way.
SDL_Point box_place(SDL_Window* owner, const SDL_Rect& room, int width, int height)
{
    SDL_Rect over = room;
    if (owner) {
        SDL_GetWindowPosition(owner, &over.x, &over.y);
        SDL_GetWindowSize(owner, &over.w, &over.h);
    }
    return SDL_Point{std::clamp(over.x + (over.w - width) / 2, room.x, std::max(room.x, room.x + room.w - width)),
                     std::clamp(over.y + (over.h - height) / 2, room.y, std::max(room.y, room.y + room.h - height))};
}

bool box_open(Box* box, const char* text, const char* caption)
{
    if (!soft_bitmap_decode(platform::resource_find("BMP_CHARACTOR", "BITMAP"), &box->font_pixels)) return false;
    const SoftSurface& f = box->font_pixels;
    box->font =
        SDL_CreateRGBSurfaceWithFormatFrom(f.pixels.get(), f.width, f.height, 32, f.width * 4, SDL_PIXELFORMAT_RGB888);
    if (!box->font) return false;
    SDL_SetColorKey(box->font, SDL_TRUE, 0);

    SDL_Window* owner = sdl_box_owner();
    const SDL_Rect room = box_room(owner);
    box->layout = box_layout(text, room.w, room.h);
    const SDL_Point at = box_place(owner, room, box->layout.width, box->layout.height);
    // Owned by the game, the box has no taskbar entry of its own.
    const Uint32 flags = SDL_WINDOW_HIDDEN | (owner ? SDL_WINDOW_SKIP_TASKBAR : 0);
    box->window = SDL_CreateWindow(caption, at.x, at.y, box->layout.width, box->layout.height, flags);
    if (!box->window) return false;
    sdl_set_icon(box->window);
    if (owner) SDL_SetWindowModalFor(box->window, owner);
    SDL_ShowWindow(box->window);
    draw(*box);
    sdl_window_set_modal_box(box->window);
    return true;
}

void box_close(Box* box)
{
    if (box->window) {
        sdl_window_set_modal_box(nullptr);
        SDL_DestroyWindow(box->window);
    }
    if (box->font) SDL_FreeSurface(box->font);
}

bool closes(SDL_Keycode key)
{
    return key == SDLK_RETURN || key == SDLK_RETURN2 || key == SDLK_KP_ENTER || key == SDLK_SPACE;
}

// One event while the box is open; true when it closes the box. The box's
// own events are its own; every other goes to the game's window, which
// takes what a disabled window takes.
bool box_event(Box* box, const SDL_Event& e)
{
    const Uint32 id = SDL_GetWindowID(box->window);
    switch (e.type) {
    case SDL_QUIT: // a signal or the session ending: the game must hear it too
        sdl_window_translate(e);
        return true;
    case SDL_KEYDOWN:
        if (e.key.windowID != id) break;
        return !e.key.repeat && closes(e.key.keysym.sym); // a key held from the game does not count
    case SDL_KEYUP:
        if (e.key.windowID != id) break;
        return false;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEMOTION: {
        const bool button = e.type != SDL_MOUSEMOTION;
        if ((button ? e.button.windowID : e.motion.windowID) != id) break;
        if (button && e.button.button != SDL_BUTTON_LEFT) return false;
        const bool was_pressed = box->held && box->over_button;
        box->over_button = button ? inside(box->layout.button, e.button.x, e.button.y)
                                  : inside(box->layout.button, e.motion.x, e.motion.y);
        // Like a Windows button: pressed on OK, let go on OK.
        const bool clicked = e.type == SDL_MOUSEBUTTONUP && box->held && box->over_button;
        if (e.type == SDL_MOUSEBUTTONDOWN) box->held = box->over_button;
        if (e.type == SDL_MOUSEBUTTONUP) box->held = false;
        if (clicked) return true;
        if (was_pressed != (box->held && box->over_button)) draw(*box);
        return false;
    }
    case SDL_WINDOWEVENT:
        if (e.window.windowID != id) break;
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) return true;
        if (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) draw(*box);
        return false;
    default:
        break;
    }
    sdl_window_translate(e);
    return false;
}

} // namespace

namespace platform {

// The line goes to the standard error as well, for a player in a terminal
// and for a system where no box can be shown (no display, or one that
// nobody sees). Escape does not close the box, as it does not close the
// game's About box on Windows.
void message_box(const char* text, const char* caption)
{
    text = text ? text : "";
    caption = caption ? caption : "";
    std::fprintf(stderr, "quobbin: %s: %s\n", caption, text);
    if (!sdl_video_shows_windows()) return;
    Box box;
    if (box_open(&box, text, caption)) {
        for (bool done = false; !done;) {
            SDL_Event e;
            if (sdl_next_event(&e)) done = box_event(&box, e);
        }
    }
    box_close(&box);
}

} // namespace platform
