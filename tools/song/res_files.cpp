#include "res_files.h"

#include "resource_script.h"

namespace songc {

namespace {

platform::ResourceStore resources;

} // namespace

// A file not made yet (the song, before its first compile) is left out;
// whoever needs it finds nothing.
int res_files_load(const std::string& dir, std::string* error)
{
    resources = platform::ResourceStore{};
    std::vector<std::string> missing;
    if (resource_script_load(dir + "/quobbin.rc", &resources, &missing)) return 1;
    *error = "cannot read " + dir + "/quobbin.rc";
    return 0;
}

std::span<const uint8_t> res_files_find(const char* name, const char* type)
{
    return platform::resource_table_find(resources.table, name, type);
}

std::span<const uint8_t> res_files_wave(const char* name)
{
    return res_files_find(name, "WAVE");
}

} // namespace songc
