// The seal, drawn from parts so the hanging sprites, the grade pictures and
// the icon all share one face. Design coordinates are those of the big head
// cell (96x88, head centre at (48, 45)); the body continues below it, as if
// head and body cells were one 96x192 picture.
#pragma once

#include "ink.h"

namespace seal {

// Everything that tells the plain seal from the rare one.
struct Look {
    ink::Ramp fur;   // back and head
    ink::Ramp belly; // belly and muzzle
    uint32_t line;   // outline against the background
    uint32_t inner;  // contour lines inside the seal
    uint32_t blush;
    uint32_t whisker;
    bool bow; // a ribbon bow on the head
};
const Look& grey();
const Look& strawberry();

enum class Eyes { Open, Half, Shut, Wide, Happy, Wince, Sulky, Star };
enum class Mouth { Rest, Oh, Grin, Wobble, Pout, Wail, Smile };
enum class Brows { None, Raised, Worried, Cross };

struct Face {
    Eyes eyes = Eyes::Open;
    Mouth mouth = Mouth::Rest;
    Brows brows = Brows::None;
    bool sweat = false; // a drop of fright by the head
    bool tears = false; // small tears at the eye corners
    bool blush = true;
    double eye_size = 1; // bigger eyes keep the small icons readable
};

// Half width and centre line of a body, by design y.
struct Figure {
    std::vector<ink::Pt> profile; // (y, half width)
    double lean = 0;              // sideways swing at the tail end
    double lean_from = 0;         // the body is straight above this y
    double lean_to = 1;           // ...and swung by `lean` here
    ink::Pt flipper_l, flipper_r; // front flipper centres (before the swing)
    ink::Pt flipper_dir_l, flipper_dir_r;
    double flipper_len = 16;
    ink::Pt tail; // where the rear flippers meet
    ink::Pt tail_dir_l, tail_dir_r;
    double tail_reach = 9;            // from `tail` to the middle of each rear flipper
    double belly_y = 0, belly_ry = 1; // the white belly patch, vertically
};
extern const Figure HANGING;
extern const Figure SITTING;

ink::Layer head_shape(int w, int h, const ink::View& v);
void draw_head(Image& img, const ink::View& v, const Look& look, const Face& face);
// Draws the body; when head is given, shades the body a step darker just
// under the chin, where the head casts its shadow.
void draw_body(Image& img, const ink::View& v, const Look& look, const Figure& fig, const ink::Layer* head = nullptr);

// The five grade pictures (96x86), 0 = worst.
Image grade_picture(int rank);

// A cartoon drop hanging from its tip, r the radius of its round end.
void drop(Image& img, const ink::View& v, ink::Pt tip, double r, const ink::Ramp& ramp, uint32_t line);

// A small four-pointed sparkle in picture pixels.
void sparkle(Image& img, double x, double y, double r, uint32_t fill, uint32_t line);

} // namespace seal
