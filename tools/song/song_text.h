// The song's text source (tools/song/quobbin.song) read into a SongSource.
// The language is described at the top of that file.
#pragma once

#include "song_write.h"

#include <string>

namespace songc {

// Returns 1, or 0 with "file:line: what is wrong" in `error`.
int song_text_parse(const std::string& text, const std::string& file, SongSource* song, std::string* error);

} // namespace songc
