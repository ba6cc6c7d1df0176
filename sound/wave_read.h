// Parsing a WAVE resource: the 18-byte format and the sample bytes of its
// "data" chunk.
#pragma once

#include "platform/audio.h"

#include <cstdint>

// Hands over the format, the sample byte count and a new zero-filled block
// of the samples, which the caller frees with delete[]. On failure the data
// out is null and nothing stays allocated. Accepted: "RIFF", "WAVE", the
// "fmt " chunk first, PCM with 1 or 2 channels of 8 or 16 bits, and a "data"
// chunk somewhere after it that fits in what is left of the resource.
int wave_read(const char* name, const char* type, platform::WaveFormat* format, uint32_t* size, uint8_t** data);
