// The song's text source (tools/song/quobbin.song) read into a SongSource.
// The language is described at the top of that file.
#pragma once

#include "song_write.h"

#include <string>

namespace songc {

// Returns 1, or 0 with "file:line: what is wrong" in `error`.
int song_text_parse(const std::string& text, const std::string& file, SongSource* song, std::string* error);

// A note name such as C4, F#5 or Bb3 as a MIDI number (C4 is 60), or -1.
int song_note_number(const std::string& name);

} // namespace songc
