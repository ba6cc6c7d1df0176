#include "platform/embedded_resources.h"

#include <cctype>

namespace platform {

namespace {

bool same_ignoring_case(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b)
        if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b))) return false;
    return *a == *b;
}

} // namespace

std::span<const uint8_t> embedded_resource_find(const char* name, const char* type)
{
    if (!name || !type) return {};
    for (const EmbeddedResource& r : embedded_resources())
        if (same_ignoring_case(r.name, name) && same_ignoring_case(r.type, type)) return {r.data, r.size};
    return {};
}

} // namespace platform
