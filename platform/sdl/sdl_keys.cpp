#include "platform/sdl/sdl_keys.h"

#include "platform/types.h"

namespace {

struct KeyCode {
    SDL_Keycode key;
    uint8_t vk;
};

// Keys named by what they type (so 1 is the key that types 1 in any
// layout, as with Windows' codes), apart from the letters and digits,
// which are ranges.
constexpr KeyCode NAMED_KEYS[] = {
    {SDLK_BACKSPACE, VK_BACK},
    {SDLK_TAB, VK_TAB},
    {SDLK_RETURN, VK_RETURN},
    {SDLK_ESCAPE, VK_ESCAPE},
    {SDLK_SPACE, VK_SPACE},
    {SDLK_PAUSE, VK_PAUSE},
    {SDLK_LSHIFT, VK_SHIFT},
    {SDLK_RSHIFT, VK_SHIFT},
    {SDLK_LCTRL, VK_CONTROL},
    {SDLK_RCTRL, VK_CONTROL},
    {SDLK_LALT, VK_MENU},
    {SDLK_RALT, VK_MENU},
    {SDLK_LGUI, VK_LWIN},
    {SDLK_RGUI, VK_RWIN},
    {SDLK_APPLICATION, VK_APPS},
    {SDLK_CAPSLOCK, VK_CAPITAL},
    {SDLK_NUMLOCKCLEAR, VK_NUMLOCK},
    {SDLK_SCROLLLOCK, VK_SCROLL},
    {SDLK_LEFT, VK_LEFT},
    {SDLK_UP, VK_UP},
    {SDLK_RIGHT, VK_RIGHT},
    {SDLK_DOWN, VK_DOWN},
    {SDLK_PAGEUP, VK_PRIOR},
    {SDLK_PAGEDOWN, VK_NEXT},
    {SDLK_HOME, VK_HOME},
    {SDLK_END, VK_END},
    {SDLK_INSERT, VK_INSERT},
    {SDLK_DELETE, VK_DELETE},
    {SDLK_SEMICOLON, VK_OEM_1},
    {SDLK_EQUALS, VK_OEM_PLUS},
    {SDLK_COMMA, VK_OEM_COMMA},
    {SDLK_MINUS, VK_OEM_MINUS},
    {SDLK_PERIOD, VK_OEM_PERIOD},
    {SDLK_SLASH, VK_OEM_2},
    {SDLK_BACKQUOTE, VK_OEM_3},
    {SDLK_LEFTBRACKET, VK_OEM_4},
    {SDLK_BACKSLASH, VK_OEM_5},
    {SDLK_RIGHTBRACKET, VK_OEM_6},
    {SDLK_QUOTE, VK_OEM_7},
};

// The keypad by position. With Num Lock on its digits are VK_NUMPAD0-9 and
// its point VK_DECIMAL; with it off they are the navigation keys printed
// beneath, as Windows reports them.
struct PadKey {
    SDL_Scancode scancode;
    uint8_t with_num_lock;
    uint8_t without;
};

constexpr PadKey PAD_KEYS[] = {
    {SDL_SCANCODE_KP_0, VK_NUMPAD0, VK_INSERT},      {SDL_SCANCODE_KP_1, VK_NUMPAD0 + 1, VK_END},
    {SDL_SCANCODE_KP_2, VK_NUMPAD0 + 2, VK_DOWN},    {SDL_SCANCODE_KP_3, VK_NUMPAD0 + 3, VK_NEXT},
    {SDL_SCANCODE_KP_4, VK_NUMPAD0 + 4, VK_LEFT},    {SDL_SCANCODE_KP_5, VK_NUMPAD0 + 5, VK_CLEAR},
    {SDL_SCANCODE_KP_6, VK_NUMPAD0 + 6, VK_RIGHT},   {SDL_SCANCODE_KP_7, VK_NUMPAD0 + 7, VK_HOME},
    {SDL_SCANCODE_KP_8, VK_NUMPAD0 + 8, VK_UP},      {SDL_SCANCODE_KP_9, VK_NUMPAD0 + 9, VK_PRIOR},
    {SDL_SCANCODE_KP_PERIOD, VK_DECIMAL, VK_DELETE}, {SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY, VK_MULTIPLY},
    {SDL_SCANCODE_KP_PLUS, VK_ADD, VK_ADD},          {SDL_SCANCODE_KP_MINUS, VK_SUBTRACT, VK_SUBTRACT},
    {SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE, VK_DIVIDE},  {SDL_SCANCODE_KP_ENTER, VK_RETURN, VK_RETURN},
};

} // namespace

uint8_t sdl_key_to_vk(const SDL_Keysym& key)
{
    for (const PadKey& p : PAD_KEYS)
        if (key.scancode == p.scancode) return (key.mod & KMOD_NUM) ? p.with_num_lock : p.without;
    const SDL_Keycode k = key.sym;
    if (k >= SDLK_0 && k <= SDLK_9) return uint8_t('0' + (k - SDLK_0));
    if (k >= SDLK_a && k <= SDLK_z) return uint8_t('A' + (k - SDLK_a));
    if (k >= SDLK_F1 && k <= SDLK_F12) return uint8_t(VK_F1 + (k - SDLK_F1));
    for (const KeyCode& n : NAMED_KEYS)
        if (n.key == k) return n.vk;
    return 0;
}
