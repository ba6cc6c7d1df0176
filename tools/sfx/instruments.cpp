// Raw material for the music synthesizer: two single-cycle oscillator shapes
// and a four-piece drum kit.
#include "effects.h"

#include <cmath>

namespace sfx {

namespace {

// One cycle of 100 samples built from whole harmonics, so sample 100 would be
// sample 0 again: the synthesizer loops the whole data chunk (frames 0..99)
// and it joins without a seam. At 22050 Hz one pass is 220.5 Hz. Lanczos
// smoothing rounds the corners that a cut-off harmonic series would ring on.
// No fades and no DC blocker here: either would break the loop.
Sound single_cycle(const double* amplitudes, int harmonics, double peak)
{
    const int period = 100;
    Buffer out(static_cast<std::size_t>(period), 0.0);
    for (int k = 1; k <= harmonics; ++k) {
        const double x = PI * k / (harmonics + 1);
        const double lanczos = std::sin(x) / x;
        for (int i = 0; i < period; ++i)
            out[static_cast<std::size_t>(i)] += amplitudes[k - 1] * lanczos * sine(static_cast<double>(k * i) / period);
    }
    Sound sound = mono(out);
    normalise(sound, peak);
    return sound;
}

// The four-piece kit's shared hi-hat metal: six detuned square waves (the
// classic drum-machine recipe) blended with noise, kept only above `cutoff`.
Sound render_hat(double length, double cutoff, double tau, double fade_out, unsigned seed)
{
    Buffer out(static_cast<std::size_t>(frames_for(length)));
    const double metal[] = {205.3, 304.4, 369.6, 522.7, 540.0, 800.0};
    Phase phases[6];
    Noise noise(seed);
    Svf air(cutoff, 0.9);
    for (int i = 0; i < static_cast<int>(out.size()); ++i) {
        const double t = time_of(i);
        double ring = 0.0;
        for (int k = 0; k < 6; ++k) ring += square(phases[k].next(metal[k] * 1.7), 0.5);
        const double x = 0.08 * ring + 0.5 * noise.next();
        out[static_cast<std::size_t>(i)] = air.run(x).high * strike(t, 0.001, tau);
    }
    return finish(mono(out), 0.8, fade_out);
}

} // namespace

// A mellow organ-ish pulse: strong odd harmonics like a square, a touch of
// the octave, top end rolled off early.
Sound make_wave100()
{
    const double amplitudes[] = {1.0, 0.25, 0.33, 0.06, 0.2, 0.0, 0.1};
    return single_cycle(amplitudes, 7, 0.85);
}

// A brighter saw with rounded corners: every harmonic at 1/k up to the 16th.
Sound make_wave_wave100()
{
    double amplitudes[16];
    for (int k = 1; k <= 16; ++k) amplitudes[k - 1] = (k % 2 ? 1.0 : -1.0) / k;
    return single_cycle(amplitudes, 16, 0.85);
}

// Kick: a sine whose pitch falls from 160 Hz to 48 Hz in a few tens of
// milliseconds, a tiny low-passed tick for the beater, gently saturated.
Sound make_bass02()
{
    Buffer out(static_cast<std::size_t>(frames_for(0.25)));
    Phase body;
    Noise noise(0xB455u);
    OnePoleLow beater(3000.0);
    for (int i = 0; i < static_cast<int>(out.size()); ++i) {
        const double t = time_of(i);
        const double f = 48.0 + 112.0 * std::exp(-t / 0.03);
        double x = sine(body.next(f)) * strike(t, 0.0015, 0.09);
        x += 0.3 * beater.run(noise.next()) * strike(t, 0.0005, 0.003);
        out[static_cast<std::size_t>(i)] = std::tanh(1.5 * x);
    }
    return finish(mono(out), 0.88, 0.01);
}

// Snare: two drum-head tones that sag slightly, under a burst of
// high-passed noise for the wires, which outlasts the tone.
Sound make_snare01()
{
    Buffer out(static_cast<std::size_t>(frames_for(0.2)));
    Phase low, high;
    Noise noise(0x5A4Eu);
    Svf wires(1500.0, 0.7);
    for (int i = 0; i < static_cast<int>(out.size()); ++i) {
        const double t = time_of(i);
        const double head = strike(t, 0.001, 0.04);
        double x = 0.6 * sine(low.next(glide(t, 240.0, 180.0, 0.05))) * head;
        x += 0.3 * sine(high.next(glide(t, 340.0, 300.0, 0.05))) * head;
        x += 0.8 * wires.run(noise.next()).high * strike(t, 0.001, 0.06);
        out[static_cast<std::size_t>(i)] = x;
    }
    return finish(mono(out), 0.88, 0.01);
}

// Closed hi-hat: a 60 ms tick of metal above 7 kHz.
Sound make_hiclose()
{
    return render_hat(0.06, 7000.0, 0.012, 0.005, 0xC105u);
}

// Open hi-hat: the same metal a little lower, ringing for 300 ms.
Sound make_hiopen()
{
    return render_hat(0.3, 6000.0, 0.1, 0.01, 0x0BE4u);
}

} // namespace sfx
