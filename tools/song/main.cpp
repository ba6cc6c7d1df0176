// quobbin_songc: compiles the tune's text source into the song resource,
// and checks what it wrote with the library's own parser.
//
//   quobbin_songc OUTPUT_DIR               writes OUTPUT_DIR/quobbin.sng
//   quobbin_songc --render OUT.wav [LOOPS] plays the intro and LOOPS passes
//                                          of the loop (2 if not given) into
//                                          a 16-bit WAV, with levels and the
//                                          loop joins reported
// Either may start with `--source FILE` to read another text than the
// tune's, for trying out a change.
#include "render.h"
#include "res_files.h"
#include "song_text.h"
#include "song_write.h"

#include "sorvel/samples.h"
#include "sorvel/song.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

constexpr int RATE = 44100;
std::string source_path = QUOBBIN_SONG_SOURCE;

bool compile(std::vector<uint8_t>* bytes)
{
    std::ifstream in(source_path);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", source_path.c_str());
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    songc::SongSource source;
    std::string error;
    if (!songc::song_text_parse(text.str(), "quobbin.song", &source, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    *bytes = songc::song_write(source);
    sorvel::Song song;
    const sorvel::SongStatus status = sorvel::song_parse(*bytes, &song);
    if (status != sorvel::SONG_OK) {
        std::fprintf(stderr, "the library refuses the compiled song: %s\n", sorvel::song_status_text(status));
        return false;
    }
    return true;
}

int render(const char* path, int loops)
{
    std::vector<uint8_t> bytes;
    if (!compile(&bytes)) return 1;
    sorvel::Song song;
    sorvel::song_parse(bytes, &song);
    std::string error;
    if (!songc::res_files_load(QUOBBIN_RES_DIR, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    if (!sorvel::samples_load(song, songc::res_files_wave)) {
        std::fprintf(stderr, "a sample instrument's WAVE resource is missing or unreadable\n");
        return 1;
    }
    const uint64_t intro = songc::song_intro_ticks(song);
    const uint64_t loop = songc::song_loop_ticks(song);
    const uint64_t frames = songc::song_tick_frame(song, RATE, intro + uint64_t(loops) * loop);
    const std::vector<int32_t> mix = songc::song_render(song, RATE, frames, 1024);
    if (!songc::wav_write_16(path, mix, RATE)) {
        std::fprintf(stderr, "cannot write %s\n", path);
        return 1;
    }
    const songc::Levels all = songc::song_levels(mix, 0, frames);
    const uint64_t first = songc::song_tick_frame(song, RATE, intro);
    std::printf("%s: %zu bytes of song, %.2f s rendered\n", path, bytes.size(), double(frames) / RATE);
    std::printf("intro %.2f s, loop %.2f s (%llu frames)\n", double(songc::song_tick_frame(song, RATE, intro)) / RATE,
                double(songc::song_tick_frame(song, RATE, loop)) / RATE,
                static_cast<unsigned long long>(songc::song_tick_frame(song, RATE, loop)));
    std::printf("peak %d of 32767 (%.1f dBFS), mean left %.2f right %.2f\n", all.peak,
                20.0 * std::log10(all.peak / 32767.0), all.mean[0], all.mean[1]);
    std::printf("largest step between frames %d at %.3f s\n", all.largest_step, double(all.largest_step_frame) / RATE);
    // The loop's first pass starts after the intro, the others after the
    // loop's own end: a join as rough as that first start is no click.
    std::printf("first pass at frame %llu: largest step within 64 frames %d\n", static_cast<unsigned long long>(first),
                songc::song_levels(mix, first < 64 ? 0 : first - 64, first + 64).largest_step);
    for (int k = 1; k < loops; ++k) {
        const uint64_t join = songc::song_tick_frame(song, RATE, intro + uint64_t(k) * loop);
        const songc::Levels around = songc::song_levels(mix, join - 64, join + 64);
        std::printf("join %d at frame %llu: largest step within 64 frames %d\n", k,
                    static_cast<unsigned long long>(join), around.largest_step);
    }
    return all.peak < 32767 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::string(argv[1]) == "--source") {
        source_path = argv[2];
        argv += 2;
        argc -= 2;
    }
    if (argc >= 3 && std::string(argv[1]) == "--render") {
        const int loops = argc >= 4 ? std::atoi(argv[3]) : 2;
        return render(argv[2], loops > 0 ? loops : 2);
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR | --render OUT.wav [LOOPS]\n", argv[0]);
        return 2;
    }
    std::vector<uint8_t> bytes;
    if (!compile(&bytes)) return 1;
    std::error_code error;
    std::filesystem::create_directories(argv[1], error);
    const std::string path = (std::filesystem::path(argv[1]) / "quobbin.sng").string();
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}
