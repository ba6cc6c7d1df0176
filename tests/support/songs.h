// Songs and waves for the music library's tests: a small song that uses
// every kind of section, and the real tune and instrument waves from res/.
#pragma once

#include "song_write.h"

#include <cstdint>
#include <vector>

// Two voices, a pulse and a sample instrument ("WAVE_TEST"), two patterns
// of four rows with an arpeggio and a note-off, two order entries looping
// to the second.
songc::SongSource small_song();
std::vector<uint8_t> small_song_bytes();

// res/quobbin.sng, and every resource of res/quobbin.rc made available to
// songc::res_files_find (loaded once).
const std::vector<uint8_t>& real_song_bytes();
// The real tune compiled from its source with the looped part of its order
// list written out `passes` times, so that it never needs to loop.
std::vector<uint8_t> unrolled_real_song(int passes);
