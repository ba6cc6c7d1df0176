// The gameplay cues. They fire constantly, so each is short, and each owns a
// different corner of the spectrum: a high bell for the release, a noise
// sweep for the dart, a low bonk for the head, a falling whistle for a loss.
#include "effects.h"

#include <cmath>

namespace sfx {

// The release cue: a bright bell "ping" that scoops up into A6 in its first
// 12 ms, which makes it read as "now!" rather than as decoration. A quarter
// second is short enough for three of them to sit in one stage.
Sound make_go()
{
    Buffer out(static_cast<std::size_t>(frames_for(0.25)));
    Phase fundamental, octave, clang;
    for (int i = 0; i < static_cast<int>(out.size()); ++i) {
        const double t = time_of(i);
        const double f = glide(t, 1400.0, 1760.0, 0.012);
        double x = sine(fundamental.next(f)) * strike(t, 0.002, 0.085);
        x += 0.35 * sine(octave.next(2.0 * f)) * strike(t, 0.002, 0.045);
        // The inharmonic partial is the "tink" of the striker; it dies at once.
        x += 0.25 * sine(clang.next(2.76 * f)) * strike(t, 0.001, 0.018);
        out[static_cast<std::size_t>(i)] = x;
    }
    return finish(mono(out), 0.88, 0.008);
}

// The dart: white noise through a band-pass that rushes from 600 Hz up to
// 5 kHz, with a faint rising whistle riding on it. "Fwip."
Sound make_shot()
{
    const double length = 0.16;
    Buffer out(static_cast<std::size_t>(frames_for(length)));
    Noise noise(0x5407u);
    Svf band(600.0, 1.6);
    Phase whistle;
    for (int i = 0; i < static_cast<int>(out.size()); ++i) {
        const double t = time_of(i);
        band.set(glide(t, 600.0, 5000.0, 0.11), 1.6);
        const double level = smooth_step(t, 0.0, 0.03) * std::exp(-std::max(0.0, t - 0.03) / 0.035);
        double x = band.run(noise.next()).band * level;
        x += 0.12 * sine(whistle.next(glide(t, 900.0, 2600.0, 0.1))) * level;
        out[static_cast<std::size_t>(i)] = x;
    }
    return finish(mono(out), 0.85, 0.008);
}

// The dart on the head: a falling "bonk" (a sine dropping 520 -> 140 Hz), a
// woody knock from a noise burst through a resonant band-pass, then a short
// squeak of protest with a fast wobble.
Sound make_hit()
{
    Buffer out(static_cast<std::size_t>(frames_for(0.25)));
    Noise noise(0xB0Cu);
    Svf wood(900.0, 7.0);
    OnePoleLow thud(2500.0);
    Phase bonk, squeak;
    for (int i = 0; i < static_cast<int>(out.size()); ++i) {
        const double t = time_of(i);
        double x = sine(bonk.next(glide(t, 520.0, 140.0, 0.07))) * strike(t, 0.001, 0.055);
        const double burst = noise.next() * strike(t, 0.0005, 0.006);
        x += 0.5 * thud.run(burst);
        x += 2.0 * wood.run(burst).band;
        const double s = t - 0.08;
        if (s >= 0.0) {
            const double wobble = 1.0 + 0.05 * sine(25.0 * s);
            const double f = glide(s, 1300.0, 2300.0, 0.1) * wobble;
            const double level = adsr(s, 0.11, 0.015, 0.03, 0.7, 0.04);
            const double p = squeak.next(f);
            x += 0.3 * (sine(p) + 0.2 * sine(2.0 * p)) * level;
        }
        out[static_cast<std::size_t>(i)] = x;
    }
    return finish(mono(out), 0.88, 0.008);
}

// A seal falls out of the screen: a slide whistle dropping from 1.9 kHz to
// 320 Hz with a little vibrato, then a soft splash (a low plop, a closing
// noise spray and three tiny droplets).
Sound make_out()
{
    const double slide = 0.55;
    Buffer out(static_cast<std::size_t>(frames_for(0.85)));
    Noise breath(77u), spray_noise(0x5B1A5u);
    OnePoleHigh airy(3000.0);
    Svf spray(4000.0, 0.8);
    Phase whistle, plop, drop;
    for (int i = 0; i < static_cast<int>(out.size()); ++i) {
        const double t = time_of(i);
        double x = 0.0;
        if (t < slide + 0.05) {
            const double f = glide(t, 1900.0, 320.0, slide) * (1.0 + 0.015 * sine(6.0 * t));
            const double level = adsr(t, slide, 0.02, 0.0, 1.0, 0.05);
            const double p = whistle.next(f);
            x += (sine(p) + 0.15 * sine(2.0 * p) + 0.06 * airy.run(breath.next())) * level;
        }
        const double s = t - 0.52;
        if (s >= 0.0) {
            x += 0.55 * sine(plop.next(glide(s, 380.0, 150.0, 0.04))) * strike(s, 0.002, 0.03);
            spray.set(glide(s, 4000.0, 700.0, 0.3), 0.8);
            x += 1.6 * spray.run(spray_noise.next()).low * strike(s, 0.006, 0.11);
            for (double at : {0.14, 0.2, 0.27}) {
                const double d = s - at;
                if (d >= 0.0 && d < 0.03)
                    x += 0.12 * sine(drop.next(glide(d, 1200.0, 2400.0, 0.015))) * strike(d, 0.002, 0.006);
            }
        }
        out[static_cast<std::size_t>(i)] = x;
    }
    return finish(mono(out), 0.85, 0.01);
}

// Saved! A rising mallet arpeggio C6 - E6 - G6 on a triangle-and-octave
// tone, the last note ringing on: "ta-da".
Sound make_safe()
{
    Buffer out(static_cast<std::size_t>(frames_for(0.35)));
    const struct {
        double start;
        double note;
        double gain;
    } notes[] = {{0.0, 84.0, 0.7}, {0.07, 88.0, 0.8}, {0.14, 91.0, 1.0}};
    for (const auto& n : notes) {
        const double f = midi(n.note);
        Phase body, shine;
        for (int i = frames_for(n.start); i < static_cast<int>(out.size()); ++i) {
            const double t = time_of(i) - n.start;
            const double x = triangle(body.next(f)) + 0.3 * sine(shine.next(2.0 * f)) * strike(t, 0.002, 0.04);
            out[static_cast<std::size_t>(i)] += n.gain * x * strike(t, 0.003, 0.09);
        }
    }
    return finish(mono(out), 0.85, 0.008);
}

// The score count-up tick: 40 ms so it never smears at 12 ticks a second,
// a soft sine blip settling from C7 to A6, mixed well below the other cues.
Sound make_count()
{
    Buffer out(static_cast<std::size_t>(frames_for(0.04)));
    Phase p;
    for (int i = 0; i < static_cast<int>(out.size()); ++i) {
        const double t = time_of(i);
        out[static_cast<std::size_t>(i)] = sine(p.next(glide(t, 2093.0, 1760.0, 0.03))) * strike(t, 0.002, 0.01);
    }
    return finish(mono(out), 0.45, 0.005);
}

} // namespace sfx
