#include "res_files.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <strings.h>
#include <vector>

namespace songc {

namespace {

struct Resource {
    std::string name;
    std::string type;
    std::vector<uint8_t> bytes;
};

std::vector<Resource> resources;

} // namespace

int res_files_load(const std::string& dir, std::string* error)
{
    resources.clear();
    std::ifstream rc(dir + "/quobbin.rc");
    if (!rc) {
        *error = "cannot read " + dir + "/quobbin.rc";
        return 0;
    }
    std::string line;
    while (std::getline(rc, line)) {
        std::istringstream words(line);
        std::string name, type, file;
        if (!(words >> name >> type >> file) || name.rfind("//", 0) == 0) continue;
        if (file.size() < 2 || file.front() != '"' || file.back() != '"') continue;
        const std::string path = dir + "/" + file.substr(1, file.size() - 2);
        std::ifstream in(path, std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        // A file not made yet (the song, before its first compile) is left
        // out; whoever needs it finds nothing.
        if (bytes.empty()) continue;
        resources.push_back(Resource{name, type, std::move(bytes)});
    }
    return 1;
}

std::span<const uint8_t> res_files_find(const char* name, const char* type)
{
    for (const Resource& r : resources)
        if (strcasecmp(r.name.c_str(), name) == 0 && strcasecmp(r.type.c_str(), type) == 0) return r.bytes;
    return {};
}

std::span<const uint8_t> res_files_wave(const char* name)
{
    return res_files_find(name, "WAVE");
}

} // namespace songc
