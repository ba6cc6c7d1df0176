// Tables of resources: the executable's own, built in from res/quobbin.rc
// (embedded_resources.h), those a test registers, and those a tool reads
// from res/. One lookup serves them all: by name and type, ignoring case.
#pragma once

#include "platform/resource.h"

#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The bytes of the resource of this name and type in the table; empty
// when there is none.
std::span<const uint8_t> resource_table_find(std::span<const Resource> table, const char* name, const char* type);

// A table that owns its names and bytes.
struct ResourceStore {
    std::vector<Resource> table;
    std::deque<std::string> names;             // each resource's name and type, in pairs
    std::deque<std::vector<uint8_t>> contents; // each resource's bytes
};
// Adds the resource, or gives the one of the same name and type (ignoring
// case) these bytes.
void resource_store_put(ResourceStore* store, std::string_view name, std::string_view type,
                        std::span<const uint8_t> bytes);

} // namespace platform
