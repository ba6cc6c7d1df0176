// One voice of the synthesizer: an oscillator or a recording, shaped by an
// ADSR envelope and placed in the stereo field. The sequencer calls
// voice_note_on, voice_release and voice_tick at its event times and
// voice_render for the frames between them. Nothing here allocates.
#pragma once

#include "sorvel/samples.h"
#include "sorvel/song.h"

#include <cstdint>

namespace sorvel {

// A voice's full level, in the 16-bit output's units, before the song's
// master volume and the instrument and note volumes scale it.
inline constexpr float VOICE_FULL_SCALE = 12000.0f;
// A sound cut off by a new note fades out over this many frames instead.
inline constexpr int FADE_FRAMES = 128;

enum EnvelopeStage : uint8_t { ENV_OFF, ENV_ATTACK, ENV_DECAY, ENV_SUSTAIN, ENV_RELEASE };

struct Voice {
    const Instrument* instrument;
    const Sample* sample;
    int rate;
    float gain; // VOICE_FULL_SCALE * master * instrument volume
    // Pitch: the note and what the note's effects and vibrato do to it.
    uint8_t note;
    uint8_t arpeggio; // 0xXY
    uint8_t volume;   // 0..VOLUME_MAX
    int16_t slide_speed;
    float slide;         // semitones
    uint32_t ticks;      // since the note started
    double tick_seconds; // the song's tick length, for vibrato
    double phase;        // oscillators: 0..1; recordings: frames into the sample
    double step;         // per output frame
    uint16_t lfsr;
    // Envelope, as levels 0..1 and steps per frame.
    EnvelopeStage stage;
    float level;
    float attack_step;
    float decay_step;
    float sustain;
    float release_step;
    float left;
    float right;
    int fade; // frames left of a fade-out; 0 unless this is a fading copy
};

// Starts `note` on `voice` with an instrument of `song`. The previous sound
// continues into `fading` with a short fade when the instrument changes or
// the voice plays a recording; an oscillator retriggered by its own
// instrument keeps its phase, and its attack starts from the level it has.
void voice_note_on(Voice* voice, Voice* fading, const Song& song, int instrument, uint8_t note, int rate);
// Applies a row's effect to the note playing.
void voice_effect(Voice* voice, uint8_t effect, uint8_t param);
void voice_release(Voice* voice);
// Moves the voice's sound into `fading` and leaves the voice silent.
void voice_fade_out(Voice* voice, Voice* fading);
// Per tick: arpeggio step, slide, vibrato, at `tick_seconds` per tick.
void voice_tick(Voice* voice, double tick_seconds);
// Adds `frames` stereo frames to `out` (left, right interleaved).
void voice_render(Voice* voice, float* out, int frames);
bool voice_sounding(const Voice& voice);

} // namespace sorvel
