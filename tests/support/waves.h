// WAVE files made in memory chunk by chunk, for the parsing and mixing
// tests and the music library's.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

void put16(Bytes& out, uint32_t v);
void put32(Bytes& out, uint32_t v);
// A chunk whose size field says `stated`; by default the payload's size.
Bytes chunk(const char* id, const Bytes& payload);
Bytes chunk(const char* id, const Bytes& payload, uint32_t stated);
// The 18-byte format (or its first `size` bytes) in a "fmt " chunk.
Bytes fmt_chunk(int channels, int bits, uint32_t rate, int size = 18, int tag = 1);
// "RIFF", the RIFF size, "WAVE" and the chunks in order.
Bytes riff(std::initializer_list<Bytes> chunks);
// The layout of the game's own files: fmt (18), fact (4), data.
Bytes pcm_wave(int channels, int bits, uint32_t rate, const Bytes& samples);
// 8-bit mono samples of a sine at hz, amplitude 0 to 127 about 128.
Bytes sine8(double hz, uint32_t rate, int frames, int amplitude);
// 16-bit samples, little-endian, the same value throughout.
Bytes constant16(int16_t value, int samples);

// The sample bytes of a WAVE file's "data" chunk, found independently of
// the game's parser.
Bytes data_of(const Bytes& wave);
