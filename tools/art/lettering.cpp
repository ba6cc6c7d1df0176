// Score digits, table labels, the pause card and the title-screen texts.
#include "paint.h"
#include "sheets.h"

#include <cstdio>

using namespace paint;

namespace {

// Score digits: chunky 3x7 blocks, rounded when scaled up. The same
// patterns make the 12x24 and the 24x48 figures.
const char* const SCORE_DIGITS[10] = {
    "###|#.#|#.#|#.#|#.#|#.#|###", "##.|.#.|.#.|.#.|.#.|.#.|###", "###|..#|..#|###|#..|#..|###",
    "###|..#|..#|###|..#|..#|###", "#.#|#.#|#.#|###|..#|..#|..#", "###|#..|#..|###|..#|..#|###",
    "###|#..|#..|###|#.#|#.#|###", "###|..#|..#|..#|..#|..#|..#", "###|#.#|#.#|###|#.#|#.#|###",
    "###|#.#|#.#|###|..#|..#|###",
};

// Warm gold for every figure the player scores.
const std::vector<uint32_t> GOLD = {0xFFF6C8, 0xFFE47A, 0xFFC83C, 0xF7A22A, 0xE8782A};
constexpr uint32_t GOLD_LIGHT = 0xFFFFFF;
constexpr uint32_t GOLD_DARK = 0xB8501C;
// Cool white for words.
const std::vector<uint32_t> FROST = {0xFFFFFF, 0xD0ECFF, 0x9CD0F4};

Style digit_style(int rim)
{
    Style s;
    s.ramp = GOLD;
    s.light = GOLD_LIGHT;
    s.dark = GOLD_DARK;
    s.rim = rim;
    s.shadow_dx = 1;
    s.shadow_dy = 1;
    return s;
}

Style word_style(const std::vector<uint32_t>& ramp, int cap_height)
{
    Style s;
    s.ramp = ramp;
    s.ramp_bottom = cap_height;
    s.shadow_dx = 1;
    s.shadow_dy = 1;
    return s;
}

// Writes a label at the left of its cell (left..right), complaining if it
// does not fit; top is where the capitals start.
void label(Image& im, const char* text, int left, int right, int top, const Pen& pen = {})
{
    Mask m = text_mask(text, pen);
    const int room = right - left - 3; // outline at the left, outline and shadow at the right
    if (m.width > room) std::fprintf(stderr, "artgen: \"%s\" is %d px, cell holds %d\n", text, m.width, room);
    stamp(im, m, left + 1, top, word_style(FROST, 7));
}

} // namespace

Image make_text()
{
    Image im(240, 88);
    for (int d = 0; d < 10; ++d) {
        const auto rows = split_rows(SCORE_DIGITS[d]);
        stamp(im, pattern_mask(rows, 3, 3, 0.7), 12 * d + 1, 1, digit_style(1));
        stamp(im, pattern_mask(rows, 7, 45.0 / 7.0, 0.6), 24 * d + 1, 25, digit_style(2));
    }
    // The big score starts 28 px right of this label: keep it narrow.
    label(im, "Score", 120, 148, 4, Pen{1, false, true});
    stamp(im, pattern_mask({"###"}, 4, 4, 0.7), 174, 6, digit_style(1));
    // The divider under the table: a row of short frosty bars.
    const Mask bar = pattern_mask({"######", "######"}, 1, 1, 0);
    for (int x = 122; x + 6 <= 238; x += 10) stamp(im, bar, x, 19, word_style(FROST, 2));
    const struct {
        const char* text;
        int left, right;
    } words[] = {{"1st", 0, 24},      {"2nd", 24, 48},    {"3rd", 48, 72},      {"game", 72, 112},
                 {"Total", 112, 144}, {"Best", 144, 176}, {"[SPACE]", 176, 232}};
    for (const auto& w : words) label(im, w.text, w.left, w.right, 76);
    return im;
}

// The pause card: three lines of the small font, keys in gold.
Image make_escape()
{
    Image im(80, 24);
    const char* lines[3] = {"^F1^:CONTINUE", "^F2^:RESET", "^ESC^:EXIT"};
    Style face;
    face.ramp = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xDCE8F8, 0xB8CCE8};
    face.ramp_bottom = 7;
    face.dither = false;
    face.outline_width = 0;
    face.shadow_dx = 1;
    face.shadow_dy = 1;
    Style key = face;
    key.ramp = {0xFFF6C8, 0xFFE47A, 0xFFC83C, 0xF7A22A};
    key.shadow_dx = key.shadow_dy = 0;
    for (int i = 0; i < 3; ++i) {
        Mask accent;
        Mask m = text_mask(lines[i], Pen{}, &accent);
        stamp(im, m, 1, 8 * i, face);
        stamp(im, accent, 1, 8 * i, key);
    }
    return im;
}

namespace {

// Title-screen lettering: the font doubled, outlined, keys picked out in gold.
void title_line(Image& im, const char* text, int left, int right, int top, const std::vector<uint32_t>& ramp,
                const Pen& pen = Pen{2})
{
    Mask accent;
    Mask m = text_mask(text, pen, &accent);
    const int room = right - left - 4;
    if (m.width > room) std::fprintf(stderr, "artgen: \"%s\" is %d px, cell holds %d\n", text, m.width, room);
    const int x = left + 1 + (room - m.width) / 2;
    Style s = word_style(ramp, 7 * pen.scale);
    s.light = 0xFFFFFF;
    stamp(im, m, x, top, s);
    Style k = s;
    k.ramp = GOLD;
    k.outline_width = 0;
    k.shadow_dx = k.shadow_dy = 0;
    stamp(im, accent, x, top, k);
}

} // namespace

Image make_title1()
{
    Image im(488, 88);
    title_line(im, "Catch the seals with ^1^, ^2^, ^3^", 0, 392, 4, FROST);
    title_line(im, "Press ^SPACE^ to start", 0, 392, 32, FROST);
    title_line(im, "(C) 2007 Orbane  Program, pictures & music", 0, 416, 62, FROST, Pen{2, false, false, -1});
    title_line(im, "ver 1.00", 416, 488, 8, FROST, Pen{1, true});
    return im;
}
