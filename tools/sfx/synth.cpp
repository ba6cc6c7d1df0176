#include "synth.h"

#include <algorithm>
#include <cmath>

namespace sfx {

int frames_for(double seconds)
{
    return static_cast<int>(std::lround(seconds * RATE));
}

double time_of(int frame)
{
    return frame / RATE;
}

double midi(double note)
{
    return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}

// --- oscillators -----------------------------------------------------------

static double fraction(double phase)
{
    return phase - std::floor(phase);
}

double sine(double phase)
{
    return std::sin(2.0 * PI * phase);
}

double square(double phase, double duty)
{
    return fraction(phase) < duty ? 1.0 : -1.0;
}

double triangle(double phase)
{
    const double p = fraction(phase);
    // Starts at zero and rises, like sine(), so notes begin without a step.
    if (p < 0.25) return 4.0 * p;
    if (p < 0.75) return 2.0 - 4.0 * p;
    return 4.0 * p - 4.0;
}

double saw(double phase)
{
    return 2.0 * fraction(phase + 0.5) - 1.0;
}

double soft_saw(double phase, double freq, double ceiling)
{
    // The Fourier series of saw(): a rising ramp through zero at phase 0,
    // so a note starting there starts from silence.
    const int harmonics = std::max(1, static_cast<int>(ceiling / freq));
    double sum = 0.0;
    double sign = 1.0;
    for (int k = 1; k <= harmonics; ++k) {
        sum += sign * std::sin(2.0 * PI * k * phase) / k;
        sign = -sign;
    }
    return sum * (2.0 / PI);
}

double soft_pulse(double phase, double freq, double duty, double ceiling)
{
    return soft_saw(phase, freq, ceiling) - soft_saw(phase - duty, freq, ceiling);
}

double Phase::next(double freq)
{
    const double now = phase_;
    phase_ = fraction(phase_ + freq / RATE);
    return now;
}

double Noise::next()
{
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_ / 2147483648.0 - 1.0;
}

// --- envelopes -------------------------------------------------------------

double strike(double t, double attack, double tau)
{
    if (t < 0.0) return 0.0;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / tau);
}

double adsr(double t, double held, double attack, double decay, double sustain, double release)
{
    if (t < 0.0) return 0.0;
    auto level = [&](double u) {
        if (u < attack) return u / attack;
        if (u < attack + decay) return 1.0 - (1.0 - sustain) * (u - attack) / decay;
        return sustain;
    };
    if (t < held) return level(t);
    if (t < held + release) return level(held) * (1.0 - (t - held) / release);
    return 0.0;
}

double glide(double t, double from, double to, double duration)
{
    const double u = std::clamp(t / duration, 0.0, 1.0);
    return from * std::pow(to / from, u);
}

double smooth_step(double t, double start, double length)
{
    const double u = std::clamp((t - start) / length, 0.0, 1.0);
    return 0.5 - 0.5 * std::cos(PI * u);
}

// --- filters ---------------------------------------------------------------

void OnePoleLow::set(double cutoff)
{
    a_ = 1.0 - std::exp(-2.0 * PI * cutoff / RATE);
}

double OnePoleLow::run(double x)
{
    y_ += a_ * (x - y_);
    return y_;
}

void Svf::set(double cutoff, double q)
{
    const double g = std::tan(PI * std::min(cutoff, 0.49 * RATE) / RATE);
    k_ = 1.0 / q;
    a1_ = 1.0 / (1.0 + g * (g + k_));
    a2_ = g * a1_;
    a3_ = g * a2_;
}

Svf::Out Svf::run(double x)
{
    const double v3 = x - ic2_;
    const double v1 = a1_ * ic1_ + a2_ * v3;
    const double v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
    ic1_ = 2.0 * v1 - ic1_;
    ic2_ = 2.0 * v2 - ic2_;
    return {v2, k_ * v1, x - k_ * v1 - v2};
}

// --- mixing and finishing --------------------------------------------------

void mix(Buffer& into, const Buffer& what, double gain, int at)
{
    if (into.size() < what.size() + at) into.resize(what.size() + at, 0.0);
    for (std::size_t i = 0; i < what.size(); ++i) into[i + at] += gain * what[i];
}

Sound mono(Buffer samples)
{
    return Sound{{std::move(samples)}};
}

Sound stereo(Buffer left, Buffer right)
{
    const std::size_t n = std::max(left.size(), right.size());
    left.resize(n, 0.0);
    right.resize(n, 0.0);
    return Sound{{std::move(left), std::move(right)}};
}

void normalise(Sound& sound, double peak)
{
    double loudest = 0.0;
    for (const Buffer& b : sound.channels)
        for (double x : b) loudest = std::max(loudest, std::abs(x));
    if (loudest == 0.0) return;
    const double scale = peak / loudest;
    for (Buffer& b : sound.channels)
        for (double& x : b) x *= scale;
}

Sound finish(Sound sound, double peak, double fade_out)
{
    const int fade_in_frames = frames_for(0.002);
    const int fade_out_frames = frames_for(fade_out);
    for (Buffer& b : sound.channels) {
        // A 10 Hz blocker keeps the 8-bit midpoint honest without thinning the kick.
        OnePoleHigh dc(10.0);
        for (double& x : b) x = dc.run(x);
        const int n = static_cast<int>(b.size());
        for (int i = 0; i < n; ++i) {
            double gain = 1.0;
            if (i < fade_in_frames) gain *= 0.5 - 0.5 * std::cos(PI * i / fade_in_frames);
            const int from_end = n - 1 - i;
            if (from_end < fade_out_frames) gain *= 0.5 - 0.5 * std::cos(PI * from_end / fade_out_frames);
            b[static_cast<std::size_t>(i)] *= gain;
        }
    }
    normalise(sound, peak);
    return sound;
}

} // namespace sfx
