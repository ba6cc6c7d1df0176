#include "platform/resource_table.h"

#include <cctype>

namespace platform {

namespace {

bool same_ignoring_case(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace

std::span<const uint8_t> resource_table_find(std::span<const Resource> table, const char* name, const char* type)
{
    if (!name || !type) return {};
    for (const Resource& r : table)
        if (same_ignoring_case(r.name, name) && same_ignoring_case(r.type, type)) return r.bytes;
    return {};
}

void resource_store_put(ResourceStore* store, std::string_view name, std::string_view type,
                        std::span<const uint8_t> bytes)
{
    for (size_t i = 0; i < store->table.size(); ++i)
        if (same_ignoring_case(store->table[i].name, name) && same_ignoring_case(store->table[i].type, type)) {
            store->contents[i].assign(bytes.begin(), bytes.end());
            store->table[i].bytes = store->contents[i];
            return;
        }
    // A deque keeps its elements where they are as it grows, so the table
    // may point into it.
    const std::string& stored_name = store->names.emplace_back(name);
    const std::string& stored_type = store->names.emplace_back(type);
    const std::vector<uint8_t>& stored = store->contents.emplace_back(bytes.begin(), bytes.end());
    store->table.push_back(Resource{stored_name.c_str(), stored_type.c_str(), stored});
}

} // namespace platform
