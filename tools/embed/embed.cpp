// Turns the resource list res/quobbin.rc into a C++ source that holds every
// listed file's bytes and a table to find them by name and type. The
// Windows build compiles the .rc itself; the other builds link this table.
//
//   quobbin_embed <quobbin.rc> <out.cpp>
//
// A line "NAME TYPE "file"" lists a resource (the name may be quoted);
// every other line (comments, menus, dialogs, the version) is skipped. The files are read beside the .rc.
#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Entry {
    std::string name;
    std::string type;
    std::string file;
};

bool read_file(const std::string& path, std::string* bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    *bytes = s.str();
    return true;
}

bool is_word(const std::string& s)
{
    if (s.empty()) return false;
    for (char c : s)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) return false;
    return true;
}

// Octal escapes of three digits never run into the next byte.
void write_bytes(std::ostream& out, const std::string& bytes)
{
    constexpr size_t PER_LINE = 40;
    for (size_t i = 0; i < bytes.size(); i += PER_LINE) {
        out << "    \"";
        for (size_t j = i; j < bytes.size() && j < i + PER_LINE; ++j) {
            const unsigned v = static_cast<unsigned char>(bytes[j]);
            out << '\\' << char('0' + (v >> 6)) << char('0' + ((v >> 3) & 7)) << char('0' + (v & 7));
        }
        out << "\"\n";
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: quobbin_embed <quobbin.rc> <out.cpp>\n");
        return 2;
    }
    const std::string rc_path = argv[1];
    const std::string dir = rc_path.substr(0, rc_path.find_last_of('/') + 1);
    std::ifstream rc(rc_path);
    if (!rc) {
        std::fprintf(stderr, "quobbin_embed: cannot read %s\n", rc_path.c_str());
        return 1;
    }
    std::vector<Entry> entries;
    std::string line;
    while (std::getline(rc, line)) {
        std::istringstream words(line);
        Entry e;
        std::string rest;
        if (!(words >> e.name >> e.type >> e.file) || (words >> rest)) continue;
        // A name may be a string in quotes, as the icon's "0" is.
        if (e.name.size() > 2 && e.name.front() == '"' && e.name.back() == '"')
            e.name = e.name.substr(1, e.name.size() - 2);
        if (!is_word(e.name) || !is_word(e.type)) continue;
        if (e.file.size() < 3 || e.file.front() != '"' || e.file.back() != '"') continue;
        e.file = e.file.substr(1, e.file.size() - 2);
        entries.push_back(e);
    }

    std::ostringstream out;
    out << "// Generated from quobbin.rc by quobbin_embed; do not edit.\n"
           "#include \"platform/embedded_resources.h\"\n\nnamespace {\n\n";
    for (size_t i = 0; i < entries.size(); ++i) {
        std::string bytes;
        if (!read_file(dir + entries[i].file, &bytes) || bytes.empty()) {
            std::fprintf(stderr, "quobbin_embed: %s%s is missing or empty\n", dir.c_str(), entries[i].file.c_str());
            return 1;
        }
        out << "// " << entries[i].file << "\nconstexpr unsigned char resource_" << i << "[] =\n";
        write_bytes(out, bytes);
        out << "    ;\nconstexpr size_t resource_" << i << "_size = " << bytes.size() << ";\n\n";
    }
    out << "constexpr platform::EmbeddedResource RESOURCES[] = {\n";
    for (size_t i = 0; i < entries.size(); ++i)
        out << "    {\"" << entries[i].name << "\", \"" << entries[i].type << "\", resource_" << i << ", resource_" << i
            << "_size},\n";
    out << "};\n\n} // namespace\n\nnamespace platform {\n\n"
           "std::span<const EmbeddedResource> embedded_resources()\n{\n    return RESOURCES;\n}\n\n"
           "} // namespace platform\n";

    std::ofstream file(argv[2], std::ios::binary);
    file << out.str();
    if (!file.flush()) {
        std::fprintf(stderr, "quobbin_embed: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
