// sfxgen: writes every sound of the game into the folder given on the
// command line (normally res/). Run it after changing any recipe here; the
// test suite regenerates into a scratch folder and compares.
#include "effects.h"
#include "wave_file.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

// The game's effects play at this share of the level their recipes make:
// at the loudest moment of play (a new best's fanfare over a seal caught,
// one hit and one falling out, and the tune) they still add up below full
// scale. The music synthesizer's instruments keep their own peaks; the
// song's master volume sets how loud they play.
constexpr double EFFECT_LEVEL = 0.45;
constexpr double INSTRUMENT_LEVEL = 1.0;

struct Entry {
    const char* file;
    int channels;
    sfx::Sound (*make)();
    double level;
};

const Entry SOUNDS[] = {
    {"go.wav", 1, sfx::make_go, EFFECT_LEVEL},
    {"shot.wav", 1, sfx::make_shot, EFFECT_LEVEL},
    {"hit.wav", 1, sfx::make_hit, EFFECT_LEVEL},
    {"out.wav", 1, sfx::make_out, EFFECT_LEVEL},
    {"safe.wav", 1, sfx::make_safe, EFFECT_LEVEL},
    {"azarashi.wav", 2, sfx::make_azarashi, EFFECT_LEVEL},
    {"ready.wav", 1, sfx::make_ready, EFFECT_LEVEL},
    {"new.wav", 1, sfx::make_new, EFFECT_LEVEL},
    {"count.wav", 1, sfx::make_count, EFFECT_LEVEL},
    {"wave100.wav", 1, sfx::make_wave100, INSTRUMENT_LEVEL},
    {"wave_wave100.wav", 1, sfx::make_wave_wave100, INSTRUMENT_LEVEL},
    {"bass02.wav", 1, sfx::make_bass02, INSTRUMENT_LEVEL},
    {"snare01.wav", 1, sfx::make_snare01, INSTRUMENT_LEVEL},
    {"hiclose.wav", 1, sfx::make_hiclose, INSTRUMENT_LEVEL},
    {"hiopen.wav", 1, sfx::make_hiopen, INSTRUMENT_LEVEL},
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
        sfx::Sound sound = entry.make();
        for (sfx::Buffer& channel : sound.channels)
            for (double& x : channel) x *= entry.level;
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
