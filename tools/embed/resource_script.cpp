#include "resource_script.h"

#include <cctype>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

bool is_word(const std::string& s)
{
    if (s.empty()) return false;
    for (char c : s)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) return false;
    return true;
}

// What stands between the quotes of "text", or empty when it is not quoted.
std::string unquoted(const std::string& s)
{
    if (s.size() < 3 || s.front() != '"' || s.back() != '"') return {};
    return s.substr(1, s.size() - 2);
}

} // namespace

bool resource_script_load(const std::string& path, platform::ResourceStore* store, std::vector<std::string>* missing)
{
    std::ifstream script(path);
    if (!script) return false;
    const std::string dir = path.substr(0, path.find_last_of("/\\") + 1);
    std::string line;
    while (std::getline(script, line)) {
        std::istringstream words(line);
        std::string name, type, file, more;
        if (!(words >> name >> type >> file) || (words >> more)) continue;
        if (name.front() == '"') name = unquoted(name);
        file = unquoted(file);
        if (!is_word(name) || !is_word(type) || file.empty()) continue;
        if (type == "24") continue; // the manifest (RT_MANIFEST): what Windows is told of the program
        std::ifstream in(dir + file, std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (bytes.empty())
            missing->push_back(dir + file);
        else
            platform::resource_store_put(store, name, type, bytes);
    }
    return true;
}
