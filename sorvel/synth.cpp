// Oscillators, recordings and envelopes. The pulse and the saw are
// band-limited with polyBLEP corrections at their steps, so high notes do
// not fold back into harsh noise; the pulse is centred so that a narrow
// duty adds no DC. Pitch changes only at ticks; level changes every frame.
#include "sorvel/synth.h"

#include <cmath>

namespace sorvel {

namespace {

constexpr double PI = 3.14159265358979323846;
// The noise generator is clocked this many times per cycle of the note.
constexpr double NOISE_CLOCKS_PER_CYCLE = 32.0;
constexpr float MAX_SLIDE = 48.0f;

float envelope_step(uint16_t ms, int rate)
{
    if (ms == 0) return 1.0f;
    return static_cast<float>(1000.0 / (static_cast<double>(ms) * rate));
}

double note_frequency(double semitones)
{
    return 440.0 * std::exp2((semitones - 69.0) / 12.0);
}

// The correction of a unit step at phase 0 for a signal sampled every dt.
double poly_blep(double t, double dt)
{
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

void pitch_update(Voice* v)
{
    const Instrument& ins = *v->instrument;
    double semitones = v->note + static_cast<double>(v->slide);
    const int arp_step = static_cast<int>(v->ticks % 3);
    if (arp_step == 1) semitones += v->arpeggio >> 4;
    if (arp_step == 2) semitones += v->arpeggio & 0x0F;
    if (ins.vibrato_depth && ins.vibrato_speed && v->ticks >= ins.vibrato_delay) {
        const double seconds = (v->ticks - ins.vibrato_delay) * v->tick_seconds;
        semitones += ins.vibrato_depth / 16.0 * std::sin(2.0 * PI * ins.vibrato_speed / 4.0 * seconds);
    }
    const double rate = v->rate;
    switch (ins.kind) {
    case KIND_NOISE:
        v->step = std::fmin(note_frequency(semitones) * NOISE_CLOCKS_PER_CYCLE / rate, 1.0);
        break;
    case KIND_SAMPLE:
        v->step = v->sample->rate / rate * std::exp2((semitones - ins.base_note) / 12.0);
        break;
    case KIND_CYCLE:
        v->step = std::fmin(note_frequency(semitones) * v->sample->frames / rate, v->sample->frames * 0.45);
        break;
    default:
        v->step = std::fmin(note_frequency(semitones) / rate, 0.45);
        break;
    }
}

// Advances the envelope by one frame; false once it has ended.
bool envelope_next(Voice* v)
{
    switch (v->stage) {
    case ENV_ATTACK:
        v->level += v->attack_step;
        if (v->level >= 1.0f) {
            v->level = 1.0f;
            v->stage = ENV_DECAY;
        }
        break;
    case ENV_DECAY:
        v->level -= v->decay_step;
        if (v->level <= v->sustain) {
            v->level = v->sustain;
            v->stage = v->sustain > 0.0f ? ENV_SUSTAIN : ENV_OFF;
        }
        break;
    case ENV_SUSTAIN:
        break;
    case ENV_RELEASE:
        v->level -= v->release_step;
        if (v->level <= 0.0f) {
            v->level = 0.0f;
            v->stage = ENV_OFF;
        }
        break;
    case ENV_OFF:
        return false;
    }
    return true;
}

// The voice's next sample, -1..1, and its phase moved on by one frame.
// False when a recording played once has run out.
bool oscillator_next(Voice* v, float* value)
{
    const Instrument& ins = *v->instrument;
    const double dt = v->step;
    double x = 0.0;
    switch (ins.kind) {
    case KIND_PULSE: {
        const double duty = ins.duty / 256.0;
        double falling = v->phase - duty;
        if (falling < 0.0) falling += 1.0;
        x = (v->phase < duty ? 1.0 : -1.0) + poly_blep(v->phase, dt) - poly_blep(falling, dt) - (2.0 * duty - 1.0);
        break;
    }
    case KIND_TRIANGLE: {
        double t = v->phase + 0.25;
        if (t >= 1.0) t -= 1.0;
        x = 1.0 - 4.0 * std::fabs(t - 0.5);
        break;
    }
    case KIND_SAW:
        x = 2.0 * v->phase - 1.0 - poly_blep(v->phase, dt);
        break;
    case KIND_NOISE:
        x = (v->lfsr & 1) ? 1.0 : -1.0;
        break;
    case KIND_SAMPLE: {
        const Sample& s = *v->sample;
        if (v->phase >= s.frames - 1) return false;
        const auto i = static_cast<uint32_t>(v->phase);
        const double frac = v->phase - i;
        x = s.data[i] + (s.data[i + 1] - s.data[i]) * frac;
        v->phase += dt;
        *value = static_cast<float>(x);
        return true;
    }
    case KIND_CYCLE: {
        const Sample& s = *v->sample;
        const auto i = static_cast<uint32_t>(v->phase);
        const uint32_t j = i + 1 < s.frames ? i + 1 : 0;
        const double frac = v->phase - i;
        x = s.data[i] + (s.data[j] - s.data[i]) * frac;
        v->phase += dt;
        if (v->phase >= s.frames) v->phase -= s.frames;
        *value = static_cast<float>(x);
        return true;
    }
    default:
        break;
    }
    v->phase += dt;
    if (v->phase >= 1.0) {
        v->phase -= 1.0;
        if (ins.kind == KIND_NOISE) {
            const int tap = ins.duty ? 6 : 1;
            const uint16_t bit = (v->lfsr ^ (v->lfsr >> tap)) & 1u;
            v->lfsr = static_cast<uint16_t>((v->lfsr >> 1) | (bit << 14));
        }
    }
    *value = static_cast<float>(x);
    return true;
}

} // namespace

bool voice_sounding(const Voice& voice)
{
    return voice.instrument && voice.stage != ENV_OFF;
}

void voice_fade_out(Voice* voice, Voice* fading)
{
    if (voice_sounding(*voice)) {
        *fading = *voice;
        fading->fade = FADE_FRAMES;
    }
    voice->stage = ENV_OFF;
    voice->level = 0.0f;
}

void voice_note_on(Voice* voice, Voice* fading, const Song& song, int instrument, uint8_t note, int rate)
{
    const Instrument* ins = &song.instruments[instrument];
    const Sample* sample = samples_of(instrument);
    const bool recorded = ins->kind == KIND_SAMPLE || ins->kind == KIND_CYCLE;
    const bool keep = voice_sounding(*voice) && voice->instrument == ins && ins->kind != KIND_SAMPLE;
    if (!keep) voice_fade_out(voice, fading);
    if (recorded && !sample) return; // nothing to play; load refuses such songs
    if (!keep) {
        voice->phase = 0.0;
        voice->lfsr = 1;
        voice->level = 0.0f;
    }
    voice->instrument = ins;
    voice->sample = sample;
    voice->rate = rate;
    voice->gain = VOICE_FULL_SCALE * (song.master_volume / 255.0f) * (ins->volume / 255.0f);
    voice->note = note;
    voice->arpeggio = 0;
    voice->volume = VOLUME_MAX;
    voice->slide_speed = 0;
    voice->slide = 0.0f;
    voice->ticks = 0;
    voice->attack_step = envelope_step(ins->attack_ms, rate);
    voice->decay_step = envelope_step(ins->decay_ms, rate);
    voice->release_step = envelope_step(ins->release_ms, rate);
    voice->sustain = ins->sustain / 255.0f;
    // Constant power across the field, and 1 in each channel at the centre
    // (pan 128; 0 and 255 are the edges).
    const double across = ins->pan <= 128 ? ins->pan / 256.0 : 0.5 + (ins->pan - 128) / 254.0;
    const double angle = across * PI / 2.0;
    voice->left = static_cast<float>(std::cos(angle) * std::sqrt(2.0));
    voice->right = static_cast<float>(std::sin(angle) * std::sqrt(2.0));
    voice->fade = 0;
    voice->stage = ENV_ATTACK;
    pitch_update(voice);
}

void voice_effect(Voice* voice, uint8_t effect, uint8_t param)
{
    switch (effect) {
    case FX_ARPEGGIO:
        voice->arpeggio = param;
        break;
    case FX_VOLUME:
        voice->volume = param;
        break;
    case FX_SLIDE_UP:
        voice->slide_speed = param;
        break;
    case FX_SLIDE_DOWN:
        voice->slide_speed = static_cast<int16_t>(-param);
        break;
    default:
        break;
    }
}

void voice_release(Voice* voice)
{
    if (voice_sounding(*voice)) voice->stage = ENV_RELEASE;
}

void voice_tick(Voice* voice, double tick_seconds)
{
    if (!voice_sounding(*voice) || voice->fade) return;
    voice->tick_seconds = tick_seconds;
    pitch_update(voice);
    ++voice->ticks;
    voice->slide = std::fmax(-MAX_SLIDE, std::fmin(MAX_SLIDE, voice->slide + voice->slide_speed / 16.0f));
}

void voice_render(Voice* voice, float* out, int frames)
{
    if (!voice_sounding(*voice)) return;
    const float base = voice->gain * (voice->volume / static_cast<float>(VOLUME_MAX));
    const float left = base * voice->left;
    const float right = base * voice->right;
    for (int i = 0; i < frames; ++i) {
        if (!envelope_next(voice)) return;
        float x = 0.0f;
        if (!oscillator_next(voice, &x)) {
            voice->stage = ENV_OFF;
            return;
        }
        float amplitude = voice->level;
        if (voice->fade) {
            amplitude *= static_cast<float>(voice->fade) / FADE_FRAMES;
            if (--voice->fade == 0) voice->stage = ENV_OFF;
        }
        out[2 * i] += x * amplitude * left;
        out[2 * i + 1] += x * amplitude * right;
    }
}

} // namespace sorvel
