// Song validation. A song comes from the executable's resources, but it is
// still checked as if it came from anywhere: every size, count and offset
// is tested against the bytes actually given before a single field beyond
// the header is read, and every value the player will act on is range
// checked here, so the player itself never has to.
#include "sorvel/song.h"

namespace sorvel {

namespace {

struct Section {
    uint64_t begin;
    uint64_t end;
};

bool overlap(const Section& a, const Section& b)
{
    return a.begin < b.end && b.begin < a.end;
}

bool valid_note(uint8_t note)
{
    return note >= NOTE_MIN && note <= NOTE_MAX;
}

bool name_char(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// Sample kinds need a name of 1 to 15 name characters followed only by
// NULs; oscillators need all sixteen bytes zero.
bool valid_sample_name(const uint8_t* p, bool wanted)
{
    size_t length = 0;
    while (length < SAMPLE_NAME_SIZE && p[length] != 0) {
        if (!name_char(static_cast<char>(p[length]))) return false;
        ++length;
    }
    if (length == SAMPLE_NAME_SIZE) return false;
    for (size_t i = length; i < SAMPLE_NAME_SIZE; ++i)
        if (p[i] != 0) return false;
    return wanted ? length > 0 : length == 0;
}

SongStatus parse_instrument(const uint8_t* p, Instrument* out)
{
    Instrument i{};
    i.kind = p[I_KIND];
    i.duty = p[I_DUTY];
    i.volume = p[I_VOLUME];
    i.pan = p[I_PAN];
    i.attack_ms = read_u16(p + I_ATTACK);
    i.decay_ms = read_u16(p + I_DECAY);
    i.sustain = p[I_SUSTAIN];
    i.vibrato_depth = p[I_VIBRATO_DEPTH];
    i.release_ms = read_u16(p + I_RELEASE);
    i.vibrato_speed = p[I_VIBRATO_SPEED];
    i.vibrato_delay = p[I_VIBRATO_DELAY];
    i.base_note = p[I_BASE_NOTE];

    if (i.kind < KIND_PULSE || i.kind > KIND_CYCLE) return SONG_BAD_INSTRUMENT;
    if (p[I_RESERVED] != 0) return SONG_BAD_INSTRUMENT;
    if (i.kind == KIND_PULSE && i.duty == 0) return SONG_BAD_INSTRUMENT;
    if (i.kind == KIND_NOISE && i.duty > 1) return SONG_BAD_INSTRUMENT;
    if (i.kind != KIND_PULSE && i.kind != KIND_NOISE && i.duty != 0) return SONG_BAD_INSTRUMENT;
    if (i.attack_ms > ENVELOPE_MS_MAX || i.decay_ms > ENVELOPE_MS_MAX || i.release_ms > ENVELOPE_MS_MAX)
        return SONG_BAD_INSTRUMENT;
    if (i.vibrato_depth > VIBRATO_DEPTH_MAX || i.vibrato_speed > VIBRATO_SPEED_MAX) return SONG_BAD_INSTRUMENT;
    if (i.kind == KIND_SAMPLE ? !valid_note(i.base_note) : i.base_note != 0) return SONG_BAD_INSTRUMENT;

    const bool sampled = i.kind == KIND_SAMPLE || i.kind == KIND_CYCLE;
    if (!valid_sample_name(p + I_SAMPLE_NAME, sampled)) return SONG_BAD_SAMPLE_NAME;
    for (size_t k = 0; k < SAMPLE_NAME_SIZE; ++k) i.sample[k] = static_cast<char>(p[I_SAMPLE_NAME + k]);
    *out = i;
    return SONG_OK;
}

SongStatus check_row(const uint8_t* p, int instrument_count)
{
    const uint8_t note = p[R_NOTE];
    const uint8_t instrument = p[R_INSTRUMENT];
    const uint8_t effect = p[R_EFFECT];
    const uint8_t param = p[R_PARAM];
    if (note != NOTE_NONE && note != NOTE_OFF && !valid_note(note)) return SONG_BAD_NOTE;
    if (note == NOTE_NONE || note == NOTE_OFF) {
        if (instrument != 0) return SONG_BAD_ROW;
    } else if (instrument == 0 || instrument > instrument_count) {
        return SONG_UNKNOWN_INSTRUMENT;
    }
    if (effect > FX_LAST) return SONG_BAD_EFFECT;
    if (effect == FX_NONE && param != 0) return SONG_BAD_EFFECT;
    if (effect == FX_VOLUME && param > VOLUME_MAX) return SONG_BAD_EFFECT;
    if (note == NOTE_OFF && effect != FX_NONE) return SONG_BAD_EFFECT;
    return SONG_OK;
}

} // namespace

SongStatus song_parse(std::span<const uint8_t> bytes, Song* song)
{
    if (bytes.size() < HEADER_SIZE) return SONG_TOO_SHORT;
    const uint8_t* h = bytes.data();
    for (size_t k = 0; k < sizeof SONG_MAGIC; ++k)
        if (h[H_MAGIC + k] != static_cast<uint8_t>(SONG_MAGIC[k])) return SONG_BAD_MAGIC;
    if (read_u16(h + H_VERSION) != SONG_VERSION) return SONG_BAD_VERSION;
    if (read_u16(h + H_HEADER_SIZE) != HEADER_SIZE || read_u16(h + H_RESERVED_1) != 0) return SONG_BAD_HEADER;
    for (size_t k = 0; k < 3; ++k)
        if (h[H_RESERVED_2 + k] != 0) return SONG_BAD_HEADER;
    if (read_u32(h + H_FILE_SIZE) != bytes.size()) return SONG_SIZE_MISMATCH;
    if (bytes.size() > SONG_MAX_BYTES) return SONG_TOO_LARGE;

    Song s{};
    s.bpm = read_u16(h + H_BPM);
    s.rows_per_beat = h[H_ROWS_PER_BEAT];
    s.ticks_per_row = h[H_TICKS_PER_ROW];
    s.voices = h[H_VOICES];
    s.instrument_count = h[H_INSTRUMENTS];
    s.pattern_count = h[H_PATTERNS];
    s.rows_per_pattern = h[H_ROWS_PER_PATTERN];
    s.order_length = h[H_ORDER_LENGTH];
    s.loop_order = h[H_LOOP_ORDER];
    s.master_volume = h[H_MASTER_VOLUME];

    if (s.bpm < BPM_MIN || s.bpm > BPM_MAX) return SONG_BAD_TEMPO;
    if (s.rows_per_beat < 1 || s.rows_per_beat > ROWS_PER_BEAT_MAX) return SONG_BAD_TEMPO;
    if (s.ticks_per_row < 1 || s.ticks_per_row > TICKS_PER_ROW_MAX) return SONG_BAD_TEMPO;
    if (s.voices < 1 || s.voices > MAX_VOICES) return SONG_BAD_COUNTS;
    if (s.instrument_count < 1 || s.instrument_count > MAX_INSTRUMENTS) return SONG_BAD_COUNTS;
    if (s.pattern_count < 1) return SONG_BAD_COUNTS;
    if (s.rows_per_pattern < 1 || s.rows_per_pattern > MAX_ROWS_PER_PATTERN) return SONG_BAD_COUNTS;
    if (s.order_length < 1) return SONG_BAD_COUNTS;
    if (s.loop_order >= s.order_length) return SONG_BAD_LOOP;
    if (s.master_volume == 0) return SONG_BAD_MASTER_VOLUME;

    // Every count is a byte, so these products cannot overflow 64 bits;
    // the offsets are 32-bit and are added in 64 bits for the same reason.
    const uint64_t size = bytes.size();
    const Section sections[3] = {
        {read_u32(h + H_INSTRUMENT_OFFSET),
         read_u32(h + H_INSTRUMENT_OFFSET) + uint64_t{s.instrument_count} * INSTRUMENT_SIZE},
        {read_u32(h + H_ORDER_OFFSET), read_u32(h + H_ORDER_OFFSET) + uint64_t{s.order_length} * s.voices},
        {read_u32(h + H_PATTERN_OFFSET),
         read_u32(h + H_PATTERN_OFFSET) + uint64_t{s.pattern_count} * s.rows_per_pattern * ROW_SIZE},
    };
    for (const Section& section : sections)
        if (section.begin < HEADER_SIZE || section.end > size) return SONG_SECTION_OUTSIDE;
    if (overlap(sections[0], sections[1]) || overlap(sections[0], sections[2]) || overlap(sections[1], sections[2]))
        return SONG_SECTIONS_OVERLAP;

    const uint8_t* instruments = h + sections[0].begin;
    for (int k = 0; k < s.instrument_count; ++k) {
        const SongStatus status = parse_instrument(instruments + k * INSTRUMENT_SIZE, &s.instruments[k]);
        if (status != SONG_OK) return status;
    }

    s.order = h + sections[1].begin;
    for (int k = 0; k < s.order_length * s.voices; ++k)
        if (s.order[k] >= s.pattern_count) return SONG_BAD_ORDER;

    s.patterns = h + sections[2].begin;
    const int rows = s.pattern_count * s.rows_per_pattern;
    for (int k = 0; k < rows; ++k) {
        const SongStatus status = check_row(s.patterns + static_cast<size_t>(k) * ROW_SIZE, s.instrument_count);
        if (status != SONG_OK) return status;
    }

    *song = s;
    return SONG_OK;
}

const char* song_status_text(SongStatus status)
{
    static constexpr const char* TEXTS[SONG_STATUS_COUNT] = {
        "accepted",
        "shorter than the header",
        "bad magic: not a song",
        "unsupported version",
        "bad header size or reserved bytes",
        "size in the header differs from the size given",
        "larger than the player takes",
        "tempo out of range",
        "a count is zero or over its limit",
        "loop point past the order list",
        "master volume is zero",
        "a section lies outside the song",
        "two sections overlap",
        "an instrument field is out of range",
        "bad sample name",
        "the order list names a missing pattern",
        "a note out of range",
        "a note with a missing or unknown instrument",
        "an instrument without a note",
        "an unknown effect or parameter out of range",
    };
    return status < SONG_STATUS_COUNT ? TEXTS[status] : "unknown status";
}

} // namespace sorvel
