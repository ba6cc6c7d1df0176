// The surface slots the game draws from and the sound slots it plays, by
// name. The resource list fills them at start-up.
#pragma once

#include <cstdint>

using SurfaceId = int;

inline constexpr SurfaceId SURFACE_LOGO_CANVAS = 0;
inline constexpr SurfaceId SURFACE_FONT = 1;
inline constexpr SurfaceId SURFACE_ESCAPE = 2;
inline constexpr SurfaceId SURFACE_TITLE_TEXT = 3;
inline constexpr SurfaceId SURFACE_TITLE = 4;
inline constexpr SurfaceId SURFACE_BACKGROUND = 5;
inline constexpr SurfaceId SURFACE_CHAIN = 6;
inline constexpr SurfaceId SURFACE_SEAL = 7;
inline constexpr SurfaceId SURFACE_SEAL_SPECIAL = 8;
inline constexpr SurfaceId SURFACE_DART = 9;
inline constexpr SurfaceId SURFACE_TEXT = 10;
inline constexpr SurfaceId SURFACE_MAKER = 11;
inline constexpr SurfaceId SURFACE_DROPS = 12;
inline constexpr SurfaceId SURFACE_DROPS_LOVE = 13;

using SoundId = int32_t;

inline constexpr SoundId SOUND_GO = 0;
inline constexpr SoundId SOUND_SEAL_CALL = 1;
inline constexpr SoundId SOUND_READY = 2;
inline constexpr SoundId SOUND_SHOT = 3;
inline constexpr SoundId SOUND_HIT = 4;
inline constexpr SoundId SOUND_OUT = 5;
inline constexpr SoundId SOUND_NEW_BEST = 6;
inline constexpr SoundId SOUND_SAFE = 7;
inline constexpr SoundId SOUND_COUNT_TICK = 8;
