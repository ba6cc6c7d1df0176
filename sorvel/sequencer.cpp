// The player's state lives here, at file scope, and only the audio stream
// and the entry points (under the device lock) touch it. Going back to the
// loop point is no event at all for the voices: they play on, so phases
// and envelopes run straight across the join.
#include "sorvel/sequencer.h"

#include "sorvel/synth.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace sorvel {

namespace {

constexpr int CHUNK_FRAMES = 256;
constexpr int RATE_MIN = 8000;
constexpr int RATE_MAX = 192000;

const Song* song = nullptr;
bool playing = false;
int rate = 0;
SequencerPosition position{};
uint64_t tick_numerator = 0;   // rate * 60
uint64_t tick_denominator = 1; // bpm * rows_per_beat * ticks_per_row
uint64_t tick_remainder = 0;
double tick_seconds = 0.0;
std::array<Voice, MAX_VOICES> voices{};
std::array<Voice, MAX_VOICES> fading{};
std::array<float, 2 * CHUNK_FRAMES> scratch{};

void play_row(int voice)
{
    const Row r = song_row(*song, song_pattern_at(*song, position.order, voice), position.row);
    Voice* v = &voices[voice];
    if (r.note == NOTE_OFF) {
        voice_release(v);
    } else if (r.note != NOTE_NONE) {
        voice_note_on(v, &fading[voice], *song, r.instrument - 1, r.note, rate);
        voice_effect(v, r.effect, r.param);
    } else if (r.effect != FX_NONE) {
        voice_effect(v, r.effect, r.param);
    }
}

void play_tick()
{
    if (position.tick == 0)
        for (int v = 0; v < song->voices; ++v) play_row(v);
    for (int v = 0; v < song->voices; ++v) voice_tick(&voices[v], tick_seconds);

    if (++position.tick == song->ticks_per_row) {
        position.tick = 0;
        if (++position.row == song->rows_per_pattern) {
            position.row = 0;
            if (++position.order == song->order_length) {
                position.order = song->loop_order;
                ++position.loops;
            }
        }
    }
    tick_remainder += tick_numerator;
    position.frames_to_tick = static_cast<uint32_t>(tick_remainder / tick_denominator);
    tick_remainder -= position.frames_to_tick * tick_denominator;
}

void fade_out_all()
{
    for (int v = 0; v < MAX_VOICES; ++v) voice_fade_out(&voices[v], &fading[v]);
}

} // namespace

int sequencer_start(const Song* new_song, int new_rate, int order)
{
    if (!new_song || order < 0 || order >= new_song->order_length) return 0;
    if (new_rate < RATE_MIN || new_rate > RATE_MAX) return 0;
    fade_out_all();
    song = new_song;
    rate = new_rate;
    position = SequencerPosition{order, 0, 0, 0, 0, 0};
    tick_numerator = static_cast<uint64_t>(rate) * 60u;
    tick_denominator = uint64_t{song->bpm} * song->rows_per_beat * song->ticks_per_row;
    tick_remainder = 0;
    tick_seconds = 60.0 / static_cast<double>(tick_denominator);
    playing = true;
    return 1;
}

void sequencer_stop()
{
    playing = false;
    fade_out_all();
}

void sequencer_halt()
{
    playing = false;
    song = nullptr;
    voices.fill(Voice{});
    fading.fill(Voice{});
}

bool sequencer_playing()
{
    return playing;
}

bool sequencer_sounding()
{
    for (int v = 0; v < MAX_VOICES; ++v)
        if (voice_sounding(voices[v]) || voice_sounding(fading[v])) return true;
    return false;
}

SequencerPosition sequencer_position()
{
    return position;
}

void sequencer_render(int32_t* mix, int frames)
{
    if (!mix || frames <= 0) return;
    int done = 0;
    while (done < frames) {
        if (playing && position.frames_to_tick == 0) {
            play_tick();
            continue;
        }
        if (!playing && !sequencer_sounding()) return;
        int n = frames - done < CHUNK_FRAMES ? frames - done : CHUNK_FRAMES;
        if (playing && position.frames_to_tick < static_cast<uint32_t>(n))
            n = static_cast<int>(position.frames_to_tick);

        std::fill(scratch.begin(), scratch.begin() + 2 * n, 0.0f);
        for (int v = 0; v < MAX_VOICES; ++v) {
            voice_render(&voices[v], scratch.data(), n);
            voice_render(&fading[v], scratch.data(), n);
        }
        int32_t* out = mix + 2 * static_cast<ptrdiff_t>(done);
        for (int i = 0; i < 2 * n; ++i) out[i] += static_cast<int32_t>(std::lrint(scratch[i]));
        if (playing) {
            position.frames_to_tick -= static_cast<uint32_t>(n);
            position.frame += static_cast<uint64_t>(n);
        }
        done += n;
    }
}

} // namespace sorvel
