// Files somebody else planted where the game looks: links and FIFOs beside
// "Best.dat", FIFOs and directories under the names the game reads, and a
// "charactor.bmp" that claims a vast picture. The game never follows,
// waits on or writes over any of them, and never allocates what a file's
// header merely claims.
#include "game/best_score_file.h"
#include "game/random.h"
#include "game/scene.h"
#include "gfx/surfaces.h"
#include "support/allocation.h"
#include "support/bmp.h"
#include "support/game.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using PlantedFiles = GameTest;

constexpr int FREE_SLOT = 20;

// A FIFO whose writer (this test) holds it open with bytes waiting: a
// reader that should have left it alone gets them at once instead of
// hanging the test, and the bytes still there at the end show nobody read.
class Fifo {
public:
    Fifo(const fs::path& path, const std::vector<uint8_t>& bytes) : size(bytes.size())
    {
        EXPECT_EQ(::mkfifo(path.c_str(), 0644), 0);
        fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK);
        EXPECT_EQ(::write(fd, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }
    ~Fifo() { ::close(fd); }
    bool untouched() const
    {
        std::vector<uint8_t> back(size + 1);
        return ::read(fd, back.data(), back.size()) == ssize_t(size);
    }

private:
    int fd = -1;
    size_t size;
};

TEST_F(PlantedFiles, TheBestScoreIsWrittenPastAnythingPlantedBesideIt)
{
    std::ofstream("victim") << "precious";
    // Each plant in turn under the name the game's temporary file takes
    // first, as if an earlier copy with the same process id was cut short.
    const std::string temporary = std::string(BEST_SCORE_FILE) + "." + std::to_string(::getpid()) + "-0.new";
    std::unique_ptr<Fifo> fifo;
    for (int k = 0; k < 4; ++k) { // a link to a file, a link to nothing, a directory, a FIFO
        SCOPED_TRACE(k);
        fs::remove_all(temporary);
        if (k < 2) fs::create_symlink(dir / (k ? "created-by-the-game" : "victim"), temporary);
        if (k == 2) fs::create_directory(temporary);
        if (k == 3) fifo = std::make_unique<Fifo>(temporary, std::vector<uint8_t>{1, 2, 3});
        write_best_score(1500 + k);
        EXPECT_EQ(read_best_score(), 1500 + k);
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(BEST_SCORE_FILE)));
        EXPECT_EQ(fs::file_size("victim"), 8u) << "written through the link";
        EXPECT_FALSE(fs::exists("created-by-the-game"));
    }
    EXPECT_TRUE(fifo->untouched());

    // A disk that fills up after four bytes of the new file (as a write
    // killed halfway would leave it): the write fails, the old best stays,
    // and no temporary is left behind.
    const auto files_before = std::distance(fs::directory_iterator(dir), {});
    struct rlimit old_limit {};
    ::getrlimit(RLIMIT_FSIZE, &old_limit);
    const struct rlimit full {
        4, old_limit.rlim_max
    };
    auto* old_handler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &full);
    write_best_score(1800);
    ::setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_EQ(read_best_score(), 1503);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), files_before);
}

TEST_F(PlantedFiles, AnythingButARegularFileCountsAsAbsent)
{
    const auto valid_font = make_solid_bmp(80, 80, 0xFFFFFF);
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> plant;
    };
    std::vector<std::unique_ptr<Fifo>> fifos;
    const Case cases[] = {
        {"a FIFO",
         [&](const fs::path& p) {
             const bool font = p.filename() == "charactor.bmp";
             fifos.push_back(std::make_unique<Fifo>(p, font ? valid_font : best_file_bytes(1500, 3, 500)));
         }},
        {"a directory", [](const fs::path& p) { fs::create_directory(p); }},
        {"a device", [](const fs::path& p) { fs::create_symlink("/dev/zero", p); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fifos.clear();
        c.plant(dir / BEST_SCORE_FILE);
        c.plant(exe_dir / LOVE_FILE);
        c.plant(dir / "charactor.bmp");

        EXPECT_EQ(read_best_score(), 0);
        random_state_reset();
        write_best_score(1200);
        const int after = random_range(0, 32767);
        random_state_reset();
        EXPECT_EQ(after, random_range(0, 32767)) << "a best that cannot be kept draws nothing from the sequence";
        EXPECT_FALSE(fs::is_regular_file(fs::symlink_status(BEST_SCORE_FILE))) << "written over";

        reset_game();
        EXPECT_EQ(love_mode_get(), 0);
        EXPECT_FALSE(surface_load("charactor.bmp", FREE_SLOT, true, false));
        EXPECT_EQ(surface_slot(FREE_SLOT).surface, nullptr);
        for (const auto& fifo : fifos) EXPECT_TRUE(fifo->untouched());
        for (const fs::path& p : {dir / BEST_SCORE_FILE, exe_dir / LOVE_FILE, dir / fs::path("charactor.bmp")})
            fs::remove_all(p);
    }
}

TEST_F(PlantedFiles, ABitmapFileThatClaimsAVastPictureIsRefusedBeforeItsPixels)
{
    // Bitmap files by their headers: a real 80x80 font picture, and the
    // same with its header edited.
    const std::vector<uint8_t> font = make_solid_bmp(80, 80, 0xFFFFFF);
    auto edited = [&](std::initializer_list<std::pair<size_t, uint32_t>> fields, size_t keep = 0) {
        std::vector<uint8_t> b = font;
        for (auto [at, value] : fields)
            for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(value >> (8 * i));
        if (keep) b.resize(keep);
        return b;
    };
    constexpr size_t WIDTH = 18, HEIGHT = 22, BITS = 28, COMPRESSION = 30;
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        bool loads;
    } cases[] = {
        {"the font picture", font, true},
        {"100000 x 100000 in a few kilobytes", edited({{WIDTH, 100000}, {HEIGHT, 100000}}, 7000), false},
        {"20000 x 20000 run-length coded", edited({{WIDTH, 20000}, {HEIGHT, 20000}, {BITS, 8}, {COMPRESSION, 1}}, 2000),
         false},
        {"one pixel wider than any font picture", edited({{WIDTH, 1025}}), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        write_file("charactor.bmp", c.bytes);
        largest_allocation_since_last();
        EXPECT_EQ(surface_load("charactor.bmp", FREE_SLOT, true, false), c.loads ? 1 : 0);
        EXPECT_LT(largest_allocation_since_last(), size_t(1) << 20) << "a block for pixels only claimed";
        surface_release(FREE_SLOT);
    }
}

} // namespace
