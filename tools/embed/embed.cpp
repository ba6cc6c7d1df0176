// Turns the resource list res/quobbin.rc into a C++ source that holds every
// listed file's bytes and a table to find them by name and type. The
// Windows build compiles the .rc itself; the other builds link this table.
//
//   quobbin_embed <quobbin.rc> <out.cpp>
//
// Which lines list a resource is resource_script.h's rule; a listed file
// that is missing or empty stops the build.
#include "resource_script.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

// Octal escapes of three digits never run into the next byte.
void write_bytes(std::ostream& out, std::span<const uint8_t> bytes)
{
    constexpr size_t PER_LINE = 40;
    for (size_t i = 0; i < bytes.size(); i += PER_LINE) {
        out << "    \"";
        for (size_t j = i; j < bytes.size() && j < i + PER_LINE; ++j) {
            const unsigned v = bytes[j];
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
    platform::ResourceStore store;
    std::vector<std::string> missing;
    if (!resource_script_load(argv[1], &store, &missing)) {
        std::fprintf(stderr, "quobbin_embed: cannot read %s\n", argv[1]);
        return 1;
    }
    for (const std::string& file : missing)
        std::fprintf(stderr, "quobbin_embed: %s is missing or empty\n", file.c_str());
    if (!missing.empty()) return 1;

    std::ostringstream out;
    out << "// Generated from quobbin.rc by quobbin_embed; do not edit.\n"
           "#include \"platform/embedded_resources.h\"\n\nnamespace {\n\n";
    const std::vector<platform::Resource>& table = store.table;
    for (size_t i = 0; i < table.size(); ++i) {
        out << "// " << table[i].name << ' ' << table[i].type << "\nconstexpr unsigned char resource_" << i << "[] =\n";
        write_bytes(out, table[i].bytes);
        out << "    ;\n\n";
    }
    out << "constexpr platform::Resource RESOURCES[] = {\n";
    for (size_t i = 0; i < table.size(); ++i)
        out << "    {\"" << table[i].name << "\", \"" << table[i].type << "\", {resource_" << i << ", "
            << table[i].bytes.size() << "}},\n";
    out << "};\n\n} // namespace\n\nnamespace platform {\n\n"
           "std::span<const Resource> embedded_resources()\n{\n    return RESOURCES;\n}\n\n"
           "} // namespace platform\n";

    std::ofstream file(argv[2], std::ios::binary);
    file << out.str();
    if (!file.flush()) {
        std::fprintf(stderr, "quobbin_embed: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
