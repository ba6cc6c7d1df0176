// The sequencer: walks the order list and the patterns of a song and drives
// the voices. It has no clock of its own: the audio stream calls
// sequencer_render, and each tick happens at the frame the tempo puts it
// on, however the stream cuts its buffers. A tick is
// rate * 60 / (bpm * rows_per_beat * ticks_per_row) frames, kept exact as a
// fraction, so tick n always starts at frame floor(n * that fraction).
#pragma once

#include "sorvel/song.h"

#include <cstdint>

namespace sorvel {

// The tick that comes next and how far away it is.
struct SequencerPosition {
    int order;
    int row;
    int tick;
    uint32_t loops;          // times the song has gone back to its loop point
    uint64_t frame;          // frames rendered since the start
    uint32_t frames_to_tick; // 0: the tick happens at the next frame rendered
};

// Plays `song` from order entry `order` at `rate` frames per second. The
// song and its samples must stay loaded until sequencer_halt. A tune
// already playing fades out under the new one. Returns 1, or 0 when the
// order entry or the rate is out of range.
int sequencer_start(const Song* song, int rate, int order);
// The tune falls silent within a few milliseconds (no click).
void sequencer_stop();
// Silences at once and forgets the song; for loading another.
void sequencer_halt();
// Adds `frames` stereo frames to the 32-bit accumulators in `mix`.
void sequencer_render(int32_t* mix, int frames);
bool sequencer_playing();
// Whether any voice is still heard (a stopped tune's fade included).
bool sequencer_sounding();
SequencerPosition sequencer_position();

} // namespace sorvel
