// artgen: writes every picture of the game into the folder given on the
// command line (normally res/). Run it after changing any drawing here;
// the test suite regenerates into a scratch folder and compares.
#include "sheets.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

namespace {

struct Sheet {
    const char* file;
    int bits;
    std::function<Image()> make;
    int width;
    int height;
};

const Sheet SHEETS[] = {
    {"escape.bmp", 4, make_escape, 80, 24},
    {"font.bmp", 4, make_charactor, 80, 80},
    {"title1.bmp", 4, make_title1, 488, 88},
    {"title2.bmp", 4, make_title2, 320, 80},
    {"back1.bmp", 24, [] { return make_back(1); }, 640, 480},
    {"back2.bmp", 24, [] { return make_back(2); }, 640, 480},
    {"back3.bmp", 24, [] { return make_back(3); }, 640, 480},
    {"chaine.bmp", 8, make_chaine, 48, 168},
    {"azarashi.bmp", 8, make_azarashi, 584, 280},
    {"ame.bmp", 8, make_ame, 584, 192},
    {"dart.bmp", 8, make_dart, 56, 72},
    {"text.bmp", 4, make_text, 240, 88},
    {"rogo.bmp", 4, make_rogo, 200, 40},
    {"blood1.bmp", 4, make_blood1, 64, 16},
    {"blood2.bmp", 4, make_blood2, 64, 16},
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: artgen OUTPUT_DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    bool ok = true;
    for (const Sheet& s : SHEETS) {
        Image im = s.make();
        if (im.width != s.width || im.height != s.height) {
            std::fprintf(stderr, "artgen: %s is %dx%d, must be %dx%d\n", s.file, im.width, im.height, s.width,
                         s.height);
            ok = false;
            continue;
        }
        ok = write_bmp(dir + "/" + s.file, im, s.bits) && ok;
    }
    std::vector<Image> icon = make_icon();
    ok = write_ico(dir + "/quobbin.ico", icon) && ok;
    // The same faces, and larger ones, for the desktop's icon theme.
    for (const std::vector<Image>& set : {icon, make_icon_large()})
        for (const Image& im : set)
            ok = write_png(dir + "/quobbin-" + std::to_string(im.width) + ".png", im, true) && ok;
    return ok ? 0 : 1;
}
