// The resources of res/quobbin.rc, built into the executable by the
// quobbin_embed tool for the builds that have no resource compiler; found
// with resource_table_find (resource_table.h).
#pragma once

#include "platform/resource_table.h"

#include <span>

namespace platform {

std::span<const Resource> embedded_resources();

} // namespace platform
