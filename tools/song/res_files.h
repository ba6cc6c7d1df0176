// The resources that res/quobbin.rc lists, read from the files beside it,
// for the tools, tests and benchmarks that play the real song without an
// executable's embedded resources.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace songc {

// Reads every resource DIR/quobbin.rc lists (resource_script.h) and the file it
// names, leaving out files that are missing. Returns 1, or 0 with a
// message in `error` when there is no quobbin.rc.
int res_files_load(const std::string& dir, std::string* error);
// The bytes of a loaded resource, by name and type ignoring case; empty if none.
std::span<const uint8_t> res_files_find(const char* name, const char* type);
// The same for type WAVE, in the shape the library's sample loader takes.
std::span<const uint8_t> res_files_wave(const char* name);

} // namespace songc
