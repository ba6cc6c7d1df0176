// The real resources: the table built into the executable holds exactly the
// files quobbin.rc lists, found by name and type in any case; every picture
// has the size and depth its slot is drawn with. (The start-up tests load
// them all through the game's own loading code.)
#include "platform/embedded_resources.h"
#include "support/waves.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

uint32_t le(const std::span<const uint8_t> b, size_t at, int bytes)
{
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + size_t(i)];
    return v;
}

TEST(RealResources, TheTableHoldsEveryListedFile)
{
    std::ifstream rc(std::string(QUOBBIN_RES_DIR) + "/quobbin.rc");
    std::string line;
    int listed = 0;
    while (std::getline(rc, line)) {
        std::istringstream words(line);
        std::string name, type, file;
        if (!(words >> name >> type >> file) || file.size() < 3 || file.front() != '"') continue;
        ++listed;
        const std::vector<uint8_t> want = res_file(file.substr(1, file.size() - 2));
        const auto got = platform::embedded_resource_find(name.c_str(), type.c_str());
        ASSERT_EQ(got.size(), want.size()) << name;
        EXPECT_TRUE(std::equal(got.begin(), got.end(), want.begin())) << name;
    }
    EXPECT_EQ(size_t(listed), platform::embedded_resources().size());
    EXPECT_EQ(platform::embedded_resource_find("bmp_back1", "bitmap").size(),
              platform::embedded_resource_find("BMP_BACK1", "BITMAP").size());
    EXPECT_TRUE(platform::embedded_resource_find("BMP_BACK1", "WAVE").empty()) << "the type counts";
    EXPECT_TRUE(platform::embedded_resource_find("BMP_BACK", "BITMAP").empty()) << "no prefix match";
    EXPECT_TRUE(platform::embedded_resource_find(nullptr, "BITMAP").empty());
}

TEST(RealResources, EveryPictureHasItsSizeAndDepth)
{
    const struct {
        const char* name;
        int width;
        int height;
        int bits;
    } pictures[] = {
        {"BMP_AZARASHI", 584, 280, 8}, {"BMP_AME", 584, 192, 8},    {"BMP_CHAINE", 48, 168, 8},
        {"BMP_DART", 56, 72, 8},       {"BMP_TEXT", 240, 88, 4},    {"BMP_CHARACTOR", 80, 80, 4},
        {"BMP_ESCAPE", 80, 24, 4},     {"BMP_TITLE1", 488, 88, 4},  {"BMP_TITLE2", 320, 80, 4},
        {"BMP_BACK1", 640, 480, 24},   {"BMP_BACK2", 640, 480, 24}, {"BMP_BACK3", 640, 480, 24},
        {"BMP_ROGO", 200, 40, 4},      {"BMP_BLOOD1", 64, 16, 4},   {"BMP_BLOOD2", 64, 16, 4},
    };
    for (const auto& p : pictures) {
        SCOPED_TRACE(p.name);
        const auto b = platform::embedded_resource_find(p.name, "BITMAP");
        ASSERT_GE(b.size(), 54u);
        EXPECT_EQ(b[0], 'B');
        EXPECT_EQ(b[1], 'M');
        EXPECT_EQ(int32_t(le(b, 18, 4)), p.width);
        EXPECT_EQ(int32_t(le(b, 22, 4)), p.height);
        EXPECT_EQ(int(le(b, 28, 2)), p.bits);
    }
    const auto icon = platform::embedded_resource_find("0", "ICON");
    ASSERT_GE(icon.size(), 6u + 3 * 16);
    EXPECT_EQ(le(icon, 4, 2), 3u) << "three sizes";
    for (int i = 0; i < 3; ++i) EXPECT_EQ(icon[6 + 16 * size_t(i)], uint8_t(16 * (i + 1))) << "16, 32, 48";
}

} // namespace
