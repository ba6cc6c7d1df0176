// Asks Windows about the game's window, for the end-to-end run under Wine
// (xdotool sees the X windows, not the client area or the menu):
//
//   win_probe client        the client area on the screen: x y width height
//   win_probe menu          whether a menu is open
//   win_probe about         whether the About box is open
//   win_probe foreground    whether the game's window is the foreground window
//   win_probe tune DLL S    plays the tune for S seconds through the music
//                           library DLL, as any program may: loaded by name,
//                           its entries found by name, for a window of its own,
//                           and shut down before the program ends
//
// Exit status 1 when the window (or the menu, the box, the foreground) is
// not there. The
// probe carries the game's resources (the tune) and its manifest, so it
// measures the screen in the same pixels as the game.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

template <typename Function> Function entry(HMODULE library, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

int play_tune(const char* dll, int seconds)
{
    const HMODULE library = LoadLibraryA(dll);
    const auto ready = entry<int (*)(void*, int, int, int, float, int, int)>(library, "sorvel_Ready");
    const auto load = entry<int (*)(int, const char*, const char*)>(library, "sorvel_Tune_Load");
    const auto start = entry<int (*)(int, int)>(library, "sorvel_Tune_Start");
    const auto shutdown = entry<void (*)()>(library, "sorvel_Shutdown");
    const HWND window = CreateWindowExA(0, "STATIC", "tune", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr);
    if (!library || !ready || !load || !start || !shutdown || !window) return 1;
    if (!ready(window, 2, 44100, 16, 0.1f, 1, 0) || !load(0, "sngpk", "quobbin") || !start(0, 0)) return 1;
    Sleep(DWORD(seconds) * 1000);
    shutdown();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "tune") == 0) return play_tune(argv[2], std::atoi(argv[3]));
    const HWND game = FindWindowA("Main", "[ Quobbin ] Murvale");
    if (argc < 2 || !game) return 1;
    const char* what = argv[1];
    if (std::strcmp(what, "client") == 0) {
        RECT r{};
        GetClientRect(game, &r);
        MapWindowPoints(game, nullptr, reinterpret_cast<POINT*>(&r), 2);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (std::strcmp(what, "menu") == 0) {
        const HWND menu = FindWindowA("#32768", nullptr); // the class of every menu's window
        return menu && IsWindowVisible(menu) ? 0 : 1;
    }
    if (std::strcmp(what, "about") == 0) {
        // The dialog is a top-level window of the dialog class owned by the game.
        for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", nullptr); w;
             w = FindWindowExA(nullptr, w, "#32770", nullptr))
            if (GetWindow(w, GW_OWNER) == game && IsWindowVisible(w)) return 0;
        return 1;
    }
    return std::strcmp(what, "foreground") == 0 && GetForegroundWindow() == game ? 0 : 1;
}
