// Every picture the game ships, one function each. Each returns an image of
// exactly the size the game's cell tables expect.
#pragma once

#include "image.h"

#include <vector>

// seal.cpp, creatures.cpp: the characters and their props.
Image make_azarashi();          // 584x280: heads, bodies, grade pictures
Image make_ame();               // 584x192: the rare seal, heads and bodies
Image make_chaine();            // 48x168
Image make_dart();              // 56x72
Image make_blood1();            // 64x16, red drops
Image make_blood2();            // 64x16, blue drops
std::vector<Image> make_icon();       // 16, 32 and 48 pixels: the window's and the .ico's
std::vector<Image> make_icon_large(); // 64, 128 and 256 pixels, for the desktop's icon theme

// lettering.cpp, scenery.cpp: words, digits and places.
Image make_text();          // 240x88
Image make_charactor();     // 80x80 font
Image make_escape();        // 80x24
Image make_title1();        // 488x88
Image make_title2();        // 320x80
Image make_back(int stage); // 640x480, stage 1..3
Image make_rogo();          // 200x40
