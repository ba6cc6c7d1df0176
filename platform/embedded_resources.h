// The resources of res/quobbin.rc, built into the executable by the
// quobbin_embed tool for the builds that have no resource compiler.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace platform {

struct EmbeddedResource {
    const char* name;
    const char* type;
    const unsigned char* data;
    size_t size;
};

std::span<const EmbeddedResource> embedded_resources();
// The bytes of the resource of this name and type, ignoring case; empty
// when there is none.
std::span<const uint8_t> embedded_resource_find(const char* name, const char* type);

} // namespace platform
