// The seal's call on the title screen: two cute barks, "awoo - awooo".
// A band-limited buzz (the voice box) goes through two resonant band-passes
// (the mouth) whose frequencies slide from a closed "w" to an open "a" and
// back to a rounded "oo", while the pitch jumps up and sags down.
#include "effects.h"

#include <cmath>
#include <cstdint>

namespace sfx {

namespace {

struct Bark {
    double length; // seconds
    double from;   // starting pitch, Hz
    double peak;   // pitch reached after the first 50 ms
    double to;     // pitch the bark sags down to
    std::uint32_t seed;
};

// Mouth shapes as (first, second) formant in Hz.
constexpr double CLOSED_F1 = 400.0, CLOSED_F2 = 820.0; // "w" / "oo"
constexpr double OPEN_F1 = 880.0, OPEN_F2 = 1400.0;    // "a"

Buffer render_bark(const Bark& b)
{
    Buffer out(static_cast<std::size_t>(frames_for(b.length)));
    Phase glottis;
    Noise jitter(b.seed), breath(b.seed * 3u + 1u);
    OnePoleLow wander(25.0);
    Svf first(CLOSED_F1, 5.0), second(CLOSED_F2, 7.0), sparkle(2700.0, 6.0);
    const double rise = 0.05;
    for (int i = 0; i < static_cast<int>(out.size()); ++i) {
        const double t = time_of(i);
        double f0 = t < rise ? glide(t, b.from, b.peak, rise) : glide(t - rise, b.peak, b.to, b.length - rise);
        // A slow random wander plus a little vibrato keep it alive, not robotic.
        f0 *= 1.0 + 0.02 * sine(7.0 * t) + 0.15 * wander.run(jitter.next());
        // The buzz of the voice box plus a breath of air through the same mouth.
        const double source = soft_saw(glottis.next(f0), f0, 6000.0) + 0.25 * breath.next();

        // w -> a within 40 ms, then a long slide towards "oo".
        const double open = smooth_step(t, 0.0, 0.04) * (1.0 - smooth_step(t, 0.1, 0.6 * b.length));
        first.set(CLOSED_F1 + (OPEN_F1 - CLOSED_F1) * open, 5.0);
        second.set(CLOSED_F2 + (OPEN_F2 - CLOSED_F2) * open, 7.0);
        const double mouth = first.run(source).band + 0.6 * second.run(source).band + 0.12 * sparkle.run(source).band;

        // Loud at the "a", easing off as the mouth rounds: a bark, not a moan.
        out[static_cast<std::size_t>(i)] = mouth * adsr(t, b.length - 0.08, 0.015, 0.6 * b.length, 0.4, 0.08);
    }
    return out;
}

} // namespace

// Stereo: the first bark leans left, the second right, and the right channel
// trails by half a millisecond so the pair sounds wide on the title screen.
Sound make_azarashi()
{
    const int length = frames_for(1.0);
    const int trail = frames_for(0.0005);
    Buffer left(static_cast<std::size_t>(length), 0.0), right(static_cast<std::size_t>(length), 0.0);

    const Buffer first = render_bark({0.36, 430.0, 650.0, 390.0, 0x5EA1u});
    const Buffer second = render_bark({0.44, 470.0, 720.0, 410.0, 0xA205u});
    const int second_at = frames_for(0.46);

    mix(left, first, 1.0);
    mix(right, first, 0.75, trail);
    mix(left, second, 0.75, second_at);
    mix(right, second, 1.0, second_at + trail);
    left.resize(static_cast<std::size_t>(length));
    right.resize(static_cast<std::size_t>(length));
    return finish(stereo(left, right), 0.88, 0.01);
}

} // namespace sfx
