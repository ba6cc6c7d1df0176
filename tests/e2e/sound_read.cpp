// Reads what the Windows game sounded like, for the end-to-end run under
// Wine: a capture of 32-bit float stereo frames at 48000 Hz, taken from a
// PulseAudio null sink's monitor, and a log of when the capture grew, which
// ties each frame to the moment it came out. Built for the build machine.
//
//   sound_read watch CAPTURE LOG            logs "ns bytes" at each growth until killed
//   sound_read level CAPTURE LOG FROM TO    left and right level in dBFS, the quietest 100 ms
//                                           and how many ms after FROM it begins
//   sound_read onsets CAPTURE LOG DB T      ms after the time T until the sound first passes DB dBFS
//   sound_read find CAPTURE LOG FROM TO WAVE [WAVE]
//                                           where the recordings, started together, begin
//                                           between FROM and TO: the time, the left level over
//                                           the right in dB, and how well they fit (0 to 1)
//   sound_read reply TRACE KEYSYM FROM      from Wine's trace (+timestamp,+key,+dsound): when the
//                                           game got the first press of KEYSYM (hex) after FROM,
//                                           and its next Play on a sound buffer
//
// Times are nanoseconds of the wall clock (date +%s%N). Wine stamps its
// trace with milliseconds of CLOCK_MONOTONIC_RAW, turned here into the
// wall clock by the two clocks' present difference.
#include "sorvel/samples.h"

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr double RATE = 48000;
constexpr int FRAME_BYTES = 8;

struct Capture {
    std::vector<float> left, right;
    // When the capture grew: the wall-clock time and the frames it then held.
    std::vector<std::pair<double, long>> growth;
};

int64_t now_ns()
{
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

bool load(const char* path, const char* log_path, Capture* c)
{
    std::ifstream in(path, std::ios::binary);
    for (float frame[2]; in.read(reinterpret_cast<char*>(frame), sizeof frame);) {
        c->left.push_back(frame[0]);
        c->right.push_back(frame[1]);
    }
    std::ifstream log(log_path);
    for (long long ns = 0, bytes = 0; log >> ns >> bytes;)
        c->growth.emplace_back(double(ns), long(bytes / FRAME_BYTES));
    return !c->growth.empty() && !c->left.empty();
}

// A frame counts as heard when it reached the capture: the sink hands its
// monitor each block as soon as it has mixed it, so that is the moment the
// device let go of it.
double time_of(const Capture& c, long frame)
{
    for (const auto& [ns, frames] : c.growth)
        if (frames > frame) return ns;
    return c.growth.back().first;
}

// The frames the capture held at that moment.
long frame_at(const Capture& c, double ns)
{
    long frames = 0;
    for (const auto& [when, held] : c.growth)
        if (when <= ns) frames = held;
    return std::min(frames, long(c.left.size()));
}

double db(double energy)
{
    return 10 * std::log10(energy + 1e-20);
}

// A WAVE file's samples as one channel from -1 to 1, read by the music
// library's reader, at the capture's rate.
std::vector<float> wave_at_capture_rate(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<float> mono(b.size());
    uint32_t frames = 0, rate = 0;
    if (!sorvel::sample_wave_decode(b, mono.data(), uint32_t(mono.size()), &frames, &rate)) return {};
    std::vector<float> out;
    for (double t = 0; t < double(frames - 1); t += rate / RATE) {
        const size_t i = size_t(t);
        out.push_back(float(mono[i] + (mono[i + 1] - mono[i]) * (t - double(i))));
    }
    return out;
}

int watch(const char* path, const char* log_path)
{
    FILE* log = std::fopen(log_path, "w");
    if (!log) return 1;
    std::signal(SIGTERM, [](int) { std::_Exit(0); });
    long long last = -1;
    for (;;) {
        struct stat s {};
        if (stat(path, &s) == 0 && s.st_size != last) {
            last = s.st_size;
            std::fprintf(log, "%lld %lld\n", (long long)now_ns(), last);
            std::fflush(log);
        }
        usleep(1000);
    }
}

int level(const Capture& c, double from, double to)
{
    const long a = frame_at(c, from), z = frame_at(c, to);
    // The tune rests for 67 ms at most; 100 ms without it is a gap.
    const long window = long(RATE / 10);
    double el = 0, er = 0, quietest = 1e9, quietest_at = 0;
    for (long w = a; w < z; w += window) {
        double e = 0;
        const long end = std::min(z, w + window);
        for (long i = w; i < end; ++i) {
            el += c.left[i] * c.left[i];
            er += c.right[i] * c.right[i];
            e += std::max(c.left[i] * c.left[i], c.right[i] * c.right[i]);
        }
        if (end - w == window && db(e / double(window)) < quietest) {
            quietest = db(e / double(window));
            quietest_at = (time_of(c, w) - from) / 1e6;
        }
    }
    const double n = std::max(1L, z - a);
    std::printf("%.1f %.1f %.1f %.0f\n", db(el / n), db(er / n), quietest, quietest_at);
    return 0;
}

int onset(const Capture& c, double threshold_db, double t)
{
    const float limit = float(std::pow(10.0, threshold_db / 20));
    long i = frame_at(c, t);
    while (i < long(c.left.size()) && std::fabs(c.left[i]) < limit && std::fabs(c.right[i]) < limit) ++i;
    if (i == long(c.left.size())) return 1;
    std::printf("%.1f\n", (time_of(c, i) - t) / 1e6);
    return 0;
}

// The recordings, started together and panned alike, are fitted at each
// start between FROM and TO; the best start is the one whose sum lines up
// best with both channels together. Each channel's share of that sum comes
// from least squares at that start, so the tune underneath only adds a
// little noise.
int find(const Capture& c, double from, double to, const std::vector<std::vector<float>>& waves)
{
    size_t length = 0;
    for (const auto& w : waves) length = std::max(length, w.size());
    std::vector<float> sum(length, 0.f);
    for (const auto& w : waves)
        for (size_t i = 0; i < w.size(); ++i) sum[i] += w[i];
    const long a = frame_at(c, from), z = frame_at(c, to);
    double best = -1;
    long best_at = -1;
    for (long s = a; s < z && s + long(length) <= long(c.left.size()); ++s) {
        double dot = 0, energy = 0;
        for (size_t i = 0; i < length; ++i) {
            const double m = c.left[s + i] + c.right[s + i];
            dot += m * sum[i];
            energy += m * m;
        }
        const double score = energy > 0 ? dot / std::sqrt(energy) : 0;
        if (score > best) best = score, best_at = s;
    }
    if (best_at < 0) return 1;
    double left = 0, right = 0, model = 0, seen = 0;
    for (size_t i = 0; i < length; ++i) {
        const double l = c.left[best_at + long(i)], r = c.right[best_at + long(i)];
        left += l * sum[i];
        right += r * sum[i];
        model += double(sum[i]) * sum[i];
        seen += (l + r) * (l + r);
    }
    std::printf("%.0f %.1f %.2f\n", time_of(c, best_at), 20 * std::log10(std::fabs(left) / std::fabs(right)),
                (left + right) / std::sqrt(model * seen));
    return 0;
}

// The moments a Windows program got a key and answered it with a sound,
// from Wine's trace lines "<s.ms>:<thread>:trace:key:X11DRV_KeyEvent
// KeyPress : keysym=<hex> ..." and "...:IDirectSoundBufferImpl_Play ...".
int reply(const char* trace_path, const char* keysym, double from)
{
    timespec raw{}, wall{};
    clock_gettime(CLOCK_MONOTONIC_RAW, &raw);
    clock_gettime(CLOCK_REALTIME, &wall);
    const double offset = double(wall.tv_sec - raw.tv_sec) * 1e9 + double(wall.tv_nsec - raw.tv_nsec);
    FILE* f = std::fopen(trace_path, "r");
    if (!f) return 1;
    const std::string press = std::string("KeyPress : keysym=") + keysym + " ";
    double key_at = -1;
    char line[512];
    while (std::fgets(line, sizeof line, f)) {
        double seconds = 0;
        if (std::sscanf(line, "%lf:", &seconds) != 1) continue;
        const double at = seconds * 1e9 + offset;
        if (key_at < 0 && at >= from && std::strstr(line, press.c_str())) key_at = at;
        if (key_at >= 0 && std::strstr(line, "IDirectSoundBufferImpl_Play ")) {
            std::fclose(f);
            std::printf("%.0f %.0f\n", key_at, at);
            return 0;
        }
    }
    std::fclose(f);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) return 2;
    const std::string what = argv[1];
    if (what == "watch") return watch(argv[2], argv[3]);
    if (what == "reply" && argc == 5) return reply(argv[2], argv[3], std::atof(argv[4]));
    Capture c;
    if (!load(argv[2], argv[3], &c)) return 1;
    if (what == "level" && argc == 6) return level(c, std::atof(argv[4]), std::atof(argv[5]));
    if (what == "onsets" && argc == 6) return onset(c, std::atof(argv[4]), std::atof(argv[5]));
    if (what == "find" && (argc == 7 || argc == 8)) {
        std::vector<std::vector<float>> waves;
        for (int i = 6; i < argc; ++i) waves.push_back(wave_at_capture_rate(argv[i]));
        for (const auto& w : waves)
            if (w.empty()) return 1;
        return find(c, std::atof(argv[4]), std::atof(argv[5]), waves);
    }
    return 2;
}
