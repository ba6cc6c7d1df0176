// The SDL backend's own translations. SDL's keys in Windows' virtual-key
// codes: digits by what they type, the keypad's digits only with Num Lock
// on (its navigation keys otherwise), and the keys the game and the pause
// screen use. And our bitmap reader, which every backend shares, held
// to SDL's own on every form and on the game's pictures. The remembered
// view settings: written and read back, and every damaged or planted file
// read as the defaults.
#include "platform/embedded_resources.h"
#include "platform/sdl/sdl_keys.h"
#include "platform/sdl/sdl_options.h"
#include "platform/sdl/sdl_settings.h"
#include "platform/types.h"
#include "support/bmp.h"
#include "support/engine.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// The command line as a table: what each form gives, or the reason it is
// refused (the program then ends with status 2).
TEST(SdlOptions, EachFormAndEachRefusal)
{
    const struct {
        std::vector<const char*> args;
        const char* want; // scale, fullscreen, help and version, or the reason
    } cases[] = {
        {{}, "0 -1 0 0"},
        {{"--scale", "3", "--fullscreen"}, "3 1 0 0"},
        {{"--scale=1", "--fullscreen", "--windowed"}, "1 0 0 0"},
        {{"-h"}, "0 -1 1 0"},
        {{"--help", "--version"}, "0 -1 1 1"},
        {{"--scale=2", "--"}, "2 -1 0 0"},
        {{"--", "--help"}, "unexpected argument '--help'"},
        {{"--scale", "0"}, "scale '0' is not a whole number from 1 to 4"},
        {{"--scale", "5"}, "scale '5' is not a whole number from 1 to 4"},
        {{"--scale="}, "scale '' is not a whole number from 1 to 4"},
        {{"--scale=22"}, "scale '22' is not a whole number from 1 to 4"},
        {{"--fullscreen", "--scale"}, "option '--scale' needs a value (1 to 4)"},
        {{"--big"}, "unknown option '--big'"},
        {{"seals"}, "unexpected argument 'seals'"},
        {{"--\x1b]2;x\a\x7f"}, "unknown option '--\\033]2;x\\007\\177'"},
    };
    for (const auto& c : cases) {
        std::vector<const char*> argv = {"quobbin"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        Options o;
        char got[160] = "";
        if (options_parse(int(argv.size()), argv.data(), &o, got, sizeof got))
            std::snprintf(got, sizeof got, "%d %d %d %d", o.scale, o.fullscreen, o.help, o.version);
        EXPECT_STREQ(got, c.want);
    }
}

TEST(SdlKeys, TheGameKeysAndTheKeypadByNumLock)
{
    const struct {
        SDL_Keycode sym;
        SDL_Scancode scancode;
        Uint16 mod;
        int vk;
    } cases[] = {
        {SDLK_1, SDL_SCANCODE_1, KMOD_NONE, '1'},
        {SDLK_SPACE, SDL_SCANCODE_UNKNOWN, KMOD_NONE, VK_SPACE},
        {SDLK_ESCAPE, SDL_SCANCODE_UNKNOWN, KMOD_NONE, VK_ESCAPE},
        {SDLK_F1, SDL_SCANCODE_UNKNOWN, KMOD_NONE, VK_F1},
        {SDLK_q, SDL_SCANCODE_UNKNOWN, KMOD_NONE, 'Q'}, // letters as capitals
        {SDLK_RSHIFT, SDL_SCANCODE_UNKNOWN, KMOD_NONE, VK_SHIFT},
        // An AZERTY keyboard's top row types & by default: no digit, so no
        // game key; its keypad still serves.
        {SDLK_AMPERSAND, SDL_SCANCODE_1, KMOD_NONE, 0},
        {SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, KMOD_NONE, 0},
        {SDLK_KP_3, SDL_SCANCODE_KP_3, KMOD_NUM, VK_NUMPAD3},
        // Without Num Lock the keys are the navigation keys printed beneath.
        {SDLK_KP_3, SDL_SCANCODE_KP_3, KMOD_NONE, VK_NEXT},
        {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, KMOD_NONE, VK_RETURN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sdl_key_to_vk(SDL_Keysym{c.scancode, c.sym, c.mod, 0}), c.vk)
            << SDL_GetKeyName(c.sym) << " " << c.mod;
    }
}

// Width, height and pixels (0xRRGGBB) as SDL sees the file, as bmp_decoded
// says what ours sees.
std::vector<uint32_t> sdl_sees(std::span<const uint8_t> bytes)
{
    SDL_Surface* loaded = SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes.data(), int(bytes.size())), 1);
    SDL_Surface* xrgb = loaded ? SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB888, 0) : nullptr;
    SDL_FreeSurface(loaded);
    if (!xrgb) return {};
    std::vector<uint32_t> seen{uint32_t(xrgb->w), uint32_t(xrgb->h)};
    const auto* pixels = static_cast<const uint32_t*>(xrgb->pixels); // rows of 32 bits leave no gaps
    for (int i = 0; i < xrgb->w * xrgb->h; ++i) seen.push_back(pixels[i] & 0xFFFFFF);
    SDL_FreeSurface(xrgb);
    return seen;
}

TEST(SdlBitmaps, OurReaderSeesWhatSdlSees)
{
    std::vector<BmpForm> files = bmp_forms();
    for (const auto& r : platform::embedded_resources())
        if (std::string_view(r.type) == "BITMAP") files.push_back({r.name, {r.bytes.begin(), r.bytes.end()}});
    for (const BmpForm& f : files) {
        SCOPED_TRACE(f.what);
        EXPECT_FALSE(bmp_decoded(f.bytes).empty()) << "refused";
        EXPECT_EQ(bmp_decoded(f.bytes), sdl_sees(f.bytes));
    }
}

// The configuration folder is the test's own, and the user's environment
// comes back afterwards.
class SdlSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : NAMES)
            if (const char* v = std::getenv(name)) saved.emplace_back(name, v);
        ::setenv("XDG_CONFIG_HOME", (scratch.path / "config").c_str(), 1);
        ::setenv("HOME", (scratch.path / "home").c_str(), 1);
    }
    void TearDown() override
    {
        for (const char* name : NAMES) ::unsetenv(name);
        for (const auto& [name, value] : saved) ::setenv(name, value.c_str(), 1);
    }
    static std::string read(const std::filesystem::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    static constexpr const char* NAMES[3] = {"XDG_CONFIG_HOME", "HOME", "XDG_DATA_HOME"};
    std::vector<std::pair<const char*, std::string>> saved;
    const ScratchDir scratch{"settings"};
};

TEST_F(SdlSettings, WrittenAndReadBackAndEveryBadFileGivesTheDefaults)
{
    const std::filesystem::path file = scratch.path / "config/quobbin/settings";
    // Written into folders that do not exist yet, and read back.
    ASSERT_TRUE(settings_save(Settings{3, true}));
    EXPECT_EQ(read(file), "scale=3\nfullscreen=1\n");
    ASSERT_TRUE(settings_save(Settings{0, false}));
    EXPECT_EQ(read(file), "fullscreen=0\n") << "no scale chosen, none kept";

    const std::string huge = "scale=2\n" + std::string(1 << 20, '\n');
    const struct {
        const char* what;
        std::string text; // the file's bytes, when it is a file
        int scale;
        bool fullscreen;
    } files[] = {
        {"both, either order", "fullscreen=1\nscale=4\n", 4, true},
        {"one line", "scale=1\n", 1, false},
        {"empty", "", 0, false},
        {"scale out of range", "scale=5\nfullscreen=1\n", 0, false},
        {"scale zero", "scale=0\n", 0, false},
        {"two digits", "scale=03\n", 0, false},
        {"repeated", "scale=2\nscale=3\n", 0, false},
        {"unknown key", "scale=2\nvolume=1\n", 0, false},
        {"blank line", "scale=2\n\n", 0, false},
        {"cut short", "scale=2\nfullscr", 0, false},
        {"no last newline", "scale=2", 0, false},
        {"huge", huge, 0, false},
    };
    for (const auto& f : files) {
        write_file(file.string(), {f.text.begin(), f.text.end()});
        const Settings s = settings_load();
        EXPECT_EQ(std::tuple(s.scale, s.fullscreen), std::tuple(f.scale, f.fullscreen)) << f.what;
    }

    // A link is not the player's own file, even to a good one: defaults.
    // (FIFOs and directories meet the reader and writer "Best.dat" shares.)
    const std::filesystem::path elsewhere = scratch.path / "elsewhere";
    std::ofstream(elsewhere) << "scale=2\nfullscreen=1\n";
    std::filesystem::remove(file);
    std::filesystem::create_symlink(elsewhere, file);
    EXPECT_EQ(settings_load().scale, 0);
    // Saving replaces the link itself; what it pointed to stays.
    ASSERT_TRUE(settings_save(Settings{4, false}));
    EXPECT_FALSE(std::filesystem::is_symlink(file));
    EXPECT_EQ(read(elsewhere), "scale=2\nfullscreen=1\n");

    // A relative XDG_CONFIG_HOME does not count: the home's .config does.
    ::setenv("XDG_CONFIG_HOME", "config", 1);
    ASSERT_TRUE(settings_save(Settings{2, false}));
    EXPECT_EQ(read(scratch.path / "home/.config/quobbin/settings"), "scale=2\nfullscreen=0\n");
}

// The game's data (the best score) in the user's data folder, made for its
// owner alone; a relative XDG_DATA_HOME does not count; with no home at
// all there is no such folder (the game keeps the working directory).
TEST_F(SdlSettings, TheDataFolder)
{
    const std::string scratch_path = scratch.path.string();
    const struct {
        std::string data_home; // empty: unset
        bool home;
        std::string path;
    } cases[] = {
        {scratch_path + "/data", true, scratch_path + "/data/quobbin/Best.dat"},
        {"", true, scratch_path + "/home/.local/share/quobbin/Best.dat"},
        {"data", true, scratch_path + "/home/.local/share/quobbin/Best.dat"},
        {"", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        c.data_home.empty() ? ::unsetenv("XDG_DATA_HOME") : ::setenv("XDG_DATA_HOME", c.data_home.c_str(), 1);
        if (!c.home) ::unsetenv("HOME");
        char path[platform::PATH_LIMIT] = "";
        EXPECT_EQ(data_folder_path("Best.dat", path), c.home);
        EXPECT_EQ(path, c.path);
        if (c.home) {
            EXPECT_EQ(std::filesystem::status(std::filesystem::path(c.path).parent_path()).permissions() &
                          std::filesystem::perms::all,
                      std::filesystem::perms::owner_all);
        }
    }
}

} // namespace
