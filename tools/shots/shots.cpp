// Renders the game's scenes through the real game code on the headless
// backend and writes them as PNG files, for the README and for looking at
// the art where the player sees it:
//
//   quobbin_shots <output folder>
//
// A scripted player walks one game: the start-up logo, the title, a stage
// with the seals waiting, a catch and a hit with drops flying, the result
// between stages, the final result with its grade, and the pause screen;
// then, with the LOVE marker and a best above 1400, the rare seal.
#include "app/frame_loop.h"
#include "app/main_window.h"
#include "app/startup_logo.h"
#include "game/particles.h"
#include "game/scene.h"
#include "game/stages.h"
#include "game/targets.h"
#include "gfx/blit.h"
#include "gfx/display.h"
#include "image.h"
#include "platform/embedded_resources.h"
#include "platform/headless/headless.h"
#include "platform/window.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

std::string out_dir;
int failures = 0;

void save(const char* name)
{
    Image picture(SCREEN_WIDTH, SCREEN_HEIGHT);
    for (int y = 0; y < SCREEN_HEIGHT; ++y)
        for (int x = 0; x < SCREEN_WIDTH; ++x) picture.set(x, y, headless::primary_pixel(x, y));
    const std::string path = out_dir + "/" + name;
    if (!write_png(path, picture)) {
        std::fprintf(stderr, "quobbin_shots: cannot write %s\n", path.c_str());
        ++failures;
        return;
    }
    std::printf("%s\n", path.c_str());
}

struct Player {
    uint64_t release_at[256] = {};
    uint64_t scene_since = 0;
    Scene last_scene = Scene(0);
    int stage_results = 0;
    bool took_play = false;
    bool took_action = false;
    bool took_result = false;
    bool took_final = false;
    uint64_t pause_at = 0;
    int catch_delay = 8;
    int falling_for[TARGET_COUNT] = {};
    bool second_game = false;
    bool took_rare = false;
    bool closed = false;
    std::string exe_dir;

    // With a best above 1400 a rare seal hangs now and then: stages go by
    // until one does; then a plain seal beside it is hit, so blue drops fly.
    void play_second_game(uint64_t frame)
    {
        int rare = -1;
        for (int i = 0; i < TARGET_COUNT; ++i)
            if (target_get(i).special) rare = i;
        const int plain = (rare + 1) % TARGET_COUNT;
        if (rare >= 0 && target_get(plain).state == TargetState::Waiting) tap(frame, uint8_t('1' + plain));
        if (rare >= 0 && particles_live() >= 16) {
            save("rare-and-love.png");
            took_rare = true;
            return;
        }
        for (int i = 0; i < TARGET_COUNT; ++i)
            if (target_get(i).state == TargetState::Falling) tap(frame, uint8_t('1' + i));
        if (targets_all_resolved(shown_score_get())) tap(frame, VK_SPACE);
    }

    void tap(uint64_t frame, uint8_t vk)
    {
        if (release_at[vk]) return;
        headless::key_down(vk);
        release_at[vk] = frame + 2;
    }

    void after_present(uint64_t frame)
    {
        for (int vk = 0; vk < 256; ++vk)
            if (release_at[vk] && release_at[vk] <= frame) {
                headless::key_up(uint8_t(vk));
                release_at[vk] = 0;
            }
        if (pause_at) {
            if (frame == pause_at + 6) save("pause.png");
            if (frame == pause_at + 8) {
                // Back to the title with the LOVE marker beside the
                // executable, for a game in blue.
                std::FILE* f = std::fopen((exe_dir + "/LOVE").c_str(), "w");
                if (f) std::fclose(f);
                tap(frame, VK_F2);
                pause_at = 0;
                second_game = true;
            }
            return;
        }
        if (took_rare) {
            if (!closed) headless::post(WM_CLOSE); // the close box ends the run
            closed = true;
            return;
        }
        if (scene_get() != last_scene) {
            last_scene = scene_get();
            scene_since = frame;
        }
        const uint64_t in_scene = frame - scene_since;
        const bool open = view_transition_get() == VIEW_OPENING && accept_input_get();

        switch (scene_get()) {
        case SCENE_TITLE:
            if (frame == 40) save("title.png");
            if (frame == 44 || (second_game && open && in_scene > 30)) tap(frame, VK_SPACE);
            break;
        case SCENE_PLAY:
            if (!open) break;
            if (second_game) {
                play_second_game(frame);
                break;
            }
            if (!took_play && in_scene >= 40) {
                save("play.png");
                took_play = true;
                tap(frame, '2'); // the middle seal is hit while it waits
            }
            for (int i = 0; i < TARGET_COUNT; ++i) {
                if (target_get(i).state != TargetState::Falling) {
                    falling_for[i] = 0;
                    continue;
                }
                if (falling_for[i]++ == catch_delay) tap(frame, uint8_t('1' + i));
            }
            if (took_play && !took_action && particles_live() >= 24 && target_get(0).state == TargetState::Safe) {
                save("action.png");
                took_action = true;
                catch_delay = 0;
            }
            if (targets_all_resolved(shown_score_get())) tap(frame, VK_SPACE);
            break;
        case SCENE_STAGE_RESULT:
            if (!open) break;
            if (!took_result && in_scene >= 60) {
                save("stage-result.png");
                took_result = true;
            }
            if (in_scene >= 64 || (second_game && in_scene >= 10)) tap(frame, VK_SPACE);
            break;
        case SCENE_FINAL_RESULT:
            if (!open) break;
            if (second_game && in_scene >= 10) tap(frame, VK_SPACE);
            if (!took_final && in_scene >= 60) {
                save("final-result.png");
                took_final = true;
                tap(frame, VK_ESCAPE);
                pause_at = frame;
            }
            break;
        }
    }
};

Player player;

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: quobbin_shots <output folder>\n");
        return 2;
    }
    out_dir = std::filesystem::absolute(argv[1]).string();
    std::filesystem::create_directories(out_dir);
    // Best.dat goes to a folder of its own, so the run starts from 0; named
    // after the output folder, so runs beside each other keep apart.
    const std::filesystem::path work =
        std::filesystem::temp_directory_path() / ("quobbin-shots-" + std::to_string(std::hash<std::string>{}(out_dir)));
    std::filesystem::remove_all(work);
    std::filesystem::create_directories(work);
    std::filesystem::current_path(work);

    for (const platform::Resource& r : platform::embedded_resources())
        headless::register_resource(r.name, r.type, r.bytes);
    player.exe_dir = (work / "bin").string();
    std::filesystem::create_directories(player.exe_dir);
    headless::set_executable_dir(player.exe_dir);
    headless::set_ticks(1);
    headless::set_local_seconds(17);
    headless::on_present([](void*) { player.after_present(headless::present_count()); }, nullptr);

    platform::Window* window = platform::window_create(main_window_proc);
    if (!display_init(window, "") || !display_create_surfaces(window, SCREEN_WIDTH, SCREEN_HEIGHT, 1)) {
        std::fprintf(stderr, "quobbin_shots: the display could not be opened\n");
        return 1;
    }
    platform::window_set_client_size(window, SCREEN_WIDTH, SCREEN_HEIGHT);
    platform::window_show(window);
    draw_startup_logo();
    save("logo.png");
    const int loaded = run_game();
    platform::window_destroy(window);
    display_shutdown();
    std::filesystem::remove_all(work);
    if (!loaded) {
        std::fprintf(stderr, "quobbin_shots: a resource failed to load\n");
        return 1;
    }
    if (!player.took_final || !player.took_rare) {
        std::fprintf(stderr, "quobbin_shots: the scripted game did not reach its end\n");
        return 1;
    }
    return failures ? 1 : 0;
}
