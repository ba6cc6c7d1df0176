// Building blocks for the sound recipes: oscillators, a fixed-seed noise
// source, envelopes, filters and the finishing touches. Everything renders in
// double at the game's 22050 Hz; wave_file.cpp turns it into 8-bit samples.
#pragma once

#include <cstdint>
#include <vector>

namespace sfx {

inline constexpr double RATE = 22050.0;
inline constexpr double PI = 3.14159265358979323846;

using Buffer = std::vector<double>;

// One buffer per channel, all of the same length, samples in [-1, 1].
struct Sound {
    std::vector<Buffer> channels;
};

int frames_for(double seconds);
double time_of(int frame);
// Equal-tempered pitch of a MIDI note number (69 is A4 = 440 Hz).
double midi(double note);

// --- oscillators: waveforms of a phase counted in cycles -----------------
double sine(double phase);
double square(double phase, double duty);
double triangle(double phase);
double saw(double phase);
// A saw built from its harmonics below `ceiling` Hz, so high notes do not
// fold back into a fizz at our low sample rate.
double soft_saw(double phase, double freq, double ceiling = 9000.0);
// A band-limited pulse made of two soft saws; `duty` is the high part. It has
// no DC, so enveloped notes do not thump.
double soft_pulse(double phase, double freq, double duty, double ceiling = 9000.0);

// Keeps the running phase of an oscillator whose frequency may change on
// every sample (glides, vibrato) without a jump in the waveform.
class Phase {
public:
    explicit Phase(double start = 0.0) : phase_(start) {}
    // Returns the current phase, then advances by one sample at `freq`.
    double next(double freq);

private:
    double phase_;
};

// xorshift32 white noise in [-1, 1); every sound seeds its own, so the files
// come out the same on every run.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed ? seed : 1u) {}
    double next();

private:
    std::uint32_t state_;
};

// --- envelopes (t in seconds) ---------------------------------------------
// Linear rise over `attack`, then an exponential fall with time constant `tau`.
double strike(double t, double attack, double tau);
// Classic ADSR for a note held for `held` seconds; zero once the release ends.
double adsr(double t, double held, double attack, double decay, double sustain, double release);
// Exponential (musically even) slide from one frequency to another over
// `duration`, then holding the target.
double glide(double t, double from, double to, double duration);
// 0 before `start`, 1 after `start + length`, a smooth S-curve between.
double smooth_step(double t, double start, double length);

// --- filters ---------------------------------------------------------------
class OnePoleLow {
public:
    explicit OnePoleLow(double cutoff) { set(cutoff); }
    void set(double cutoff);
    double run(double x);

private:
    double a_ = 0.0;
    double y_ = 0.0;
};

class OnePoleHigh {
public:
    explicit OnePoleHigh(double cutoff) : low_(cutoff) {}
    void set(double cutoff) { low_.set(cutoff); }
    double run(double x) { return x - low_.run(x); }

private:
    OnePoleLow low_;
};

// Trapezoidal state-variable filter: stays stable for any cutoff below
// Nyquist, so the hi-hats can sit at 7 kHz and the formants may sweep.
class Svf {
public:
    struct Out {
        double low;
        double band; // peak gain 1 at the cutoff
        double high;
    };
    Svf(double cutoff, double q) { set(cutoff, q); }
    void set(double cutoff, double q);
    Out run(double x);

private:
    double k_ = 1.0, a1_ = 0.0, a2_ = 0.0, a3_ = 0.0;
    double ic1_ = 0.0, ic2_ = 0.0;
};

// --- mixing and finishing --------------------------------------------------
// Adds `what * gain` into `into`, starting `at` frames in (grows `into`).
void mix(Buffer& into, const Buffer& what, double gain, int at = 0);
Sound mono(Buffer samples);
Sound stereo(Buffer left, Buffer right);
// Scales every channel so the loudest sample reaches `peak`.
void normalise(Sound& sound, double peak);
// The common ending for one-shot effects: block DC, fade in over 2 ms and out
// over `fade_out` seconds (both raised-cosine, ending exactly on silence),
// then normalise to `peak`.
Sound finish(Sound sound, double peak, double fade_out);

} // namespace sfx
