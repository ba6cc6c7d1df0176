// The two little tunes: "get ready" when a game begins, and the fanfare for a
// new best score. Both sit in C major so they agree with each other.
#include "effects.h"

#include <cmath>

namespace sfx {

namespace {

struct Note {
    double start; // seconds
    double pitch; // MIDI note
    double held;  // seconds until release
    double gain;
};

// A chiptune lead: a 25% pulse with a soft sine an octave below for body,
// rounded off by a low-pass. Long notes get a delayed vibrato.
void play_lead(Buffer& out, const Note& n)
{
    const double f = midi(n.pitch);
    const double release = 0.08;
    Phase lead, body;
    Svf tone(3200.0, 0.7);
    const int end = frames_for(n.start + n.held + release);
    for (int i = frames_for(n.start); i < end && i < static_cast<int>(out.size()); ++i) {
        const double t = time_of(i) - n.start;
        const double vibrato = 1.0 + 0.012 * smooth_step(t, 0.1, 0.08) * sine(6.0 * t);
        const double x = 0.5 * soft_pulse(lead.next(f * vibrato), f, 0.25) + 0.3 * sine(body.next(0.5 * f));
        out[static_cast<std::size_t>(i)] += n.gain * tone.run(x).low * adsr(t, n.held, 0.004, 0.05, 0.7, release);
    }
}

// A brass voice: a band-limited saw whose low-pass opens with the attack
// ("blat") and settles, with vibrato creeping in on held notes.
void play_brass(Buffer& out, const Note& n)
{
    const double f = midi(n.pitch);
    const double release = 0.16;
    Phase reed;
    Svf mouth(600.0, 1.2);
    const int end = frames_for(n.start + n.held + release);
    for (int i = frames_for(n.start); i < end && i < static_cast<int>(out.size()); ++i) {
        const double t = time_of(i) - n.start;
        const double level = adsr(t, n.held, 0.02, 0.1, 0.75, release);
        const double vibrato = 1.0 + 0.01 * smooth_step(t, 0.25, 0.2) * sine(5.5 * t);
        mouth.set(600.0 + 3400.0 * level, 1.2);
        const double x = soft_saw(reed.next(f * vibrato), f * vibrato);
        out[static_cast<std::size_t>(i)] += n.gain * mouth.run(x).low * level;
    }
}

} // namespace

// "Get ready": a quick climb C5 - E5 - G5 landing on a held C6.
Sound make_ready()
{
    Buffer out(static_cast<std::size_t>(frames_for(0.7)));
    const Note tune[] = {
        {0.00, 72.0, 0.07, 0.8},
        {0.10, 76.0, 0.07, 0.8},
        {0.20, 79.0, 0.07, 0.85},
        {0.32, 84.0, 0.26, 1.0},
    };
    for (const Note& n : tune) play_lead(out, n);
    return finish(mono(out), 0.85, 0.01);
}

// New best score: "ta-ta-ta TAAA" in brass, three quick G's (with a quiet
// octave on top) landing on a full C major chord, with a cymbal wash.
Sound make_new()
{
    Buffer out(static_cast<std::size_t>(frames_for(1.4)));
    const double land = 0.38;
    const Note tune[] = {
        {0.00, 67.0, 0.08, 0.8}, {0.00, 79.0, 0.08, 0.3}, {0.12, 67.0, 0.08, 0.8}, {0.12, 79.0, 0.08, 0.3},
        {0.24, 67.0, 0.08, 0.8}, {0.24, 79.0, 0.08, 0.3}, {land, 60.0, 0.8, 0.45}, {land, 72.0, 0.8, 0.6},
        {land, 76.0, 0.8, 0.5},  {land, 79.0, 0.8, 0.5},  {land, 84.0, 0.8, 0.6},
    };
    for (const Note& n : tune) play_brass(out, n);

    Noise hiss(0xFA2Fu);
    Svf bright(6000.0, 0.7);
    for (int i = frames_for(land); i < static_cast<int>(out.size()); ++i) {
        const double t = time_of(i) - land;
        out[static_cast<std::size_t>(i)] += 0.25 * bright.run(hiss.next()).high * strike(t, 0.004, 0.3);
    }
    return finish(mono(out), 0.88, 0.01);
}

} // namespace sfx
