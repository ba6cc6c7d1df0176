#include "sound/data_reader.h"

#include "platform/resource.h"

#include <cstring>
#include <limits>
#include <span>

int reader_open(const char* name, const char* type, DataReader* reader)
{
    *reader = DataReader{nullptr, 0, 0};
    const std::span<const uint8_t> bytes = platform::resource_find(name, type);
    if (bytes.empty() || bytes.data() == nullptr) return 0;
    if (bytes.size() > size_t(std::numeric_limits<int32_t>::max())) return 0;
    *reader = DataReader{bytes.data(), 0, int32_t(bytes.size())};
    return 1;
}

uint32_t reader_remaining(const DataReader* reader)
{
    if (!reader->data || reader->position < 0 || reader->position > reader->size) return 0;
    return uint32_t(reader->size - reader->position);
}

int reader_read(DataReader* reader, void* buffer, uint32_t n)
{
    if (!reader->data || n > reader_remaining(reader)) return 0;
    if (n > 0) std::memcpy(buffer, reader->data + reader->position, n);
    reader->position += int32_t(n);
    return 1;
}

int reader_seek(DataReader* reader, int64_t offset, int origin)
{
    if (!reader->data) return 0;
    int64_t target = 0;
    if (origin == READER_FROM_START) {
        target = offset;
    } else if (origin == READER_FROM_CURRENT) {
        // Both terms fit in 33 bits, far from overflowing 64, unless the
        // offset itself is near the limits; those are refused first.
        if (offset > int64_t(reader->size) || offset < -int64_t(reader->size)) return 0;
        target = int64_t(reader->position) + offset;
    } else {
        return 0;
    }
    if (target < 0 || target >= int64_t(reader->size)) return 0;
    reader->position = int32_t(target);
    return 1;
}

void reader_close(DataReader* reader)
{
    reader->data = nullptr;
}
