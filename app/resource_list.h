// Every bitmap and sound effect the game loads at start, in load order,
// with the slot each goes into. The names are those of res/quobbin.rc.
#pragma once

#include <array>
#include <cstdint>

enum class ResourceKind : uint8_t { Bitmap, Wave };

struct ResourceEntry {
    ResourceKind kind;
    const char* name;
    int slot; // SurfaceId for a bitmap, SoundId for a wave
};

inline constexpr std::array<ResourceEntry, 22> RESOURCE_LIST{{
    {ResourceKind::Bitmap, "BMP_ESCAPE", 2},   {ResourceKind::Bitmap, "BMP_CHARACTOR", 1},
    {ResourceKind::Bitmap, "BMP_TITLE1", 3},   {ResourceKind::Bitmap, "BMP_TITLE2", 4},
    {ResourceKind::Bitmap, "BMP_BACK1", 5},    {ResourceKind::Bitmap, "BMP_CHAINE", 6},
    {ResourceKind::Bitmap, "BMP_AZARASHI", 7}, {ResourceKind::Bitmap, "BMP_AME", 8},
    {ResourceKind::Bitmap, "BMP_DART", 9},     {ResourceKind::Bitmap, "BMP_TEXT", 10},
    {ResourceKind::Bitmap, "BMP_ROGO", 11},    {ResourceKind::Bitmap, "BMP_BLOOD1", 12},
    {ResourceKind::Bitmap, "BMP_BLOOD2", 13},  {ResourceKind::Wave, "WAVE_GO", 0},
    {ResourceKind::Wave, "WAVE_SHOT", 3},      {ResourceKind::Wave, "WAVE_HIT", 4},
    {ResourceKind::Wave, "WAVE_OUT", 5},       {ResourceKind::Wave, "WAVE_SAFE", 7},
    {ResourceKind::Wave, "WAVE_AZARASHI", 1},  {ResourceKind::Wave, "WAVE_READY", 2},
    {ResourceKind::Wave, "WAVE_NEW", 6},       {ResourceKind::Wave, "WAVE_COUNT", 8},
}};

// The font can be replaced by a bitmap file of this name in the working
// directory; when it loads, the font resource is not needed.
inline constexpr const char* FONT_FILE = "charactor.bmp";
inline constexpr int FONT_SLOT = 1;
