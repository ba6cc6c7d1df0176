// How the game calls the music library: the output it asks for at start-up
// and its one song, the embedded resource "quobbin" of type "sngpk", played
// in the library's tune slot from the start.
#pragma once

inline constexpr int MUSIC_CHANNELS = 2;
inline constexpr int MUSIC_RATE = 44100;
inline constexpr int MUSIC_BITS = 16;
inline constexpr float MUSIC_BUFFER_SECONDS = 0.1f;
// The library's two switches, as the game has always set them.
inline constexpr int MUSIC_FLAG_FIRST = 1;
inline constexpr int MUSIC_FLAG_SECOND = 0;

inline constexpr int TUNE_SLOT = 0;
inline constexpr int TUNE_FROM_START = 0;
inline constexpr const char* SONG_TYPE = "sngpk";
inline constexpr const char* SONG_NAME = "quobbin";
