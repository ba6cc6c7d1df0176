#include "sound/wave_read.h"

#include "sound/data_reader.h"

#include <cstring>
#include <new>

namespace {

constexpr uint32_t HEADER_BYTES = 44;
constexpr uint32_t FIRST_CHUNK = 12;
constexpr uint32_t FORMAT_OFFSET = 20;
constexpr uint32_t CHUNK_HEADER_BYTES = 8;
constexpr uint16_t FORMAT_PCM = 1;

uint16_t le16(const uint8_t* p)
{
    return uint16_t(p[0] | (p[1] << 8));
}

uint32_t le32(const uint8_t* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

bool tag_is(const uint8_t* p, const char* tag)
{
    return std::memcmp(p, tag, 4) == 0;
}

// The 18 bytes are taken whole, extra size included, whatever the format
// chunk's own size says: a 16-byte chunk lends the next chunk's first two
// identifier bytes as the extra size, which PCM playback never reads.
platform::WaveFormat format_from(const uint8_t* p)
{
    return platform::WaveFormat{le16(p),      le16(p + 2),  le32(p + 4), le32(p + 8),
                                le16(p + 12), le16(p + 14), le16(p + 16)};
}

bool format_accepted(const platform::WaveFormat& f)
{
    return f.format_tag == FORMAT_PCM && (f.channels == 1 || f.channels == 2) &&
           (f.bits_per_sample == 8 || f.bits_per_sample == 16);
}

// Walks the chunks from the current position until "data". A chunk whose
// size points past the end cannot be skipped; the walk then reads on from
// where it stands and ends when no whole chunk header is left. Every step
// moves forward by at least a header, so the walk always ends.
int read_data_chunk(DataReader* reader, uint32_t* size, uint8_t** data)
{
    uint8_t header[CHUNK_HEADER_BYTES];
    for (;;) {
        if (!reader_read(reader, header, CHUNK_HEADER_BYTES)) return 0;
        const uint32_t chunk_size = le32(header + 4);
        if (!tag_is(header, "data")) {
            reader_seek(reader, int64_t(chunk_size), READER_FROM_CURRENT);
            continue;
        }
        // A claim larger than the bytes that remain fails here, before a
        // block that large is asked for.
        if (chunk_size > reader_remaining(reader)) return 0;
        auto* block = new (std::nothrow) uint8_t[chunk_size]();
        if (!block) return 0;
        if (!reader_read(reader, block, chunk_size)) {
            delete[] block;
            return 0;
        }
        *size = chunk_size;
        *data = block;
        return 1;
    }
}

} // namespace

int wave_read(const char* name, const char* type, platform::WaveFormat* format, uint32_t* size, uint8_t** data)
{
    *data = nullptr;
    *format = platform::WaveFormat{};
    DataReader reader{};
    if (!reader_open(name, type, &reader)) return 0;

    int ok = 0;
    uint8_t header[HEADER_BYTES];
    if (reader_read(&reader, header, HEADER_BYTES) && tag_is(header, "RIFF") && tag_is(header + 8, "WAVE") &&
        tag_is(header + 12, "fmt ")) {
        *format = format_from(header + FORMAT_OFFSET);
        if (format_accepted(*format)) {
            reader_seek(&reader, FIRST_CHUNK, READER_FROM_START);
            ok = read_data_chunk(&reader, size, data);
        }
    }
    reader_close(&reader);
    return ok;
}
