// sfxgen: writes every sound of the game into the folder given on the
// command line (normally res/). Run it after changing any recipe here; the
// test suite regenerates into a scratch folder and compares.
#include "effects.h"
#include "wave_file.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

struct Entry {
    const char* file;
    int channels;
    sfx::Sound (*make)();
};

const Entry SOUNDS[] = {
    {"go.wav", 1, sfx::make_go},
    {"shot.wav", 1, sfx::make_shot},
    {"hit.wav", 1, sfx::make_hit},
    {"out.wav", 1, sfx::make_out},
    {"safe.wav", 1, sfx::make_safe},
    {"azarashi.wav", 2, sfx::make_azarashi},
    {"ready.wav", 1, sfx::make_ready},
    {"new.wav", 1, sfx::make_new},
    {"count.wav", 1, sfx::make_count},
    {"wave100.wav", 1, sfx::make_wave100},
    {"wave_wave100.wav", 1, sfx::make_wave_wave100},
    {"bass02.wav", 1, sfx::make_bass02},
    {"snare01.wav", 1, sfx::make_snare01},
    {"hiclose.wav", 1, sfx::make_hiclose},
    {"hiopen.wav", 1, sfx::make_hiopen},
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) {
        std::fprintf(stderr, "cannot create %s: %s\n", dir.string().c_str(), error.message().c_str());
        return 1;
    }
    int status = 0;
    for (const Entry& entry : SOUNDS) {
        const sfx::Sound sound = entry.make();
        if (static_cast<int>(sound.channels.size()) != entry.channels) {
            std::fprintf(stderr, "%s: recipe made %zu channels, expected %d\n", entry.file, sound.channels.size(),
                         entry.channels);
            status = 1;
            continue;
        }
        const std::string path = (dir / entry.file).string();
        if (!sfx::write_wave(path, sound)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            status = 1;
        }
    }
    return status;
}
