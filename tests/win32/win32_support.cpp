#include "platform/win32/win32_platform.h"

#include "win32_support.h"

#include "platform/win32/win32_display.h"
#include "support/eventually.h"
#include "sys/instance_guard.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace children {

namespace {

// Long enough for anything that must happen; reached only when it never does.
constexpr DWORD LONG_WHILE_MS = 60000;
// A role asked for wrongly; never the tests, which a child must not run.
constexpr int MISUSED = 12;

// Plays the role the arguments ask for and returns its exit code; -1 when
// there is none and the tests should run. The one role, copy <mutex>
// <mapping> [<go>], is start-up's first step as a later copy. With the
// name of an event, at its signal; a copy that runs then holds its claim
// until the test kills it.
int run_role(int argc, char** argv)
{
    if (argc < 3 || std::strcmp(argv[1], ROLE) != 0) return -1;
    if (std::strcmp(argv[2], "copy") != 0 || argc < 5 || argc > 6) return MISUSED;
    const HANDLE go = argc == 6 ? OpenEventA(SYNCHRONIZE, FALSE, argv[5]) : nullptr;
    if (argc == 6 && (!go || WaitForSingleObject(go, LONG_WHILE_MS) != WAIT_OBJECT_0)) return MISUSED;
    InstanceGuard guard;
    instance_guard_init(&guard);
    const int ran = instance_guard_check(&guard, argv[3], argv[4]);
    if (ran && go) Sleep(LONG_WHILE_MS);
    instance_guard_release(&guard);
    if (go) CloseHandle(go);
    return ran ? RAN : ENDED;
}

} // namespace

std::string self()
{
    char path[4 * MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    return n > 0 && n < sizeof path ? std::string(path, n) : std::string();
}

std::string unique_name(const char* what)
{
    return std::string("quobbin-test ") + what + " " + std::to_string(GetCurrentProcessId());
}

// A run cut short leaves its folders behind, under the same names when
// the process id comes round again: they are emptied first.
Folder::Folder(const char* what) : path((std::filesystem::temp_directory_path() / unique_name(what)).string())
{
    std::filesystem::remove_all(path);
    std::filesystem::create_directory(path);
}

Folder::~Folder()
{
    std::error_code ignored;
    if (!path.empty()) std::filesystem::remove_all(path, ignored);
}

// Every argument quoted; the tests pass none with a quote or a trailing
// backslash in it.
void* start(const std::string& exe, const std::vector<std::string>& args, const char* cwd)
{
    std::string command = "\"" + exe + "\"";
    for (const std::string& arg : args) command += " \"" + arg + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, cwd, &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

int finish(void* process)
{
    DWORD code = DWORD(-1);
    if (!process) return -1;
    if (WaitForSingleObject(process, LONG_WHILE_MS) != WAIT_OBJECT_0 || !GetExitCodeProcess(process, &code))
        code = DWORD(-1);
    CloseHandle(process);
    return int(code);
}

bool eventually(const std::function<bool()>& done)
{
    return ::eventually([&] {
        pump();
        return done();
    });
}

void pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

} // namespace children

bool change_display_mode(platform::Display* display)
{
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    IDirectDraw* ddraw = win32_ddraw(display);
    return ddraw && EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode) &&
           SUCCEEDED(ddraw->SetDisplayMode(mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel));
}

Picture picture_of(platform::Surface* surface)
{
    Picture p;
    platform::SurfaceLock lock{};
    if (!platform::surface_lock(surface, &lock)) return p;
    const int bytes = lock.bits_per_pixel / 8;
    p.width = lock.width;
    p.height = lock.height;
    p.masks[0] = lock.red_mask;
    p.masks[1] = lock.green_mask;
    p.masks[2] = lock.blue_mask;
    for (int y = 0; y < lock.height; ++y)
        for (int x = 0; x < lock.width; ++x) {
            uint32_t v = 0;
            std::memcpy(&v, lock.bits + size_t(y) * size_t(lock.pitch) + size_t(x) * size_t(bytes), size_t(bytes));
            p.pixels.push_back(v & (lock.red_mask | lock.green_mask | lock.blue_mask));
        }
    platform::surface_unlock(surface);
    return p;
}

int main(int argc, char** argv)
{
    const int role = children::run_role(argc, argv);
    if (role >= 0) return role;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
