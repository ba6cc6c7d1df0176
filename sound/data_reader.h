// A cursor over the bytes of one resource, for parsing it in place.
#pragma once

#include <cstdint>

struct DataReader {
    const uint8_t* data; // the resource's bytes, owned by the platform; never freed here
    int32_t position;    // offset of the next byte to read
    int32_t size;
};

inline constexpr int READER_FROM_START = 0;
inline constexpr int READER_FROM_CURRENT = 1;

// Opens the named resource; fails when it is missing, empty or too large for
// a 32-bit offset. The position starts at 0.
int reader_open(const char* name, const char* type, DataReader* reader);
// Copies the next n bytes and moves past them; fails, copying nothing, when
// fewer than n remain. A read may end exactly at the end.
int reader_read(DataReader* reader, void* buffer, uint32_t n);
// Moves to offset from the start or from the current position. Fails, and
// stays put, when the new position would be negative or not less than the
// size: a seek to exactly the end is refused. The offset is 64-bit so that
// any 32-bit chunk size, signed or not, is taken at its value.
int reader_seek(DataReader* reader, int64_t offset, int origin);
// Bytes left from the position to the end.
uint32_t reader_remaining(const DataReader* reader);
void reader_close(DataReader* reader);
