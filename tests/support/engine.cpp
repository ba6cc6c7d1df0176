#include "support/engine.h"

#include "app/frame_loop.h"
#include "app/main_window.h"
#include "app/resource_list.h"
#include "input/keys.h"
#include "platform/embedded_resources.h"
#include "sorvel/sorvel.h"
#include "sound/sound.h"
#include "support/bmp.h"

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

ScratchDir::ScratchDir(const std::string& what)
    : path(std::filesystem::temp_directory_path() / ("quobbin-" + what + "-" + std::to_string(::getpid()))),
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
