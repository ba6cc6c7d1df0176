// SDL's keys in Windows' virtual-key codes: digits by what they type, the
// keypad's digits only with Num Lock on (its navigation keys otherwise), and
// the keys the game and the pause screen use.
#include "platform/sdl/sdl_keys.h"
#include "platform/types.h"

#include <gtest/gtest.h>

namespace {

SDL_Keysym key(SDL_Keycode sym, SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN, Uint16 mod = KMOD_NONE)
{
    SDL_Keysym k{};
    k.sym = sym;
    k.scancode = scancode;
    k.mod = mod;
    return k;
}

TEST(SdlKeys, TheGameKeys)
{
    EXPECT_EQ(sdl_key_to_vk(key(SDLK_1, SDL_SCANCODE_1)), '1');
    EXPECT_EQ(sdl_key_to_vk(key(SDLK_3, SDL_SCANCODE_3)), '3');
    EXPECT_EQ(sdl_key_to_vk(key(SDLK_SPACE)), VK_SPACE);
    EXPECT_EQ(sdl_key_to_vk(key(SDLK_ESCAPE)), VK_ESCAPE);
    EXPECT_EQ(sdl_key_to_vk(key(SDLK_F1)), VK_F1);
    EXPECT_EQ(sdl_key_to_vk(key(SDLK_F2)), VK_F2);
    EXPECT_EQ(sdl_key_to_vk(key(SDLK_F10)), VK_F10);
    EXPECT_EQ(sdl_key_to_vk(key(SDLK_q)), 'Q') << "letters as capitals";
    EXPECT_EQ(sdl_key_to_vk(key(SDLK_RSHIFT)), VK_SHIFT);
    // An AZERTY keyboard's top row types & by default: no digit, so no
    // game key; its keypad still serves.
    EXPECT_EQ(sdl_key_to_vk(key(SDLK_AMPERSAND, SDL_SCANCODE_1)), 0);
    EXPECT_EQ(sdl_key_to_vk(key(SDLK_UNKNOWN)), 0);
}

TEST(SdlKeys, TheKeypadFollowsNumLock)
{
    EXPECT_EQ(sdl_key_to_vk(key(SDLK_KP_1, SDL_SCANCODE_KP_1, KMOD_NUM)), VK_NUMPAD1);
    EXPECT_EQ(sdl_key_to_vk(key(SDLK_KP_3, SDL_SCANCODE_KP_3, KMOD_NUM)), VK_NUMPAD3);
    EXPECT_EQ(sdl_key_to_vk(key(SDLK_KP_0, SDL_SCANCODE_KP_0, KMOD_NUM)), VK_NUMPAD0);
    // Without Num Lock the keys are the navigation keys printed beneath.
    EXPECT_EQ(sdl_key_to_vk(key(SDLK_KP_1, SDL_SCANCODE_KP_1)), VK_END);
    EXPECT_EQ(sdl_key_to_vk(key(SDLK_KP_2, SDL_SCANCODE_KP_2)), VK_DOWN);
    EXPECT_EQ(sdl_key_to_vk(key(SDLK_KP_3, SDL_SCANCODE_KP_3)), VK_NEXT);
    EXPECT_EQ(sdl_key_to_vk(key(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER)), VK_RETURN);
}

} // namespace
