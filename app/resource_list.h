// Every bitmap and sound effect the game loads at start, in load order,
// with the slot each goes into. The names are those of res/quobbin.rc.
#pragma once

#include "game/slots.h"

#include <array>
#include <cstdint>

enum class ResourceKind : uint8_t { Bitmap, Wave };

struct ResourceEntry {
    ResourceKind kind;
    const char* name;
    int slot; // SurfaceId for a bitmap, SoundId for a wave
};

inline constexpr std::array<ResourceEntry, 22> RESOURCE_LIST{{
    {ResourceKind::Bitmap, "BMP_ESCAPE", SURFACE_ESCAPE},
    {ResourceKind::Bitmap, "BMP_CHARACTOR", SURFACE_FONT},
    {ResourceKind::Bitmap, "BMP_TITLE1", SURFACE_TITLE_TEXT},
    {ResourceKind::Bitmap, "BMP_TITLE2", SURFACE_TITLE},
    {ResourceKind::Bitmap, "BMP_BACK1", SURFACE_BACKGROUND},
    {ResourceKind::Bitmap, "BMP_CHAINE", SURFACE_CHAIN},
    {ResourceKind::Bitmap, "BMP_AZARASHI", SURFACE_SEAL},
    {ResourceKind::Bitmap, "BMP_AME", SURFACE_SEAL_SPECIAL},
    {ResourceKind::Bitmap, "BMP_DART", SURFACE_DART},
    {ResourceKind::Bitmap, "BMP_TEXT", SURFACE_TEXT},
    {ResourceKind::Bitmap, "BMP_ROGO", SURFACE_MAKER},
    {ResourceKind::Bitmap, "BMP_BLOOD1", SURFACE_DROPS},
    {ResourceKind::Bitmap, "BMP_BLOOD2", SURFACE_DROPS_LOVE},
    {ResourceKind::Wave, "WAVE_GO", SOUND_GO},
    {ResourceKind::Wave, "WAVE_SHOT", SOUND_SHOT},
    {ResourceKind::Wave, "WAVE_HIT", SOUND_HIT},
    {ResourceKind::Wave, "WAVE_OUT", SOUND_OUT},
    {ResourceKind::Wave, "WAVE_SAFE", SOUND_SAFE},
    {ResourceKind::Wave, "WAVE_AZARASHI", SOUND_SEAL_CALL},
    {ResourceKind::Wave, "WAVE_READY", SOUND_READY},
    {ResourceKind::Wave, "WAVE_NEW", SOUND_NEW_BEST},
    {ResourceKind::Wave, "WAVE_COUNT", SOUND_COUNT_TICK},
}};

// The font can be replaced by a bitmap file of this name in the working
// directory; when it loads, the font resource is not needed.
inline constexpr const char* FONT_FILE = "charactor.bmp";
inline constexpr int FONT_SLOT = SURFACE_FONT;
