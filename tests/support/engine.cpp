#include "support/engine.h"

#include "app/frame_loop.h"
#include "app/main_window.h"
#include "app/resource_list.h"
#include "input/keys.h"
#include "platform/embedded_resources.h"
#include "sorvel/sorvel.h"
#include "sound/sound.h"
#include "support/bmp.h"

#include <fstream>
#include <random>
#include <string>
#include <unistd.h>

uint32_t slot_colour(int slot)
{
    return 0x102030u + uint32_t(slot) * 0x0B0907u;
}

// Each picture takes the size of the real one, read from its header.
void register_all_bitmaps()
{
    for (const ResourceEntry& e : RESOURCE_LIST) {
        if (e.kind != ResourceKind::Bitmap) continue;
        const auto real = platform::resource_table_find(platform::embedded_resources(), e.name, "BITMAP");
        const int w = real[18] | real[19] << 8, h = real[22] | real[23] << 8;
        const uint32_t c = slot_colour(e.slot);
        headless::register_resource(e.name, "BITMAP", make_bmp(w, h, [=](int x, int y) {
                                        return (x < 2 || y < 2 || x >= w - 2 || y >= h - 2) ? 0u : c;
                                    }));
    }
}

int register_res_waves()
{
    int count = 0;
    for (const platform::Resource& r : platform::embedded_resources()) {
        if (std::string(r.type) != "WAVE") continue;
        headless::register_resource(r.name, r.type, r.bytes);
        ++count;
    }
    return count;
}

int load_effects()
{
    int loaded = 0;
    for (const ResourceEntry& e : RESOURCE_LIST)
        loaded += e.kind == ResourceKind::Wave && sound_load_wave(e.name, e.slot);
    return loaded;
}

void EngineTest::SetUp()
{
    headless::reset();
    headless::set_ticks(1000);
    key_state_reset();
    main_window_state_reset();
    frame_loop_state_reset();
    sound_attach_device(nullptr);
    window = platform::window_create(main_window_proc);
    ASSERT_TRUE(display_init(window, ""));
    ASSERT_TRUE(display_create_surfaces(window, 640, 480, 1));
    platform::window_set_client_size(window, 640, 480);
    platform::window_show(window);
}

void EngineTest::TearDown()
{
    // The effects' buffers go before the music library closes its device.
    sound_release_all();
    sound_attach_device(nullptr);
    sorvel_Shutdown();
    headless::on_present(nullptr, nullptr);
    headless::on_sleep(nullptr, nullptr);
    headless::on_idle(nullptr, nullptr);
    if (window) platform::window_destroy(window);
    display_shutdown();
    window = nullptr;
    EXPECT_EQ(headless::live_surfaces(), 0) << "a surface outlived the display";
}

void EngineTest::each_present(std::function<void(uint64_t)> fn)
{
    present_fn = std::move(fn);
    headless::on_present(
        [](void* self) {
            auto* t = static_cast<EngineTest*>(self);
            if (t->present_fn) t->present_fn(headless::present_count());
        },
        this);
}

uint32_t screen_pixel(int x, int y)
{
    return headless::primary_pixel(x, y);
}

uint32_t back_pixel(int x, int y)
{
    return headless::pixel(display_back_buffer(), x, y);
}

std::vector<uint32_t> back_buffer_pixels()
{
    std::vector<uint32_t> pixels;
    for (int y = 0; y < SCREEN_HEIGHT; ++y)
        for (int x = 0; x < SCREEN_WIDTH; ++x) pixels.push_back(back_pixel(x, y));
    return pixels;
}

// The process id and a random number: under Node.js every process is 42.
ScratchDir::ScratchDir(const std::string& what)
    : path(std::filesystem::temp_directory_path() /
           ("quobbin-" + what + "-" + std::to_string(::getpid()) + "-" + std::to_string(std::random_device{}()))),
      old(std::filesystem::current_path())
{
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    std::filesystem::current_path(path);
}

ScratchDir::~ScratchDir()
{
    std::filesystem::current_path(old);
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

namespace {

constexpr int REPLACEMENT_TRIES = 64;
constexpr int DIRECTORY_TRY = 5;

std::filesystem::path leftover(const std::filesystem::path& file, int n)
{
    return file.string() + "." + std::to_string(::getpid()) + "-" + std::to_string(n) + ".new";
}

std::filesystem::path link_target(const std::filesystem::path& file)
{
    return file.string() + ".target";
}

} // namespace

// Links only where the system lets the test make them.
void plant_leftovers(const std::filesystem::path& file)
{
    std::ofstream(link_target(file)) << "kept";
    for (int n = 0; n < REPLACEMENT_TRIES; ++n) {
        const std::filesystem::path name = leftover(file, n);
        std::error_code error;
        if (n == DIRECTORY_TRY)
            std::filesystem::create_directory(name);
        else if (n % 3 == 1)
            std::filesystem::create_symlink(link_target(file), name, error);
        else if (n % 3 == 2)
            std::filesystem::create_symlink(file.string() + ".nowhere", name, error);
        if (n != DIRECTORY_TRY && (n % 3 == 0 || error)) std::ofstream(name) << "cut short";
    }
}

Leftovers leftovers_of(const std::filesystem::path& file)
{
    Leftovers left;
    for (int n = 0; n < REPLACEMENT_TRIES; ++n) {
        const std::filesystem::file_status s = std::filesystem::symlink_status(leftover(file, n));
        if (n == DIRECTORY_TRY)
            left.directory = std::filesystem::is_directory(s);
        else
            left.names += std::filesystem::exists(s);
    }
    left.link_target = std::filesystem::exists(link_target(file));
    return left;
}
