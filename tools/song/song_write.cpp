#include "song_write.h"

#include <cstring>

namespace songc {

using namespace sorvel;

std::vector<uint8_t> song_write(const SongSource& song)
{
    const size_t instruments = song.instruments.size();
    const size_t patterns = song.patterns.size();
    const size_t orders = song.order.size();
    if (instruments > 255 || patterns > 255 || orders > 255) return {};

    const size_t instrument_offset = HEADER_SIZE;
    const size_t order_offset = instrument_offset + instruments * INSTRUMENT_SIZE;
    const size_t pattern_offset = order_offset + orders * song.voices;
    const size_t size = pattern_offset + patterns * song.rows_per_pattern * ROW_SIZE;
    std::vector<uint8_t> out(size, 0);
    uint8_t* h = out.data();

    std::memcpy(h + H_MAGIC, SONG_MAGIC, sizeof SONG_MAGIC);
    write_u16(h + H_VERSION, SONG_VERSION);
    write_u16(h + H_HEADER_SIZE, HEADER_SIZE);
    write_u32(h + H_FILE_SIZE, static_cast<uint32_t>(size));
    write_u16(h + H_BPM, song.bpm);
    h[H_ROWS_PER_BEAT] = song.rows_per_beat;
    h[H_TICKS_PER_ROW] = song.ticks_per_row;
    h[H_VOICES] = song.voices;
    h[H_INSTRUMENTS] = static_cast<uint8_t>(instruments);
    h[H_PATTERNS] = static_cast<uint8_t>(patterns);
    h[H_ROWS_PER_PATTERN] = song.rows_per_pattern;
    h[H_ORDER_LENGTH] = static_cast<uint8_t>(orders);
    h[H_LOOP_ORDER] = song.loop_order;
    write_u32(h + H_INSTRUMENT_OFFSET, static_cast<uint32_t>(instrument_offset));
    write_u32(h + H_ORDER_OFFSET, static_cast<uint32_t>(order_offset));
    write_u32(h + H_PATTERN_OFFSET, static_cast<uint32_t>(pattern_offset));
    h[H_MASTER_VOLUME] = song.master_volume;

    for (size_t k = 0; k < instruments; ++k) {
        const Instrument& i = song.instruments[k];
        uint8_t* p = h + instrument_offset + k * INSTRUMENT_SIZE;
        p[I_KIND] = i.kind;
        p[I_DUTY] = i.duty;
        p[I_VOLUME] = i.volume;
        p[I_PAN] = i.pan;
        write_u16(p + I_ATTACK, i.attack_ms);
        write_u16(p + I_DECAY, i.decay_ms);
        p[I_SUSTAIN] = i.sustain;
        p[I_VIBRATO_DEPTH] = i.vibrato_depth;
        write_u16(p + I_RELEASE, i.release_ms);
        p[I_VIBRATO_SPEED] = i.vibrato_speed;
        p[I_VIBRATO_DELAY] = i.vibrato_delay;
        p[I_BASE_NOTE] = i.base_note;
        std::memcpy(p + I_SAMPLE_NAME, i.sample, SAMPLE_NAME_SIZE);
    }
    for (size_t k = 0; k < orders; ++k)
        for (size_t v = 0; v < song.voices && v < song.order[k].size(); ++v)
            h[order_offset + k * song.voices + v] = song.order[k][v];
    for (size_t k = 0; k < patterns; ++k) {
        for (size_t r = 0; r < song.rows_per_pattern && r < song.patterns[k].size(); ++r) {
            const SourceRow& row = song.patterns[k][r];
            uint8_t* p = h + pattern_offset + (k * song.rows_per_pattern + r) * ROW_SIZE;
            p[R_NOTE] = row.note;
            p[R_INSTRUMENT] = row.instrument;
            p[R_EFFECT] = row.effect;
            p[R_PARAM] = row.param;
        }
    }
    return out;
}

Instrument song_oscillator(uint8_t kind, uint8_t volume, uint16_t attack_ms, uint16_t decay_ms, uint8_t sustain,
                           uint16_t release_ms)
{
    Instrument i{};
    i.kind = kind;
    i.duty = kind == KIND_PULSE ? 128 : 0;
    i.volume = volume;
    i.pan = 128;
    i.attack_ms = attack_ms;
    i.decay_ms = decay_ms;
    i.sustain = sustain;
    i.release_ms = release_ms;
    return i;
}

} // namespace songc
