// A line-based reader: a keyword at the start of a line opens a setting,
// an instrument, a pattern or the order list; the lines after a pattern or
// `order` line are its body until the next keyword. Names are declared
// before they are used, so one pass does it all.
#include "song_text.h"

#include <cctype>
#include <cstring>
#include <map>
#include <sstream>
#include <vector>

namespace songc {

using namespace sorvel;

namespace {

struct Reader {
    std::string file;
    int line = 0;
    std::string error;
    SongSource* song = nullptr;
    std::map<std::string, int> instruments; // name -> 1-based index
    std::map<std::string, int> patterns;    // name -> index
    enum { NONE, PATTERN, ORDER } block = NONE;
    int pattern_instrument = 0;
    int empty_pattern = -1;

    bool fail(const std::string& what)
    {
        if (error.empty()) error = file + ":" + std::to_string(line) + ": " + what;
        return false;
    }
};

bool parse_int(const std::string& text, int low, int high, int* out)
{
    if (text.empty() || text.size() > 6) return false;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value < low || value > high) return false;
    *out = value;
    return true;
}

// A note name such as C4, F#5 or Bb3 as a MIDI number (C4 is 60), or -1.
int song_note_number(const std::string& name)
{
    static constexpr int SEMITONE[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') return -1;
    int note = SEMITONE[name[0] - 'A'];
    size_t k = 1;
    if (name[k] == '#')
        ++note, ++k;
    else if (name[k] == 'b')
        --note, ++k;
    int octave = 0;
    if (k + 1 != name.size() || !parse_int(name.substr(k), 0, 9, &octave)) return -1;
    note += 12 * (octave + 1);
    return note >= NOTE_MIN && note <= NOTE_MAX ? note : -1;
}

constexpr const char* KEYWORDS[] = {"tempo",  "rows_per_beat", "ticks_per_row", "rows",  "voices",
                                    "master", "instrument",    "pattern",       "order", "loop"};

bool is_keyword(const std::string& text)
{
    for (const char* k : KEYWORDS)
        if (text == k) return true;
    return false;
}

// Names start with a small letter (notes start with a capital) and are not
// keywords, so a line's first word always says what the line is.
bool is_name(const std::string& text)
{
    if (text.empty() || text[0] < 'a' || text[0] > 'z' || is_keyword(text)) return false;
    for (char c : text)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')) return false;
    return true;
}

bool setting(Reader& r, const std::string& key, const std::string& value)
{
    int v = 0;
    SongSource& s = *r.song;
    if (key == "tempo" && parse_int(value, BPM_MIN, BPM_MAX, &v))
        s.bpm = static_cast<uint16_t>(v);
    else if (key == "rows_per_beat" && parse_int(value, 1, ROWS_PER_BEAT_MAX, &v))
        s.rows_per_beat = uint8_t(v);
    else if (key == "ticks_per_row" && parse_int(value, 1, TICKS_PER_ROW_MAX, &v))
        s.ticks_per_row = uint8_t(v);
    else if (key == "rows" && r.patterns.empty() && parse_int(value, 1, MAX_ROWS_PER_PATTERN, &v))
        s.rows_per_pattern = uint8_t(v);
    else if (key == "voices" && s.order.empty() && parse_int(value, 1, MAX_VOICES, &v))
        s.voices = uint8_t(v);
    else if (key == "master" && parse_int(value, 1, 255, &v))
        s.master_volume = uint8_t(v);
    else
        return r.fail("bad value '" + value + "' for " + key + " (or set after it is used)");
    return true;
}

bool instrument(Reader& r, std::istringstream& words)
{
    std::string name, kind;
    words >> name >> kind;
    if (!is_name(name) || r.instruments.count(name)) return r.fail("bad or repeated instrument name '" + name + "'");
    if (r.instruments.size() >= MAX_INSTRUMENTS) return r.fail("too many instruments");
    static const char* KINDS[] = {"pulse", "triangle", "saw", "noise", "sample", "cycle"};
    Instrument i{};
    for (int k = 0; k < 6; ++k)
        if (kind == KINDS[k]) i.kind = static_cast<uint8_t>(KIND_PULSE + k);
    if (!i.kind) return r.fail("unknown instrument kind '" + kind + "'");
    i.duty = i.kind == KIND_PULSE ? 128 : 0;
    i.volume = 255;
    i.pan = 128;
    i.sustain = 255;
    std::string pair;
    while (words >> pair) {
        const size_t eq = pair.find('=');
        const std::string key = pair.substr(0, eq);
        const std::string value = eq == std::string::npos ? "" : pair.substr(eq + 1);
        int v = 0;
        const bool number = parse_int(value, 0, 65535, &v);
        if (key == "wave") {
            if (value.empty() || value.size() >= SAMPLE_NAME_SIZE) return r.fail("bad wave name '" + value + "'");
            std::memcpy(i.sample, value.c_str(), value.size());
        } else if (key == "base") {
            v = song_note_number(value);
            if (v < 0) return r.fail("bad base note '" + value + "'");
            i.base_note = static_cast<uint8_t>(v);
        } else if (key == "short" && value.empty()) {
            i.duty = 1;
        } else if (!number) {
            return r.fail("bad setting '" + pair + "'");
        } else if (key == "duty" && v >= 1 && v <= 255) {
            i.duty = uint8_t(v);
        } else if ((key == "volume" || key == "pan" || key == "sustain") && v <= 255) {
            (key == "volume" ? i.volume : key == "pan" ? i.pan : i.sustain) = uint8_t(v);
        } else if ((key == "attack" || key == "decay" || key == "release") && v <= ENVELOPE_MS_MAX) {
            (key == "attack" ? i.attack_ms : key == "decay" ? i.decay_ms : i.release_ms) = uint16_t(v);
        } else if (key == "vibrato_depth" && v <= VIBRATO_DEPTH_MAX) {
            i.vibrato_depth = uint8_t(v);
        } else if (key == "vibrato_speed" && v <= VIBRATO_SPEED_MAX) {
            i.vibrato_speed = uint8_t(v);
        } else if (key == "vibrato_delay" && v <= 255) {
            i.vibrato_delay = uint8_t(v);
        } else {
            return r.fail("bad setting '" + pair + "'");
        }
    }
    const bool recorded = i.kind == KIND_SAMPLE || i.kind == KIND_CYCLE;
    if (recorded != (i.sample[0] != 0)) return r.fail("wave= is for sample and cycle instruments, and they need it");
    if ((i.kind == KIND_SAMPLE) != (i.base_note != 0)) return r.fail("base= is for sample instruments, which need it");
    r.song->instruments.push_back(i);
    r.instruments[name] = static_cast<int>(r.song->instruments.size());
    return true;
}

// The effect part of a token: ~XY arpeggio, %N volume, >N or <N slide.
bool effect(Reader& r, const std::string& text, SourceRow* row)
{
    if (text.empty()) return true;
    int v = 0;
    const std::string rest = text.substr(1);
    if (text[0] == '~' && rest.size() == 2 && std::isxdigit(static_cast<unsigned char>(rest[0])) &&
        std::isxdigit(static_cast<unsigned char>(rest[1]))) {
        row->effect = FX_ARPEGGIO;
        row->param = static_cast<uint8_t>(std::stoi(rest, nullptr, 16));
    } else if (text[0] == '%' && parse_int(rest, 0, VOLUME_MAX, &v)) {
        row->effect = FX_VOLUME;
        row->param = uint8_t(v);
    } else if ((text[0] == '>' || text[0] == '<') && parse_int(rest, 1, 255, &v)) {
        row->effect = text[0] == '>' ? FX_SLIDE_UP : FX_SLIDE_DOWN;
        row->param = uint8_t(v);
    } else {
        return r.fail("bad effect '" + text + "'");
    }
    return true;
}

bool token(Reader& r, const std::string& text, SourceRow* row)
{
    if (text == ".") return true;
    if (text == "^") {
        row->note = NOTE_OFF;
        return true;
    }
    const size_t fx = text.find_first_of("~%<>");
    const std::string head = text.substr(0, fx);
    if (!effect(r, fx == std::string::npos ? "" : text.substr(fx), row)) return false;
    if (head.empty()) return true;
    const size_t colon = head.find(':');
    std::string note_text = head.substr(0, colon);
    int instrument = r.pattern_instrument;
    if (colon != std::string::npos) {
        auto it = r.instruments.find(head.substr(colon + 1));
        if (it == r.instruments.end()) return r.fail("unknown instrument in '" + text + "'");
        instrument = it->second;
    }
    int note = song_note_number(note_text);
    if (note < 0) {
        // A bare instrument name plays a recording at its own pitch.
        auto it = r.instruments.find(note_text);
        if (colon != std::string::npos || it == r.instruments.end() ||
            r.song->instruments[it->second - 1].kind != KIND_SAMPLE)
            return r.fail("'" + text + "' is neither a note nor a sample instrument");
        instrument = it->second;
        note = r.song->instruments[instrument - 1].base_note;
    }
    if (!instrument) return r.fail("'" + text + "' has no instrument and the pattern names none");
    row->note = static_cast<uint8_t>(note);
    row->instrument = static_cast<uint8_t>(instrument);
    return true;
}

bool pattern_line(Reader& r, std::istringstream& words)
{
    std::vector<SourceRow>& rows = r.song->patterns.back();
    std::string text;
    while (words >> text) {
        if (text == "|") continue;
        SourceRow row;
        if (!token(r, text, &row)) return false;
        rows.push_back(row);
        if (rows.size() > r.song->rows_per_pattern) return r.fail("pattern has more rows than 'rows'");
    }
    return true;
}

bool order_line(Reader& r, std::istringstream& words, const std::string& first)
{
    if (first == "loop") {
        r.song->loop_order = static_cast<uint8_t>(r.song->order.size());
        return true;
    }
    std::vector<uint8_t> entry;
    std::string name = first;
    do {
        if (name == "-") {
            if (r.empty_pattern < 0) {
                r.empty_pattern = static_cast<int>(r.song->patterns.size());
                r.song->patterns.emplace_back(r.song->rows_per_pattern);
            }
            entry.push_back(static_cast<uint8_t>(r.empty_pattern));
            continue;
        }
        auto it = r.patterns.find(name);
        if (it == r.patterns.end()) return r.fail("unknown pattern '" + name + "'");
        entry.push_back(static_cast<uint8_t>(it->second));
    } while (words >> name);
    if (entry.size() != r.song->voices) return r.fail("an order entry names one pattern per voice");
    r.song->order.push_back(entry);
    return r.song->order.size() <= 255 || r.fail("order list too long");
}

bool end_block(Reader& r)
{
    if (r.block == Reader::PATTERN && r.song->patterns.back().size() != r.song->rows_per_pattern)
        return r.fail("the pattern before this line has " + std::to_string(r.song->patterns.back().size()) +
                      " rows, not " + std::to_string(r.song->rows_per_pattern));
    r.block = Reader::NONE;
    return true;
}

bool line(Reader& r, const std::string& text)
{
    std::istringstream words(text.substr(0, text.find('#')));
    std::string first;
    if (!(words >> first)) return true;
    if (is_keyword(first) && first != "instrument" && first != "pattern" && first != "order" && first != "loop") {
        std::string value;
        words >> value;
        return end_block(r) && setting(r, first, value);
    }
    if (first == "instrument") return end_block(r) && instrument(r, words);
    if (first == "pattern") {
        if (!end_block(r)) return false;
        std::string name, instrument_name;
        words >> name >> instrument_name;
        if (!is_name(name) || r.patterns.count(name)) return r.fail("bad or repeated pattern name '" + name + "'");
        r.pattern_instrument = 0;
        if (!instrument_name.empty()) {
            auto it = r.instruments.find(instrument_name);
            if (it == r.instruments.end()) return r.fail("unknown instrument '" + instrument_name + "'");
            r.pattern_instrument = it->second;
        }
        r.patterns[name] = static_cast<int>(r.song->patterns.size());
        r.song->patterns.emplace_back();
        r.block = Reader::PATTERN;
        return r.song->patterns.size() <= 255 || r.fail("too many patterns");
    }
    if (first == "order") {
        if (!end_block(r)) return false;
        r.block = Reader::ORDER;
        return true;
    }
    if (r.block == Reader::PATTERN) {
        std::istringstream all(text.substr(0, text.find('#')));
        return pattern_line(r, all);
    }
    if (r.block == Reader::ORDER) return order_line(r, words, first);
    return r.fail("unexpected '" + first + "'");
}

} // namespace

int song_text_parse(const std::string& text, const std::string& file, SongSource* song, std::string* error)
{
    Reader r;
    r.file = file;
    r.song = song;
    *song = SongSource{};
    std::istringstream lines(text);
    std::string one;
    while (std::getline(lines, one)) {
        ++r.line;
        if (!line(r, one)) break;
    }
    if (r.error.empty()) end_block(r);
    if (r.error.empty() && (song->order.empty() || song->instruments.empty()))
        r.fail("a song needs instruments and an order list");
    if (r.error.empty() && song->loop_order >= song->order.size()) r.fail("'loop' after the last order entry");
    *error = r.error;
    return r.error.empty() ? 1 : 0;
}

} // namespace songc
