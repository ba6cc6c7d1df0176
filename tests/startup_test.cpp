// The program from start to end on the headless backend: the logo held a
// second while the music gets ready, the title, the fixed shutdown, the
// failure messages, and the menu's commands. (The window's caption, place
// and size are the end-to-end runs'.) (A second copy that hands over to the first is the end-to-end
// runs' business: they see it make no window and raise the first.)
#include "app/frame_loop.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "game/best_score_file.h"
#include "game/scene.h"
#include "input/keys.h"
#include "platform/embedded_resources.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_audio.h"
#include "platform/headless/headless_system.h"
#include "platform/system.h"
#include "sorvel/sorvel.h"
#include "sound/sound.h"
#include "support/engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

class Startup : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::reset();
        headless::set_ticks(5000);
        main_window_state_reset();
        frame_loop_state_reset();
        scene_state_reset(); // no scene while the logo holds
        for (const platform::Resource& r : platform::embedded_resources())
            headless::register_resource(r.name, r.type, r.bytes);
        std::filesystem::permissions(scratch.path, std::filesystem::perms::owner_all);
#ifndef _WIN32 // the POSIX claim lives in the user's runtime directory
        setenv("XDG_RUNTIME_DIR", scratch.path.c_str(), 1);
#endif
    }
    void TearDown() override
    {
        headless::on_present(nullptr, nullptr);
        headless::fail_surface_create_after(-1);
        sound_attach_device(nullptr);
        sorvel_Shutdown();
#ifndef _WIN32
        unsetenv("XDG_RUNTIME_DIR");
#endif
    }

    const ScratchDir scratch{"startup"};
};

// Each present's tick and the scene it showed (none while the logo holds).
std::vector<std::pair<uint32_t, Scene>> presents;

void close_after_a_few_frames(void*)
{
    presents.emplace_back(headless::ticks(), scene_get());
    if (std::count_if(presents.begin(), presents.end(), [](const auto& p) { return p.second != Scene(0); }) >= 4)
        headless::post(WM_CLOSE);
}

TEST_F(Startup, TheLogoHoldsASecondThenTheGameRunsAndEverythingIsTakenDown)
{
    presents.clear();
    headless::on_present(close_after_a_few_frames, nullptr);
    EXPECT_EQ(run_program(), StartupResult::Ran);
    const auto game =
        std::find_if(presents.begin(), presents.end(), [](const auto& p) { return p.second != Scene(0); });
    ASSERT_NE(game, presents.end());
    EXPECT_EQ(presents[0].first, 5000u) << "the logo is presented at once";
    // It is presented again at the frame pace while it holds, in case the
    // window system painted over it, and stays at least a second.
    for (auto p = presents.begin() + 1; p != game; ++p) EXPECT_EQ(p->first - (p - 1)->first, FRAME_PERIOD_MS);
    EXPECT_GE(game->first - presents[0].first, 1000u);
    EXPECT_LT(game->first - presents[0].first, 1100u);
    EXPECT_EQ(game->second, SCENE_TITLE);
    EXPECT_EQ(headless::message_box_count(), 0);
    EXPECT_EQ(headless::live_surfaces(), 0) << "the display was shut down";
    // The music library opened the device the effects used, and loaded the song.
    const std::vector<std::string> log = headless::audio_log();
    EXPECT_EQ(log.empty() ? "" : log.front(), "open 44100");
    EXPECT_GE(std::count_if(log.begin(), log.end(), [](const std::string& s) { return s.rfind("create #", 0) == 0; }),
              9);
}

// Saves killed before their rename leave their temporaries; once every
// name a save could take is used, the best is never written again. The
// next start clears them away (links themselves, never what they lead
// to; a directory stays) and saving works again.
TEST_F(Startup, TheLeftoversOfKilledSavesGoAtTheNextStart)
{
    plant_leftovers(BEST_SCORE_FILE);
    write_best_score(1500);
    EXPECT_EQ(read_best_score(), 0) << "every temporary name taken: the save fails";
    std::ofstream("Best.dat.other.new") << "not one of ours";

    headless::post(WM_CLOSE);
    EXPECT_EQ(run_program(), StartupResult::Ran);
    const Leftovers left = leftovers_of(BEST_SCORE_FILE);
    EXPECT_EQ(left.names, 0);
    EXPECT_TRUE(left.directory);
    EXPECT_TRUE(left.link_target);
    EXPECT_TRUE(std::filesystem::exists("Best.dat.other.new"));
    write_best_score(1500);
    EXPECT_EQ(read_best_score(), 1500);
}

// (A display that cannot open is the end-to-end run's: "dxdraw".)
TEST_F(Startup, ADisplayThatCannotMakeItsSurfacesIsReported)
{
    headless::fail_surface_create_after(0);
    EXPECT_EQ(run_program(), StartupResult::Failed);
    EXPECT_EQ(headless::last_message_box_text(), "main surface");
    EXPECT_EQ(headless::last_message_box_caption(), "error");
}

TEST_F(Startup, TheMenuCommandsAboutAndVolume)
{
    platform::Window* window = platform::window_create(main_window_proc);
    main_window_proc(window, WM_COMMAND, COMMAND_ABOUT, 0);
    EXPECT_EQ(headless::last_message_box_text(), "Quobbin\n2007 / 10\nOrbane");
    main_window_proc(window, WM_COMMAND, COMMAND_VOLUME, 0);
    EXPECT_EQ(headless::launches().size(), platform::volume_control_commands().size()) << "each tried, none there";
    EXPECT_EQ(headless::last_message_box_text(), "no volume control found");
    platform::window_destroy(window);
}

} // namespace
